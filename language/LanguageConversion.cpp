#include "language/LanguageConversion.h"

#include "common/FileIo.h"
#include "language/AnsiConversion.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kByteOrderMarkSize = 2;
constexpr std::size_t kMaxErrorText = 255;

std::string FileErrorText(const std::string& path, int error)
{
    std::string text = path + ": " + std::strerror(error);
    if (text.size() > kMaxErrorText)
        text.resize(kMaxErrorText);
    return text;
}

}   // namespace

std::string ConvertLanguageBytes(std::span<const std::uint8_t> fileBytes)
{
    const std::size_t copySize = fileBytes.size() / 2;
    std::u16string units;
    if (fileBytes.size() > kByteOrderMarkSize) {
        const std::span<const std::uint8_t> body = fileBytes.subspan(kByteOrderMarkSize);
        units.resize(body.size() / 2);
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(body[2 * i] | body[2 * i + 1] << 8);
    }
    std::string copy = Utf16ToAnsi(units);
    copy.resize(copySize, '\0');
    return copy;
}

bool ConvertLanguageFile(const std::string& path, const std::string& suffix, std::string& errorText)
{
    std::vector<std::uint8_t> bytes;
    errno = 0;
    if (!ReadWholeFile(path, bytes)) {
        errorText = FileErrorText(path, errno ? errno : EIO);
        return false;
    }
    const std::string copy = ConvertLanguageBytes(bytes);
    const std::string copyPath = path + suffix;
    errno = 0;
    if (!WriteWholeFile(copyPath, std::span(reinterpret_cast<const std::uint8_t*>(copy.data()), copy.size()))) {
        errorText = FileErrorText(copyPath, errno ? errno : EIO);
        return false;
    }
    errorText.clear();
    return true;
}
