#include "setup/win/BitmapFile.h"

#include <windows.h>

namespace {

class CHandle {
public:
    explicit CHandle(HANDLE handle) : handle_(handle) {}
    ~CHandle()
    {
        if (IsValid())
            CloseHandle(handle_);
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

class CFileView {
public:
    CFileView(HANDLE mapping) : view_(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {}
    ~CFileView()
    {
        if (view_ != nullptr)
            UnmapViewOfFile(view_);
    }
    CFileView(const CFileView&) = delete;
    CFileView& operator=(const CFileView&) = delete;

    const std::uint8_t* Bytes() const { return static_cast<const std::uint8_t*>(view_); }

private:
    void* view_;
};

}   // namespace

std::optional<RgbColour> ReadBitmapFileTopLeft(const char* fileName)
{
    // Shared for reading only, so that nobody can shorten the file under the view.
    const CHandle file(
        CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file.IsValid() || !GetFileSizeEx(file.Get(), &size))
        return std::nullopt;
    // An empty file cannot be mapped; one beyond the address space cannot either.
    if (size.QuadPart <= 0 || static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX)
        return std::nullopt;

    const CHandle mapping(CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.IsValid())
        return std::nullopt;
    const CFileView view(mapping.Get());
    if (view.Bytes() == nullptr)
        return std::nullopt;
    return ReadTopLeftPixel({view.Bytes(), static_cast<std::size_t>(size.QuadPart)});
}
