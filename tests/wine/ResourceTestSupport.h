// Helpers for the tests of Lumisat.exe's resources: the program loaded as a
// data file, dialogs created from its templates, window texts and rectangles.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace resource_test {

// Lumisat.exe from the folder in LUMISAT_BIN, loaded once as a data file
// (common controls registered first); null when it cannot be loaded.
HMODULE ProgramModule();

// The path of a file below the source tree named by LUMISAT_SOURCE.
std::string SourceFile(const char* relativePath);

// The numbers the resource header defines under names starting with prefix
// ("IDD_", "IDC_"), by name.
std::map<std::string, int> ResourceNumbers(const char* prefix);

// True for a template of a child window (a tab page).
bool IsChildTemplate(int templateId);

// A dialog created, not shown, from one of the program's templates with a
// dialog procedure that does nothing. Child templates (the tab pages) get a
// hidden top-level window as parent. Both windows go with the object.
class TemplateDialog {
public:
    explicit TemplateDialog(int templateId);
    ~TemplateDialog();
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    HWND Handle() const { return dialog; }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }

private:
    HWND parent = nullptr;
    HWND dialog = nullptr;
};

// The dialog's own controls, in creation order.
std::vector<HWND> Children(HWND dialog);
int ControlId(HWND control);

std::string WindowText(HWND window);
std::wstring WindowTextWide(HWND window);
std::string ClassNameOf(HWND window);
DWORD StyleOf(HWND window);

// The window's rectangle in the client coordinates of its parent.
RECT RectInParent(HWND window);

}  // namespace resource_test
