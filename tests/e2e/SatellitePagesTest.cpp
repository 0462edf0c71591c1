// The LNB & Switch and Dish Setting pages of a satellite card: what their
// controls show, the transponder list with its messages, and what reaches
// the database file.
#include "tests/e2e/Harness.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/SatelliteFile.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::vector<int> kDishTypeRadios = {IDC_LNB_FIXED, IDC_LNB_DISEQC_MOTOR, IDC_LNB_USALS};
const std::vector<int> kPolarityRadios = {IDC_DISH_VERTICAL, IDC_DISH_HORIZONTAL};

FileTransponder Transponder(const std::string& name, int frequency, int symbolRate, int polarity)
{
    FileTransponder transponder;
    transponder.name = name;
    transponder.frequency = frequency;
    transponder.symbolRate = symbolRate;
    transponder.polarity = polarity;
    return transponder;
}

FileSatellite Satellite(const std::string& name, int degree, std::vector<FileTransponder> transponders = {})
{
    FileSatellite satellite;
    satellite.name = name;
    satellite.degree = degree;
    satellite.transponders = std::move(transponders);
    return satellite;
}

struct Pair {
    std::string first;
    std::string second;
    bool enabled;
    bool operator==(const Pair&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Pair& pair)
{
    return out << "(" << pair.first << ", " << pair.second << (pair.enabled ? ", enabled)" : ", disabled)");
}

Pair ShownLnbPair(HWND dialog)
{
    HWND first = FindControl(dialog, IDC_LNB_FREQ1);
    HWND second = FindControl(dialog, IDC_LNB_FREQ2);
    return {WindowText(first), WindowText(second), IsWindowEnabled(first) && IsWindowEnabled(second)};
}

std::vector<std::string> TransponderNames(const FileSatellite& satellite)
{
    std::vector<std::string> names;
    for (const FileTransponder& transponder : satellite.transponders)
        names.push_back(transponder.name);
    return names;
}

// Opens the Transponder Info dialog with New and returns it.
HWND OpenTransponderInfo(const LumisatRun& run)
{
    ClickIn(run.MainDialog(), IDC_DISH_NEW);
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = run.FindTopLevel("#32770", "Transponder Info");
        return dialog != nullptr && IsWindowVisible(dialog);
    });
    return dialog;
}

void FillTransponderInfo(HWND dialog, const std::string& frequency, const std::string& symbolRate, int polarityId)
{
    SetText(GetDlgItem(dialog, IDC_TPINFO_FREQUENCY), frequency);
    SetText(GetDlgItem(dialog, IDC_TPINFO_SYMBOL_RATE), symbolRate);
    ChooseRadio(dialog, polarityId, {IDC_TPINFO_VERTICAL, IDC_TPINFO_HORIZONTAL});
}

// Presses OK and returns the text of the message box that refuses the
// values, after answering it; empty when the dialog closed instead.
std::string RefusalOnOk(const LumisatRun& run, HWND dialog)
{
    ClickIn(dialog, IDOK);
    std::string text;
    WaitFor([&] {
        if (!IsWindow(dialog))
            return true;
        // Only a box of the dialog itself; the page's own messages come after it closed.
        HWND box = WaitForProgramMessage(run, std::chrono::milliseconds(50));
        if (box == nullptr || GetWindow(box, GW_OWNER) != dialog)
            return false;
        text = MessageBoxText(box);
        EXPECT_EQ(WindowText(box), kMainTitle);
        EXPECT_TRUE(Answer(box, IDOK));
        return true;
    });
    return text;
}

// Types into the frequency combo box and leaves it without waiting for the
// page, which answers with a message box.
void LeaveComboPosted(HWND page, HWND combo, const std::string& text)
{
    SetText(combo, text);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DISH_FREQUENCY_COMBO, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(combo));
}

}  // namespace

TEST(SatellitePages, LnbTypeShowsTheFixedPairsAndCustomStartsAt11300)
{
    LumisatRun run("lnb_types");
    ASSERT_TRUE(StartWithSatellites(run, {Satellite("Astra", 192, {Transponder("11494H/22000", 11494, 22000, 1)})}));
    HWND dialog = run.MainDialog();
    HWND typeCombo = FindControl(dialog, IDC_LNB_TYPE_COMBO);
    EXPECT_EQ(ComboTexts(typeCombo), (std::vector<std::string>{"Normal", "Universal", "Custom"}));
    EXPECT_EQ(ComboTexts(FindControl(dialog, IDC_LNB_DISEQC_COMBO)),
              (std::vector<std::string>{"Disable", "LNB A", "LNB B", "LNB C", "LNB D"}));
    EXPECT_EQ(ComboSelection(typeCombo), 1);
    EXPECT_EQ(ShownLnbPair(dialog), (Pair{"9750", "10600", false}));
    EXPECT_FALSE(IsWindowEnabled(FindControl(dialog, IDC_MAIN_APPLY))) << "showing the record changes nothing";

    ChooseItemNow(typeCombo, 0);
    EXPECT_EQ(ShownLnbPair(dialog), (Pair{"5150", "5750", false}));
    EXPECT_TRUE(IsWindowEnabled(FindControl(dialog, IDC_MAIN_APPLY)));
    ChooseItemNow(typeCombo, 2);
    EXPECT_EQ(ShownLnbPair(dialog), (Pair{"11300", "0", true}));

    // A typed pair is lost when a fixed type writes its own pair.
    EnterText(FindControl(dialog, IDC_LNB_FREQ1), "10750");
    ChooseItemNow(typeCombo, 1);
    EXPECT_EQ(ShownLnbPair(dialog), (Pair{"9750", "10600", false}));
    ChooseItemNow(typeCombo, 2);
    EXPECT_EQ(ShownLnbPair(dialog), (Pair{"11300", "0", true}));

    SetText(FindControl(dialog, IDC_LNB_FREQ1), "10750");
    SetText(FindControl(dialog, IDC_LNB_FREQ2), "");
    EXPECT_EQ(ShownLnbPair(dialog), (Pair{"10750", "0", true})) << "a cleared frequency reads 0";
    ChooseItemNow(FindControl(dialog, IDC_LNB_DISEQC_COMBO), 4);
    ChooseRadio(PageOf(dialog, IDC_LNB_USALS), IDC_LNB_DISEQC_MOTOR, kDishTypeRadios);
    SendMessageA(FindControl(dialog, IDC_LNB_TONE_22K), BM_SETCHECK, BST_CHECKED, 0);
    SendNotification(FindControl(dialog, IDC_LNB_TONE_22K), BN_CLICKED);

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].lnbType, 2);
    EXPECT_EQ(saved[0].lnbFreq1, 10750);
    EXPECT_EQ(saved[0].lnbFreq2, 0);
    EXPECT_EQ(saved[0].diseqcPort, 4);
    EXPECT_EQ(saved[0].dishType, 1);
    EXPECT_EQ(saved[0].tone22k, 1);
    EXPECT_EQ(saved[0].lnbPower, 1);
}

TEST(SatellitePages, UsalsCannotBeChosenOnCardsOfKind3)
{
    FileSatellite usals = Satellite("Motorised", 192);
    usals.dishType = 2;
    for (const int kind : {3, 0}) {
        LumisatRun run("usals_kind_" + std::to_string(kind));
        ASSERT_TRUE(StartWithSatellites(run, {usals}, kind));
        HWND radio = FindControl(run.MainDialog(), IDC_LNB_USALS);
        EXPECT_EQ(IsWindowEnabled(radio) != FALSE, kind != 3) << "kind " << kind;
        EXPECT_TRUE(IsChecked(radio)) << "a USALS satellite still shows its type, kind " << kind;
        ASSERT_TRUE(ShowTab(run.MainDialog(), kDishTab, IDC_DISH_LOCK_TEST));
        EXPECT_EQ(WindowText(FindControl(run.MainDialog(), IDC_DISH_TYPE_TEXT)), "USALS");
    }
}

TEST(SatellitePages, DishPageShowsTheSatelliteAndItsTransponders)
{
    LumisatRun run("dish_view");
    ASSERT_TRUE(StartWithSatellites(run, {Satellite("Astra", 192,
                                                    {Transponder("11494H/22000", 11494, 22000, 1),
                                                     Transponder("12380V/27500", 12380, 27500, 0)}),
                                          Satellite("Empty", 130)}));
    HWND dialog = run.MainDialog();
    ASSERT_TRUE(ShowTab(dialog, kDishTab, IDC_DISH_LOCK_TEST));
    HWND combo = FindControl(dialog, IDC_DISH_FREQUENCY_COMBO);
    EXPECT_EQ(WindowText(FindControl(dialog, IDC_DISH_TYPE_TEXT)), "Fixed");
    EXPECT_EQ(WindowText(FindControl(dialog, IDC_DISH_SATELLITE_TEXT)), "Astra (192)");
    EXPECT_EQ(ComboTexts(combo), (std::vector<std::string>{"11494", "12380"}));
    EXPECT_EQ(ComboSelection(combo), 0);
    EXPECT_EQ(WindowText(FindControl(dialog, IDC_DISH_SYMBOL_RATE)), "22000");
    EXPECT_TRUE(IsChecked(FindControl(dialog, IDC_DISH_HORIZONTAL)));

    ChooseItemNow(combo, 1);
    EXPECT_EQ(WindowText(FindControl(dialog, IDC_DISH_SYMBOL_RATE)), "27500");
    EXPECT_TRUE(IsChecked(FindControl(dialog, IDC_DISH_VERTICAL)));
    EXPECT_TRUE(IsWindowEnabled(FindControl(dialog, IDC_MAIN_APPLY)));

    // A satellite without transponders: an empty list and disabled fields; New stays.
    ChooseItemNow(FindControl(dialog, IDC_MAIN_SATELLITE_COMBO), 1);
    EXPECT_TRUE(ComboTexts(combo).empty());
    for (int id : {IDC_DISH_FREQUENCY_COMBO, IDC_DISH_SYMBOL_RATE, IDC_DISH_VERTICAL, IDC_DISH_HORIZONTAL})
        EXPECT_FALSE(IsWindowEnabled(FindControl(dialog, id))) << "control " << id;
    EXPECT_TRUE(IsWindowEnabled(FindControl(dialog, IDC_DISH_NEW)));
    EXPECT_EQ(WindowText(FindControl(dialog, IDC_DISH_SYMBOL_RATE)), "");
}

TEST(SatellitePages, NewTransponderRefusesBadValuesAndDuplicates)
{
    LumisatRun run("transponder_new");
    ASSERT_TRUE(StartWithSatellites(run, {Satellite("Astra", 192, {Transponder("12380V/27500", 12380, 27500, 0)})}));
    ASSERT_TRUE(ShowTab(run.MainDialog(), kDishTab, IDC_DISH_LOCK_TEST));

    HWND dialog = OpenTransponderInfo(run);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsChecked(GetDlgItem(dialog, IDC_TPINFO_VERTICAL))) << "Vertical is preset";
    // The texts come from the shipped English file, whose String15 serves
    // both the empty and the out-of-range frequency.
    EXPECT_EQ(RefusalOnOk(run, dialog), "Frequency data is invalid,it must be 950-14000");
    FillTransponderInfo(dialog, "12380", "", IDC_TPINFO_VERTICAL);
    EXPECT_EQ(RefusalOnOk(run, dialog), "Symbol rate data is invalid,it must be 900-45000");
    FillTransponderInfo(dialog, "949", "27500", IDC_TPINFO_VERTICAL);
    EXPECT_EQ(RefusalOnOk(run, dialog), "Frequency data is invalid,it must be 950-14000");
    FillTransponderInfo(dialog, "14001", "27500", IDC_TPINFO_VERTICAL);
    EXPECT_EQ(RefusalOnOk(run, dialog), "Frequency data is invalid,it must be 950-14000");
    FillTransponderInfo(dialog, "12380", "899", IDC_TPINFO_VERTICAL);
    EXPECT_EQ(RefusalOnOk(run, dialog), "Symbol rate data is invalid,it must be 900-45000");
    FillTransponderInfo(dialog, "12380", "45001", IDC_TPINFO_VERTICAL);
    EXPECT_EQ(RefusalOnOk(run, dialog), "Symbol rate data is invalid,it must be 900-45000");
    ASSERT_TRUE(IsWindow(dialog)) << "refused values keep the dialog open";

    // The same values as the existing transponder: the dialog closes, the page refuses.
    FillTransponderInfo(dialog, "12380", "27500", IDC_TPINFO_VERTICAL);
    EXPECT_EQ(RefusalOnOk(run, dialog), "");
    HWND box = WaitForProgramMessage(run);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "This transponder already exist.");
    ASSERT_TRUE(Answer(box, IDOK));
    HWND combo = FindControl(run.MainDialog(), IDC_DISH_FREQUENCY_COMBO);
    EXPECT_EQ(ComboTexts(combo), (std::vector<std::string>{"12380"}));

    // Differing only in polarity is another transponder; the bounds are accepted.
    for (const auto& [frequency, symbolRate, polarity] :
         {std::tuple{"12380", "27500", IDC_TPINFO_HORIZONTAL}, std::tuple{"950", "900", IDC_TPINFO_VERTICAL},
          std::tuple{"14000", "45000", IDC_TPINFO_HORIZONTAL}}) {
        dialog = OpenTransponderInfo(run);
        ASSERT_NE(dialog, nullptr);
        FillTransponderInfo(dialog, frequency, symbolRate, polarity);
        EXPECT_EQ(RefusalOnOk(run, dialog), "") << frequency;
        EXPECT_TRUE(NoProgramMessageFor(run, std::chrono::milliseconds(300))) << frequency;
    }
    EXPECT_TRUE(WaitFor([&] { return ComboTexts(combo).size() == 4; }));
    EXPECT_EQ(ComboTexts(combo), (std::vector<std::string>{"12380", "12380", "950", "14000"}));
    EXPECT_EQ(ComboSelection(combo), 3) << "the new transponder becomes current";

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(TransponderNames(saved[0]),
              (std::vector<std::string>{"12380V/27500", "12380H/27500", "950V/900", "14000H/45000"}));
    EXPECT_EQ(saved[0].transponders[1].polarity, 1);
}

TEST(SatellitePages, RemoveAsksAndRemovesOnlyOnYes)
{
    LumisatRun run("transponder_remove");
    ASSERT_TRUE(StartWithSatellites(run, {Satellite("Astra", 192,
                                                    {Transponder("11494H/22000", 11494, 22000, 1),
                                                     Transponder("12380V/27500", 12380, 27500, 0)})}));
    HWND dialog = run.MainDialog();
    ASSERT_TRUE(ShowTab(dialog, kDishTab, IDC_DISH_LOCK_TEST));
    HWND combo = FindControl(dialog, IDC_DISH_FREQUENCY_COMBO);
    ChooseItemNow(combo, 1);

    for (const int answer : {IDNO, IDYES}) {
        ClickIn(dialog, IDC_DISH_REMOVE);
        HWND box = WaitForProgramMessage(run);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "Are you sure to remove the current transponder?");
        EXPECT_EQ(WindowText(box), kMainTitle);
        ASSERT_TRUE(Answer(box, answer));
        if (answer == IDNO)
            EXPECT_EQ(ComboTexts(combo), (std::vector<std::string>{"11494", "12380"}));
    }
    EXPECT_TRUE(WaitFor([&] { return ComboTexts(combo) == std::vector<std::string>{"11494"}; }));
    EXPECT_EQ(ComboSelection(combo), 0) << "the first transponder becomes current";

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(TransponderNames(saved[0]), (std::vector<std::string>{"11494H/22000"}));
}

TEST(SatellitePages, EditsOfTheCurrentTransponderRenameIt)
{
    LumisatRun run("transponder_edits");
    ASSERT_TRUE(StartWithSatellites(run, {Satellite("Astra", 192,
                                                    {Transponder("12380V/27500", 12380, 27500, 0),
                                                     Transponder("11494V/27500", 11494, 27500, 0)})}));
    HWND dialog = run.MainDialog();
    ASSERT_TRUE(ShowTab(dialog, kDishTab, IDC_DISH_LOCK_TEST));
    HWND page = PageOf(dialog, IDC_DISH_LOCK_TEST);
    HWND combo = FindControl(dialog, IDC_DISH_FREQUENCY_COMBO);
    HWND symbolRate = FindControl(dialog, IDC_DISH_SYMBOL_RATE);
    HWND apply = FindControl(dialog, IDC_MAIN_APPLY);

    // Silent restoring: the current value again, out of range, or not a number.
    for (const char* typed : {"12380", "949", "14001", ""}) {
        EnterText(combo, typed, CBN_KILLFOCUS);
        EXPECT_EQ(ComboText(combo), "12380") << "typed " << typed;
    }
    for (const char* typed : {"899", "45001", ""}) {
        EnterText(symbolRate, typed);
        EXPECT_EQ(WindowText(symbolRate), "27500") << "typed " << typed;
    }
    EXPECT_TRUE(NoProgramMessageFor(run, std::chrono::milliseconds(300)));
    EXPECT_FALSE(IsWindowEnabled(apply)) << "nothing was changed";

    // A frequency that another transponder already has is refused with a message.
    LeaveComboPosted(page, combo, "11494");
    HWND box = WaitForProgramMessage(run);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "This transponder already exist.");
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_TRUE(WaitFor([&] { return ComboText(combo) == "12380"; }));

    ChooseRadio(page, IDC_DISH_HORIZONTAL, kPolarityRadios);
    EnterText(symbolRate, "02750");
    EXPECT_EQ(WindowText(symbolRate), "2750");
    EnterText(combo, "12500", CBN_KILLFOCUS);
    EXPECT_EQ(ComboTexts(combo), (std::vector<std::string>{"12500", "11494"}));
    EXPECT_TRUE(IsWindowEnabled(apply));

    // The second transponder may not become equal to the first (now 12500H/2750).
    ChooseItemNow(combo, 1);
    ChooseRadio(page, IDC_DISH_HORIZONTAL, kPolarityRadios);
    EnterText(symbolRate, "2750");
    LeaveComboPosted(page, combo, "12500");
    box = WaitForProgramMessage(run);
    ASSERT_NE(box, nullptr) << "12500H/2750 exists";
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_TRUE(WaitFor([&] { return ComboText(combo) == "11494"; }));
    ChooseRadio(page, IDC_DISH_VERTICAL, kPolarityRadios);

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].transponders.size(), 2u);
    const FileTransponder& first = saved[0].transponders[0];
    EXPECT_EQ(first.name, "12500H/2750") << "a frequency edit names it afresh";
    EXPECT_EQ(first.frequency, 12500);
    EXPECT_EQ(first.symbolRate, 2750);
    EXPECT_EQ(first.polarity, 1);
    const FileTransponder& second = saved[0].transponders[1];
    EXPECT_EQ(second.name, "11494V/2750");
    EXPECT_EQ(second.symbolRate, 2750);
    EXPECT_EQ(second.polarity, 0);
}

TEST(SatellitePages, SymbolRateAndPolarityRenameKeepTheRestOfTheName)
{
    LumisatRun run("transponder_rename");
    ASSERT_TRUE(StartWithSatellites(run, {Satellite("Astra", 192, {Transponder("12380V/27500", 12380, 27500, 0)})}));
    HWND dialog = run.MainDialog();
    ASSERT_TRUE(ShowTab(dialog, kDishTab, IDC_DISH_LOCK_TEST));
    HWND page = PageOf(dialog, IDC_DISH_LOCK_TEST);

    ChooseRadio(page, IDC_DISH_HORIZONTAL, kPolarityRadios);
    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].transponders.size(), 1u);
    EXPECT_EQ(saved[0].transponders[0].name, "12380H/27500");

    EnterText(FindControl(dialog, IDC_DISH_SYMBOL_RATE), "02750");
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].transponders.size(), 1u);
    EXPECT_EQ(saved[0].transponders[0].name, "12380H/02750") << "the symbol rate as typed";
    EXPECT_EQ(saved[0].transponders[0].symbolRate, 2750);
}
