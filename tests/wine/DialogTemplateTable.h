// What each dialog template of Lumisat.exe must hold: every control the
// dialog classes and the language files address, with its kind, English text
// and the style bits the program relies on.
#pragma once

#include <vector>

namespace resource_test {

enum class ControlKind {
    Text,           // static text
    Icon,           // static showing an icon resource
    Bitmap,         // static showing a bitmap resource
    GroupBox,
    PushButton,
    DefaultButton,
    CheckBox,
    RadioButton,
    Edit,
    DropDownList,   // combo box without an edit field
    DropDownCombo,  // combo box with an edit field
    ListView,
    TabControl,
    IpAddress,
};

enum ControlFlag : unsigned {
    kHidden = 1u,      // created without WS_VISIBLE
    kDigitsOnly = 2u,  // ES_NUMBER
    kReadOnly = 4u,    // ES_READONLY
    kDisabled = 8u,    // WS_DISABLED
    kCentred = 16u,    // SS_CENTER or ES_CENTER
};

struct ExpectedControl {
    int id;
    ControlKind kind;
    const char* text;  // null: not fixed by the template (edits, lists, run-time values)
    unsigned flags;
};

struct ExpectedDialog {
    int id;
    const char* caption;  // empty for pages and the wait dialog
    bool page;            // a child page of the main dialog's tab control
    int widthDlu;         // 0 where the size is free
    int heightDlu;
    int fontPoints;
    std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedDialog>& ExpectedDialogs();

}  // namespace resource_test
