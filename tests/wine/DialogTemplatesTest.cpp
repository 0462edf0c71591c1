// The dialog templates of Lumisat.exe, created from the built program: every
// control the dialog classes and language files rely on, with its class,
// style and English text; sizes and fonts; the combo-box items stored with
// the templates.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/wine/DialogTemplateTable.h"
#include "tests/wine/ResourceTestSupport.h"

using namespace resource_test;

namespace {

const char* ClassOfKind(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Text:
    case ControlKind::Icon:
    case ControlKind::Bitmap: return "Static";
    case ControlKind::Edit: return "Edit";
    case ControlKind::DropDownList:
    case ControlKind::DropDownCombo: return "ComboBox";
    case ControlKind::ListView: return "SysListView32";
    case ControlKind::TabControl: return "SysTabControl32";
    case ControlKind::IpAddress: return "SysIPAddress32";
    default: return "Button";
    }
}

// Empty when the style matches the kind, else what is wrong.
std::string KindMismatch(ControlKind kind, DWORD style)
{
    const DWORD button = style & BS_TYPEMASK;
    const DWORD stat = style & SS_TYPEMASK;
    switch (kind) {
    case ControlKind::Text:
        return (stat == SS_LEFT || stat == SS_CENTER || stat == SS_RIGHT) ? "" : "not a text static";
    case ControlKind::Icon: return stat == SS_ICON ? "" : "not SS_ICON";
    case ControlKind::Bitmap: return stat == SS_BITMAP ? "" : "not SS_BITMAP";
    case ControlKind::GroupBox: return button == BS_GROUPBOX ? "" : "not BS_GROUPBOX";
    case ControlKind::PushButton: return button == BS_PUSHBUTTON ? "" : "not BS_PUSHBUTTON";
    case ControlKind::DefaultButton: return button == BS_DEFPUSHBUTTON ? "" : "not BS_DEFPUSHBUTTON";
    case ControlKind::CheckBox: return button == BS_AUTOCHECKBOX ? "" : "not BS_AUTOCHECKBOX";
    case ControlKind::RadioButton: return button == BS_AUTORADIOBUTTON ? "" : "not BS_AUTORADIOBUTTON";
    case ControlKind::DropDownList: return (style & 3) == CBS_DROPDOWNLIST ? "" : "not CBS_DROPDOWNLIST";
    case ControlKind::DropDownCombo: return (style & 3) == CBS_DROPDOWN ? "" : "not CBS_DROPDOWN";
    case ControlKind::ListView: {
        const DWORD wanted = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
        return (style & (LVS_TYPEMASK | wanted)) == wanted ? "" : "not a single-selection report list";
    }
    default: return "";
    }
}

void ExpectFlag(bool expected, bool actual, const char* what)
{
    EXPECT_EQ(expected, actual) << what << (expected ? " expected" : " not expected");
}

void CheckControl(HWND dialog, const ExpectedControl& expected)
{
    SCOPED_TRACE("control " + std::to_string(expected.id));
    HWND control = GetDlgItem(dialog, expected.id);
    ASSERT_NE(control, nullptr) << "missing";
    EXPECT_EQ(ClassOfKind(expected.kind), ClassNameOf(control));
    const DWORD style = StyleOf(control);
    EXPECT_EQ("", KindMismatch(expected.kind, style));
    ExpectFlag((expected.flags & kHidden) == 0, (style & WS_VISIBLE) != 0, "WS_VISIBLE");
    ExpectFlag((expected.flags & kDisabled) != 0, (style & WS_DISABLED) != 0, "WS_DISABLED");
    if (expected.kind == ControlKind::Edit) {
        ExpectFlag((expected.flags & kDigitsOnly) != 0, (style & ES_NUMBER) != 0, "ES_NUMBER");
        ExpectFlag((expected.flags & kReadOnly) != 0, (style & ES_READONLY) != 0, "ES_READONLY");
        ExpectFlag((expected.flags & kCentred) != 0, (style & ES_CENTER) != 0, "ES_CENTER");
    }
    if (expected.kind == ControlKind::Text && (expected.flags & kCentred) != 0) {
        EXPECT_EQ(static_cast<DWORD>(SS_CENTER), style & SS_TYPEMASK) << "centred text expected";
    }
    if (expected.text != nullptr) {
        EXPECT_EQ(expected.text, WindowText(control));
    }
}

std::vector<HWND> DirectChildren(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

int ControlId(HWND control)
{
    return static_cast<int>(static_cast<short>(GetDlgCtrlID(control)));
}

bool IsListed(const ExpectedDialog& dialog, int id)
{
    for (const ExpectedControl& control : dialog.controls) {
        if (control.id == id)
            return true;
    }
    return false;
}

// Items stored with a template as resource type 240: WORD id, WORD message,
// DWORD byte count, zero-terminated text; a WORD 0 ends the list.
struct StoredItem {
    int controlId;
    int message;
    std::string text;
};

bool ReadStoredItems(int dialogId, std::vector<StoredItem>& items)
{
    HMODULE module = ProgramModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(dialogId), MAKEINTRESOURCEA(240));
    if (found == nullptr)
        return false;
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const size_t size = SizeofResource(module, found);
    size_t at = 0;
    while (at + 2 <= size) {
        WORD id = 0;
        std::memcpy(&id, data + at, 2);
        if (id == 0)
            return true;
        if (at + 8 > size)
            return false;
        WORD message = 0;
        DWORD length = 0;
        std::memcpy(&message, data + at + 2, 2);
        std::memcpy(&length, data + at + 4, 4);
        at += 8;
        if (length == 0 || length > size - at || data[at + length - 1] != 0)
            return false;
        items.push_back({id, message, std::string(reinterpret_cast<const char*>(data + at), length - 1)});
        at += length;
    }
    return false;
}

}  // namespace

TEST(DialogTemplates, EveryControlHasItsClassStyleAndText)
{
    ASSERT_NE(ProgramModule(), nullptr) << "Lumisat.exe not found in LUMISAT_BIN";
    for (const ExpectedDialog& expected : ExpectedDialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        TemplateDialog dialog(expected.id, expected.page);
        ASSERT_NE(dialog.Handle(), nullptr) << "template missing or not creatable";
        for (const ExpectedControl& control : expected.controls)
            CheckControl(dialog.Handle(), control);
    }
}

TEST(DialogTemplates, DialogsHaveTheirCaptionFrameSizeAndFont)
{
    ASSERT_NE(ProgramModule(), nullptr);
    for (const ExpectedDialog& expected : ExpectedDialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        TemplateDialog dialog(expected.id, expected.page);
        HWND window = dialog.Handle();
        ASSERT_NE(window, nullptr);
        const DWORD style = StyleOf(window);
        EXPECT_EQ(expected.caption, WindowText(window));
        EXPECT_EQ(0u, style & WS_VISIBLE) << "shown by the program, not by the template";
        if (expected.page) {
            EXPECT_EQ(static_cast<DWORD>(WS_CHILD | DS_CONTROL), style & (WS_CHILD | DS_CONTROL));
            EXPECT_EQ(0u, style & (WS_CAPTION | WS_POPUP));
        } else {
            EXPECT_EQ(static_cast<DWORD>(WS_POPUP), style & (WS_POPUP | WS_CHILD));
            EXPECT_EQ(*expected.caption != '\0', (style & WS_CAPTION) == WS_CAPTION);
        }
        if (expected.widthDlu != 0) {
            RECT client{};
            GetClientRect(window, &client);
            RECT wanted = DialogUnitsToPixels(window, 0, 0, expected.widthDlu, expected.heightDlu);
            EXPECT_EQ(wanted.right, client.right);
            EXPECT_EQ(wanted.bottom, client.bottom);
        }
        LOGFONTA font{};
        auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        ASSERT_NE(0, GetObjectA(dialogFont, sizeof(font), &font));
        EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(-MulDiv(expected.fontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72), font.lfHeight);
        ReleaseDC(nullptr, screen);
    }
}

TEST(DialogTemplates, MainDialogCanBeMinimisedAndHasATaskBarButton)
{
    ASSERT_NE(ProgramModule(), nullptr);
    TemplateDialog dialog(102, false);
    ASSERT_NE(dialog.Handle(), nullptr);
    EXPECT_NE(0u, StyleOf(dialog.Handle()) & WS_MINIMIZEBOX);
    EXPECT_NE(0, GetWindowLongA(dialog.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(0, GetWindowLongA(dialog.Item(1007), GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
        << "tabbing into the pages needs the tab control to be a control parent";
}

TEST(DialogTemplates, IdentifiersAreListedAndUniqueAcrossDialogs)
{
    ASSERT_NE(ProgramModule(), nullptr);
    std::map<int, int> dialogOfId;
    for (const ExpectedDialog& expected : ExpectedDialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        TemplateDialog dialog(expected.id, expected.page);
        ASSERT_NE(dialog.Handle(), nullptr);
        for (HWND control : DirectChildren(dialog.Handle())) {
            const int id = ControlId(control);
            if (id == -1 || id == IDOK || id == IDCANCEL)
                continue;
            EXPECT_TRUE(IsListed(expected, id)) << "unexpected control " << id;
            auto [entry, added] = dialogOfId.emplace(id, expected.id);
            EXPECT_TRUE(added) << "control " << id << " also in dialog " << entry->second
                               << ": a language line would address both";
        }
    }
}

TEST(DialogTemplates, ComboItemsAreStoredWithTheirTemplates)
{
    ASSERT_NE(ProgramModule(), nullptr);
    const std::vector<std::pair<int, std::vector<StoredItem>>> expected{
        {130, {{1169, 0x403, "0"}, {1169, 0x403, "1"}, {1169, 0x403, "2"}, {1169, 0x403, "3"},
               {1169, 0x403, "4"}, {1169, 0x403, "5"}, {1169, 0x403, "6"}, {1169, 0x403, "7"}}},
        {141, {{1160, 0x403, "MPE Data"}}},
        {149, {{1145, 0x403, "Auto"}, {1145, 0x403, "16"}, {1145, 0x403, "32"}, {1145, 0x403, "64"},
               {1145, 0x403, "128"}, {1145, 0x403, "256"}}},
        {156, {{1205, 0x403, "Auto"}, {1205, 0x403, "6"}, {1205, 0x403, "7"}, {1205, 0x403, "8"}}},
    };
    for (const auto& [dialogId, wanted] : expected) {
        SCOPED_TRACE("dialog " + std::to_string(dialogId));
        std::vector<StoredItem> items;
        ASSERT_TRUE(ReadStoredItems(dialogId, items)) << "item list missing or malformed";
        ASSERT_EQ(wanted.size(), items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(wanted[i].controlId, items[i].controlId) << "item " << i;
            EXPECT_EQ(wanted[i].message, items[i].message) << "item " << i;
            EXPECT_EQ(wanted[i].text, items[i].text) << "item " << i;
        }
    }
}
