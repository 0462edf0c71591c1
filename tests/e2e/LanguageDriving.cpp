#include "tests/e2e/LanguageDriving.h"

#include "tests/e2e/PageDriving.h"
#include "tests/e2e/RemoteMenu.h"

#include <algorithm>
#include <vector>

std::string Utf16LanguageFile(const std::string& asciiText)
{
    std::string bytes = "\xFF\xFE";
    for (char c : asciiText) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

bool ChooseLanguage(HWND mainDialog, const std::string& language)
{
    HWND combo = FindControl(mainDialog, kLanguageCombo);
    const std::vector<std::string> names = ComboTexts(combo);
    const auto found = std::find(names.begin(), names.end(), language);
    if (found == names.end())
        return false;
    ChooseItemNow(combo, static_cast<int>(found - names.begin()));
    return true;
}

bool WaitForText(HWND root, int id, const std::string& text)
{
    return WaitFor([&] { return WindowText(FindControl(root, id)) == text; }, std::chrono::seconds(5));
}

HWND WaitForWindow(const LumisatRun& run, const char* title)
{
    HWND window = nullptr;
    WaitFor([&] {
        window = run.FindTopLevel("#32770", title);
        return window != nullptr && IsWindowVisible(window);
    }, std::chrono::seconds(10));
    return window;
}

void PostFrameCommand(const LumisatRun& run, WORD command)
{
    PostMessageA(run.Frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring WideWindowText(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

std::vector<std::wstring> TrayMenuWideTexts(const LumisatRun& run)
{
    const auto menuWindow = [&] {
        HWND menu = run.FindTopLevel("#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
    };
    PostMessageA(run.Frame(), 0x042B, 128, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = menuWindow()) != nullptr; }, std::chrono::seconds(5)))
        return {};
    std::vector<std::wstring> texts = PopupMenuWideTexts(menu).value_or(std::vector<std::wstring>{});
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return menuWindow() == nullptr; }, std::chrono::seconds(5));
    return texts;
}
