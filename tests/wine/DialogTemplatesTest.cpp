// The dialog templates of Lumisat.exe, created from the built program and held
// against what the program relies on: the controls its resource header names,
// the texts of the English language file, the combo items read through the
// program's own reader, and the styles its field rules need.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/DialogInit.h"
#include "language/win/DialogLanguage.h"
#include "resources/resource.h"
#include "tests/wine/ResourceTestSupport.h"
#include "tuning/win/ScanDialogLanguage.h"

using namespace resource_test;

namespace {

// The class a control's name in the resource header promises.
const char* ClassOfName(const std::string& name)
{
    const auto endsWith = [&](const char* end) {
        const size_t length = std::strlen(end);
        return name.size() >= length && name.compare(name.size() - length, length, end) == 0;
    };
    if (endsWith("_COMBO"))
        return "ComboBox";
    if (endsWith("_LABEL") || endsWith("_UNIT") || endsWith("_RANGE"))
        return "Static";
    if (endsWith("_GROUP") || endsWith("_LOCK_TEST") || endsWith("_IMPORT"))
        return "Button";
    if (endsWith("_TAB"))
        return "SysTabControl32";
    if (endsWith("_LIST"))
        return "SysListView32";
    return nullptr;
}

// Style bits set by the templates that the program's code relies on.
struct StyleRule {
    const char* what;
    DWORD bits;
    std::vector<int> ids;
};
const StyleRule kStyleRules[] = {
    {"ES_NUMBER",
     ES_NUMBER,
     {IDC_LNB_FREQ1, IDC_LNB_FREQ2, IDC_DISH_SYMBOL_RATE, IDC_PID_PROXY_PORT, IDC_SATINFO_DEGREE, IDC_TPINFO_FREQUENCY,
      IDC_TPINFO_SYMBOL_RATE, IDC_CABLE_FREQUENCY, IDC_CABLE_SYMBOL_RATE}},
    {"ES_READONLY",
     ES_READONLY,
     {IDC_DISH_TYPE_TEXT, IDC_DISH_SATELLITE_TEXT, IDC_DISH_MOTOR_ANGLE, IDC_DISH_ELEVATION, IDC_PID_MAC_TEXT}},
};

// Controls the program shows only when it needs them.
const std::set<int> kHiddenAtStart{
    IDC_MAIN_STRENGTH_BAR,        IDC_MAIN_QUALITY_BAR,       IDC_DISH_DEGREE_LABEL,       IDC_DISH_DEGREE,
    IDC_DISH_TRANSPONDER_LABEL,   IDC_DISH_TRANSPONDER_COMBO, IDC_DISH_FREQUENCY,          IDC_DISH_DRIVE_EAST,
    IDC_DISH_DRIVE_WEST,          IDC_PID_BYTE_RECEIVE_LABEL, IDC_PID_BYTES_RECEIVED,      IDC_PID_BYTE_RECEIVE_UNIT,
    IDC_PID_BYTE_ERROR_LABEL,     IDC_PID_BYTES_ERROR,        IDC_PID_BYTE_ERROR_UNIT,     IDC_PID_PACKET_GROUP,
    IDC_PID_PACKET_RECEIVE_LABEL, IDC_PID_PACKETS_RECEIVED,   IDC_PID_PACKET_RECEIVE_UNIT, IDC_PID_PACKET_ERROR_LABEL,
    IDC_PID_PACKETS_ERROR,        IDC_PID_PACKET_ERROR_UNIT,  IDC_PID_PACKET_TOTAL_LABEL,  IDC_PID_PACKETS_TOTAL,
    IDC_PID_PACKET_TOTAL_UNIT,    IDC_PID_PROXY_GROUP,        IDC_PID_PROXY_ADDRESS_LABEL, IDC_PID_PROXY_ADDRESS,
    IDC_PID_PROXY_PORT_LABEL,     IDC_PID_PROXY_PORT,         IDC_SATINFO_DEGREE_LABEL,    IDC_SATINFO_DEGREE};

std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

}   // namespace

TEST(DialogTemplates, EveryNamedControlIsInOneTemplateWithTheClassItsNameSays)
{
    ASSERT_NE(ProgramModule(), nullptr) << "Lumisat.exe not found in LUMISAT_BIN";
    const std::map<std::string, int> controls = ResourceNumbers("IDC_");
    std::map<int, std::string> nameOf;
    for (const auto& [name, id] : controls)
        nameOf.emplace(id, name);
    std::map<int, int> dialogOf;
    for (const auto& [dialogName, dialogId] : ResourceNumbers("IDD_")) {
        SCOPED_TRACE(dialogName);
        TemplateDialog dialog(dialogId);
        ASSERT_NE(dialog.Handle(), nullptr) << "template missing or not creatable";
        for (HWND control : Children(dialog.Handle())) {
            const int id = ControlId(control);
            if (id == -1 || id == IDOK || id == IDCANCEL)
                continue;
            ASSERT_EQ(nameOf.count(id), 1u) << "control " << id << " is not in the resource header";
            const auto [entry, added] = dialogOf.emplace(id, dialogId);
            EXPECT_TRUE(added) << nameOf[id] << " also in dialog " << entry->second
                               << ": a language line would address both";
            if (const char* wanted = ClassOfName(nameOf[id]))
                EXPECT_EQ(wanted, ClassNameOf(control)) << nameOf[id];
            EXPECT_EQ(kHiddenAtStart.count(id) == 0, (StyleOf(control) & WS_VISIBLE) != 0) << nameOf[id] << " visible";
        }
    }
    for (const auto& [name, id] : controls)
        EXPECT_EQ(dialogOf.count(id), 1u) << name << " is in no template";
}

TEST(DialogTemplates, StylesTheProgramReliesOn)
{
    ASSERT_NE(ProgramModule(), nullptr);
    std::map<int, DWORD> styleOf;
    std::map<int, HWND> windowOf;
    for (const auto& [dialogName, dialogId] : ResourceNumbers("IDD_")) {
        TemplateDialog dialog(dialogId);
        const DWORD style = StyleOf(dialog.Handle());
        EXPECT_EQ(0u, style & WS_VISIBLE) << dialogName << ": shown by the program, not by the template";
        if (IsChildTemplate(dialogId))
            EXPECT_EQ(0u, style & (WS_CAPTION | WS_POPUP)) << dialogName;
        else
            EXPECT_NE(0u, style & WS_POPUP) << dialogName;
        for (HWND control : Children(dialog.Handle()))
            styleOf[ControlId(control)] = StyleOf(control);
    }
    for (const StyleRule& rule : kStyleRules) {
        for (int id : rule.ids)
            EXPECT_EQ(rule.bits, styleOf[id] & rule.bits) << rule.what << " missing on control " << id;
    }
}

// The English file, applied as the program applies it to each dialog, leaves
// every word of the templates as it is: each has its line, with its text.
TEST(DialogTemplates, EnglishFileSaysWhatTheTemplatesSay)
{
    ASSERT_NE(ProgramModule(), nullptr);
    const std::string english = SourceFile("resources\\Language\\English.txt");
    const std::map<int, DialogLanguageKeys> translated{
        {IDD_ABOUTBOX, CaptionDialogLanguageKeys("Dialog4")},
        {IDD_MAIN, MainDialogLanguageKeys(0)},
        {IDD_LNB_PAGE, TabPageLanguageKeys()},
        {IDD_DISH_PAGE, TabPageLanguageKeys()},
        {IDD_PID_PAGE, TabPageLanguageKeys()},
        {IDD_CABLE_PAGE, TabPageLanguageKeys()},
        {IDD_TERRESTRIAL_PAGE, TabPageLanguageKeys()},
        {IDD_SATELLITE_INFO, SatelliteInfoLanguageKeys(false)},
        {IDD_TRANSPONDER_INFO, CaptionDialogLanguageKeys("Dialog2")},
        {IDD_PID_INFO, CaptionDialogLanguageKeys("Dialog3")},
        {IDD_MAC_ADDRESS, MacAddressLanguageKeys()},
        {IDD_SCAN_PROGRESS, ScanDialogLanguageKeys()},
        {IDD_SCAN_RESULTS, ScanDialogLanguageKeys()},
    };
    for (const auto& [dialogId, keys] : translated) {
        SCOPED_TRACE("dialog " + std::to_string(dialogId));
        TemplateDialog dialog(dialogId);
        std::vector<HWND> windows;
        for (HWND control : Children(dialog.Handle())) {
            const DWORD type = StyleOf(control) & SS_TYPEMASK;
            const std::string kind = ClassNameOf(control);
            // Controls numbered -1 cannot be named by a language line.
            if (ControlId(control) != -1 &&
                (kind == "Button" || (kind == "Static" && type != SS_ICON && type != SS_BITMAP)))
                windows.push_back(control);
        }
        if (!keys.captionKey.empty())
            windows.push_back(dialog.Handle());
        std::vector<std::string> original;
        for (HWND window : windows) {
            original.push_back(WindowText(window));
            SetWindowTextA(window, "\x7F");
        }
        ASSERT_TRUE(ApplyDialogLanguage(dialog.Handle(), english, keys));
        for (size_t i = 0; i < windows.size(); ++i) {
            const std::string& text = original[i];
            if (text.find_first_not_of("0123456789.%") == std::string::npos)
                continue;
            EXPECT_EQ(text, WindowText(windows[i])) << "control " << ControlId(windows[i]) << " (\x7F: no line)";
        }
    }
}

TEST(DialogTemplates, ComboItemsComeThroughTheProgramsReader)
{
    ASSERT_NE(ProgramModule(), nullptr);
    const auto items = [](int dialogId, int comboId) {
        TemplateDialog dialog(dialogId);
        ApplyDialogInit(dialog.Handle(), ProgramModule(), dialogId);
        return ComboItems(dialog.Item(comboId));
    };
    using Items = std::vector<std::string>;
    EXPECT_EQ(items(IDD_CABLE_PAGE, IDC_CABLE_QAM_COMBO), (Items{"Auto", "16", "32", "64", "128", "256"}));
    EXPECT_EQ(items(IDD_TERRESTRIAL_PAGE, IDC_DTT_BANDWIDTH_COMBO), (Items{"Auto", "6", "7", "8"}));
    EXPECT_EQ(items(IDD_DISH_PAGE, IDC_DISH_POSITION_COMBO), (Items{"0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(items(IDD_PID_INFO, IDC_PIDINFO_TYPE_COMBO), Items{"MPE Data"});
}
