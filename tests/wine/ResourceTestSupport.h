// Helpers for the tests of Lumisat.exe's resources: the program loaded as a
// data file, dialogs created from its templates, window texts and rectangles.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace resource_test {

// The path of a file in the folder an environment variable names.
inline std::string FileIn(const char* variable, const std::string& name)
{
    std::string folder = std::getenv(variable) != nullptr ? std::getenv(variable) : "";
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder + name;
}
// A file below the source tree named by LUMISAT_SOURCE.
inline std::string SourceFile(const std::string& relativePath) { return FileIn("LUMISAT_SOURCE", relativePath); }

// Lumisat.exe from the folder in LUMISAT_BIN, loaded once as a data file
// (common controls registered first); null when it cannot be loaded.
inline HMODULE ProgramModule()
{
    static HMODULE module = [] {
        INITCOMMONCONTROLSEX classes{sizeof(classes),
                                     ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES};
        InitCommonControlsEx(&classes);
        return LoadLibraryExA(FileIn("LUMISAT_BIN", "Lumisat.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

// The numbers the resource header defines under names starting with prefix
// ("IDD_", "IDC_"), by name.
inline std::map<std::string, int> ResourceNumbers(const char* prefix)
{
    std::map<std::string, int> numbers;
    std::ifstream header(SourceFile("resources\\resource.h"));
    std::string define, name;
    for (int number = 0; header >> define;) {
        if (define == "#define" && header >> name && name.rfind(prefix, 0) == 0 && header >> number)
            numbers[name] = number;
    }
    return numbers;
}

// True for a template of a child window (a tab page).
inline bool IsChildTemplate(int templateId)
{
    HRSRC found = FindResourceA(ProgramModule(), MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    if (found == nullptr || SizeofResource(ProgramModule(), found) < 32)
        return false;
    // DLGTEMPLATEEX: version, signature, help id, extended style, then style.
    DWORD style = 0;
    std::memcpy(&style, static_cast<const WORD*>(LockResource(LoadResource(ProgramModule(), found))) + 6, sizeof style);
    return (style & WS_CHILD) != 0;
}

// A dialog created, not shown, from one of the program's templates with a
// dialog procedure that does nothing. Child templates (the tab pages) get a
// hidden top-level window as parent. Both windows go with the object.
class TemplateDialog {
public:
    explicit TemplateDialog(int templateId)
    {
        if (IsChildTemplate(templateId))
            parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        dialog = CreateDialogParamA(ProgramModule(), MAKEINTRESOURCEA(templateId), parent, Inert, 0);
    }
    ~TemplateDialog()
    {
        DestroyWindow(dialog);
        DestroyWindow(parent);
    }
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    HWND Handle() const { return dialog; }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }

private:
    static INT_PTR CALLBACK Inert(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

    HWND parent = nullptr;
    HWND dialog = nullptr;
};

// The dialog's own controls, in creation order.
inline std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}
inline int ControlId(HWND control) { return static_cast<short>(GetDlgCtrlID(control)); }
inline DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

inline std::string WindowText(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}
inline std::wstring WindowTextWide(HWND window)
{
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}
inline std::string ClassNameOf(HWND window)
{
    char name[128] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// The window's rectangle in the client coordinates of its parent.
inline RECT RectInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}   // namespace resource_test
