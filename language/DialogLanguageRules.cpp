#include "language/DialogLanguageRules.h"

#include "common/AnsiCase.h"
#include "common/CardKind.h"
#include "language/LanguageFile.h"
#include "language/LanguageList.h"
#include "resources/resource.h"

#include <climits>

namespace {

constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;
constexpr std::string_view kPageWord = "Page";
constexpr std::string_view kDialogWord = "Dialog";

bool BeginsWith(std::string_view text, std::string_view word) { return text.substr(0, word.size()) == word; }

LanguageLineAction Action(LanguageTarget target, int index, std::string_view text)
{
    return {target, index, std::string(text)};
}

LanguageLineAction PageAction(std::string_view key, std::string_view value, const DialogLanguageKeys& keys)
{
    if (!keys.tabDeviceKind)
        return {};
    const std::optional<int> tab = TabIndexOfPage(LeadingNumber(key.substr(kPageWord.size())), *keys.tabDeviceKind);
    return tab ? Action(LanguageTarget::Tab, *tab, value) : LanguageLineAction{};
}

LanguageLineAction ControlAction(std::string_view key, std::string_view value, const DialogLanguageKeys& keys)
{
    const int id = LeadingNumber(key);
    if (id <= 0 || value.empty())
        return {};
    for (int slashControl : keys.slashControls) {
        if (slashControl == id)
            return Action(LanguageTarget::Control, id, PartOfValue(value, keys.slashControlPart));
    }
    return Action(LanguageTarget::Control, id, value);
}

}   // namespace

std::string_view PartOfValue(std::string_view value, TextPart part)
{
    const std::size_t slash = value.find('/');
    switch (part) {
    case TextPart::BeforeSlash: return slash == std::string_view::npos ? std::string_view() : value.substr(0, slash);
    case TextPart::AfterSlash: return slash == std::string_view::npos ? value : value.substr(slash + 1);
    default: return value;
    }
}

DialogLanguageKeys TabPageLanguageKeys() { return {}; }

DialogLanguageKeys CaptionDialogLanguageKeys(std::string captionKey)
{
    DialogLanguageKeys keys;
    keys.captionKey = std::move(captionKey);
    keys.okKey = true;
    keys.cancelKey = true;
    return keys;
}

DialogLanguageKeys SatelliteInfoLanguageKeys(bool editsChannel)
{
    DialogLanguageKeys keys = CaptionDialogLanguageKeys("Dialog1");
    keys.captionPart = editsChannel ? TextPart::AfterSlash : TextPart::BeforeSlash;
    return keys;
}

DialogLanguageKeys MacAddressLanguageKeys()
{
    DialogLanguageKeys keys;
    keys.cancelKey = true;
    return keys;
}

DialogLanguageKeys MainDialogLanguageKeys(int deviceKind)
{
    DialogLanguageKeys keys;
    keys.okKey = true;
    keys.cancelKey = true;
    keys.tabDeviceKind = deviceKind;
    keys.slashControls = {IDC_MAIN_SATELLITE_GROUP, IDC_MAIN_SATELLITE_LABEL};
    keys.slashControlPart = IsSatelliteCard(deviceKind) ? TextPart::BeforeSlash : TextPart::AfterSlash;
    return keys;
}

int LeadingNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    long long number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10 + (text[at] - '0');
        if (number > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -number : number);
}

std::optional<int> TabIndexOfPage(int pageNumber, int deviceKind)
{
    int first = 10;
    if (IsSatelliteCard(deviceKind)) {
        if (pageNumber > 4)
            return std::nullopt;
        first = 1;
    } else if (IsTerrestrialCard(deviceKind)) {
        first = 20;
    }
    if (pageNumber < first)
        return std::nullopt;
    return pageNumber - first;
}

LanguageLineAction ActionOfLanguageLine(std::string_view key, std::string_view value, const DialogLanguageKeys& keys)
{
    if (BeginsWith(key, kPageWord))
        return PageAction(key, value, keys);
    if (BeginsWith(key, kDialogWord)) {
        if (keys.captionKey.empty() || !BeginsWith(key, keys.captionKey))
            return {};
        return Action(LanguageTarget::Caption, 0, PartOfValue(value, keys.captionPart));
    }
    if (BeginsWith(key, "Ok"))
        return keys.okKey ? Action(LanguageTarget::Control, kOkButton, value) : LanguageLineAction{};
    if (BeginsWith(key, "Cancel"))
        return keys.cancelKey ? Action(LanguageTarget::Control, kCancelButton, value) : LanguageLineAction{};
    return ControlAction(key, value, keys);
}

std::vector<LanguageLineAction> LanguageActions(std::string_view fileText, const DialogLanguageKeys& keys)
{
    std::vector<LanguageLineAction> actions;
    ForEachLanguageLine(fileText, [&](std::string_view key, std::string_view value) {
        LanguageLineAction action = ActionOfLanguageLine(key, value, keys);
        if (action.target != LanguageTarget::None)
            actions.push_back(std::move(action));
        return true;
    });
    return actions;
}

bool IsAnsiLanguageFile(const std::string& path, const std::string& installationPath)
{
    std::string completedPath = installationPath;
    if (!completedPath.empty() && completedPath.back() != '\\')
        completedPath.push_back('\\');
    for (const char* language : {"Simplified Chinese", "Traditional Chinese"}) {
        // Windows file names ignore case: a name in other case opens the same file.
        if (AnsiEqualNoCase(path, LanguageFilePath(installationPath, language)) ||
            AnsiEqualNoCase(path, LanguageFilePath(completedPath, language)))
            return true;
    }
    return false;
}

std::string LanguageFileToRead(const std::string& path, const std::string& installationPath)
{
    return IsAnsiLanguageFile(path, installationPath) ? path : path + ".tmp";
}
