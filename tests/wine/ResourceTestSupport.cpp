#include "tests/wine/ResourceTestSupport.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace resource_test {

namespace {

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string JoinPath(std::string folder, const char* name)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder + name;
}

}  // namespace

HMODULE ProgramModule()
{
    static HMODULE module = [] {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                          ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES};
        InitCommonControlsEx(&classes);
        std::string path = JoinPath(EnvironmentValue("LUMISAT_BIN"), "Lumisat.exe");
        return LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

std::string SourceFile(const char* relativePath)
{
    return JoinPath(EnvironmentValue("LUMISAT_SOURCE"), relativePath);
}

std::map<std::string, int> ResourceNumbers(const char* prefix)
{
    std::map<std::string, int> numbers;
    std::ifstream header(SourceFile("resources\\resource.h"));
    std::string define, name;
    while (header >> define) {
        int number = 0;
        if (define == "#define" && header >> name && name.rfind(prefix, 0) == 0 && header >> number)
            numbers[name] = number;
    }
    return numbers;
}

bool IsChildTemplate(int templateId)
{
    HRSRC found = FindResourceA(ProgramModule(), MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    if (found == nullptr || SizeofResource(ProgramModule(), found) < 32)
        return false;
    // DLGTEMPLATEEX: version, signature, help id, extended style, then style.
    DWORD style = 0;
    std::memcpy(&style, static_cast<const WORD*>(LockResource(LoadResource(ProgramModule(), found))) + 6, sizeof style);
    return (style & WS_CHILD) != 0;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

int ControlId(HWND control)
{
    return static_cast<short>(GetDlgCtrlID(control));
}

TemplateDialog::TemplateDialog(int templateId)
{
    if (IsChildTemplate(templateId)) {
        parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    dialog = CreateDialogParamA(ProgramModule(), MAKEINTRESOURCEA(templateId), parent, InertDialogProc, 0);
}

TemplateDialog::~TemplateDialog()
{
    if (dialog != nullptr)
        DestroyWindow(dialog);
    if (parent != nullptr)
        DestroyWindow(parent);
}

std::string WindowText(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, static_cast<int>(sizeof(text)));
    return text;
}

std::wstring WindowTextWide(HWND window)
{
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, static_cast<int>(sizeof(text) / sizeof(text[0])));
    return text;
}

std::string ClassNameOf(HWND window)
{
    char name[128] = "";
    GetClassNameA(window, name, static_cast<int>(sizeof(name)));
    return name;
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
}

RECT RectInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace resource_test
