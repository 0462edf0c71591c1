#include "app/win/HtmlHelp.h"

#include "app/InstallPaths.h"
#include "app/Settings.h"

namespace {
// The commands of the HTML Help API.
constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kCloseAll = 0x0012;
constexpr UINT kInitialize = 0x001C;
constexpr UINT kUninitialize = 0x001D;

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFunction HelpFunction()
{
    static HtmlHelpFunction function = [] {
        HMODULE module = LoadLibraryA("hhctrl.ocx");
        if (module == nullptr)
            return HtmlHelpFunction(nullptr);
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")));
    }();
    return function;
}
}   // namespace

DWORD_PTR HtmlHelpInitialize()
{
    DWORD_PTR cookie = 0;
    if (HtmlHelpFunction help = HelpFunction())
        help(nullptr, nullptr, kInitialize, reinterpret_cast<DWORD_PTR>(&cookie));
    return cookie;
}

void HtmlHelpUninitialize(DWORD_PTR cookie)
{
    if (HtmlHelpFunction help = HelpFunction())
        help(nullptr, nullptr, kUninitialize, cookie);
}

void HtmlHelpCloseAll()
{
    if (HtmlHelpFunction help = HelpFunction())
        help(nullptr, nullptr, kCloseAll, 0);
}

HWND HtmlHelpDisplay(HWND owner, const std::string& file)
{
    if (HtmlHelpFunction help = HelpFunction())
        return help(owner, file.c_str(), kDisplayTopic, 0);
    return nullptr;
}

void ShowHelpOfButton(const MainSettings& settings)
{
    const std::string base = WithTrailingBackslash(settings.installationPath);
    std::string file;
    if (!base.empty()) {
        file = HelpFilePath(base, settings.languageName);
        if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
            file = HelpFilePath(base, "English");
    }
    HtmlHelpCloseAll();
    HtmlHelpDisplay(nullptr, file);
}

void ShowHelpOfF1(HWND owner, const MainSettings& settings)
{
    HtmlHelpCloseAll();
    HtmlHelpDisplay(owner, HelpFilePath(settings.installationPath, settings.languageName));
}
