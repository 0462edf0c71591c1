#include "tests/e2e/LanguageDriving.h"

#include "tests/e2e/PageDriving.h"

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
