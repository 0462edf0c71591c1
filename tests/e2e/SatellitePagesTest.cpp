// The LNB & Switch and Dish Setting pages of a satellite card wired to their
// rules and the database file: the LNB pairs, new, removed and edited
// transponders with their messages, one accepted and one refused value each.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

FileSatellite AstraWith(std::vector<FileTransponder> transponders)
{
    return {.name = "Astra", .degree = 192, .transponders = std::move(transponders)};
}

const FileTransponder k12380V{"12380V/27500", 12380, 27500, 0, {}};
const FileTransponder k11494H{"11494H/22000", 11494, 22000, 1, {}};

std::vector<std::string> Names(const FileSatellite& satellite)
{
    std::vector<std::string> names;
    for (const FileTransponder& transponder : satellite.transponders)
        names.push_back(transponder.name);
    return names;
}

std::vector<std::string> LnbPair(const LumisatRun& run)
{
    HWND first = run.Control(IDC_LNB_FREQ1);
    return {WindowText(first), WindowText(run.Control(IDC_LNB_FREQ2)), IsWindowEnabled(first) ? "on" : "off"};
}

// Opens Transponder Info with New, fills it and presses OK; the text of the
// dialog's own refusal (answered), or empty when the dialog closed.
std::string AddTransponder(const LumisatRun& run, const char* frequency, const char* symbolRate, int polarityId)
{
    Click(run.Control(IDC_DISH_NEW));
    HWND dialog = run.WaitForWindow("Transponder Info");
    if (dialog == nullptr)
        return "(no dialog)";
    SetText(GetDlgItem(dialog, IDC_TPINFO_FREQUENCY), frequency);
    SetText(GetDlgItem(dialog, IDC_TPINFO_SYMBOL_RATE), symbolRate);
    ChooseRadio(dialog, polarityId, {IDC_TPINFO_VERTICAL, IDC_TPINFO_HORIZONTAL});
    Click(GetDlgItem(dialog, IDOK));
    HWND box = nullptr;
    WaitFor([&] { return !IsWindow(dialog) || (box = run.WaitForMessageBox(milliseconds(50))) != nullptr; });
    if (box == nullptr || GetWindow(box, GW_OWNER) != dialog)
        return std::string();
    const std::string text = AnswerBox(box, IDOK);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitFor([&] { return !IsWindow(dialog); });
    return text;
}

}  // namespace

TEST(SatellitePages, LnbTypeWritesItsPairAndCustomTakesTypedFrequencies)
{
    LumisatRun run("lnb_types");
    ASSERT_TRUE(StartWithSatellites(run, {AstraWith({k11494H})}));
    HWND type = run.Control(IDC_LNB_TYPE_COMBO);
    EXPECT_EQ(LnbPair(run), (std::vector<std::string>{"9750", "10600", "off"}));
    EXPECT_FALSE(IsWindowEnabled(run.Control(IDC_MAIN_APPLY))) << "showing the record changes nothing";
    ChooseItemNow(type, 0);
    EXPECT_EQ(LnbPair(run), (std::vector<std::string>{"5150", "5750", "off"}));
    ChooseItemNow(type, 2);
    EXPECT_EQ(LnbPair(run), (std::vector<std::string>{"11300", "0", "on"}));
    EnterText(run.Control(IDC_LNB_FREQ1), "10750");
    ChooseItemNow(run.Control(IDC_LNB_DISEQC_COMBO), 4);
    ChooseRadio(GetParent(run.Control(IDC_LNB_USALS)), IDC_LNB_DISEQC_MOTOR,
                {IDC_LNB_FIXED, IDC_LNB_DISEQC_MOTOR, IDC_LNB_USALS});
    SendMessageA(run.Control(IDC_LNB_TONE_22K), BM_SETCHECK, BST_CHECKED, 0);
    SendNotification(run.Control(IDC_LNB_TONE_22K), BN_CLICKED);

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndRead(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(std::vector<int>({saved[0].lnbType, saved[0].lnbFreq1, saved[0].lnbFreq2, saved[0].diseqcPort,
                                saved[0].dishType, saved[0].tone22k, saved[0].lnbPower}),
              std::vector<int>({2, 10750, 0, 4, 1, 1, 1}));
}

TEST(SatellitePages, NewAndRemovedTranspondersAskRefuseAndReachTheFile)
{
    LumisatRun run("transponder_new");
    ASSERT_TRUE(StartWithSatellites(run, {AstraWith({k12380V, k11494H})}));
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    HWND combo = run.Control(IDC_DISH_FREQUENCY_COMBO);
    EXPECT_EQ(ComboTexts(combo), (std::vector<std::string>{"12380", "11494"}));

    EXPECT_EQ(AddTransponder(run, "949", "27500", IDC_TPINFO_VERTICAL), "Frequency data is invalid,it must be 950-14000");
    EXPECT_EQ(AddTransponder(run, "12380", "27500", IDC_TPINFO_VERTICAL), "") << "the dialog takes it";
    EXPECT_EQ(run.AnswerNextBox(IDOK), "This transponder already exist.") << "the page refuses it";
    EXPECT_EQ(AddTransponder(run, "12380", "27500", IDC_TPINFO_HORIZONTAL), "") << "another polarity";
    EXPECT_TRUE(run.NoMessageBoxFor(milliseconds(300)));
    EXPECT_TRUE(WaitFor([&] { return ComboSelection(combo) == 2; })) << "the new transponder becomes current";

    ChooseItemNow(combo, 1);
    for (const int answer : {IDNO, IDYES}) {
        Click(run.Control(IDC_DISH_REMOVE));
        HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowText(box), kMainTitle);
        EXPECT_EQ(AnswerBox(box, answer), "Are you sure to remove the current transponder?");
    }
    EXPECT_TRUE(WaitFor([&] { return ComboTexts(combo) == std::vector<std::string>{"12380", "12380"}; }));

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndRead(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(Names(saved[0]), (std::vector<std::string>{"12380V/27500", "12380H/27500"}));
    EXPECT_EQ(saved[0].transponders[1].polarity, 1);
}

TEST(SatellitePages, EditsOfTheCurrentTransponderAreCheckedAndRenameIt)
{
    LumisatRun run("transponder_edits");
    ASSERT_TRUE(StartWithSatellites(run, {AstraWith({k12380V, {"11494V/27500", 11494, 27500, 0, {}}})}));
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    HWND page = GetParent(run.Control(IDC_DISH_LOCK_TEST));
    HWND combo = run.Control(IDC_DISH_FREQUENCY_COMBO);
    HWND symbolRate = run.Control(IDC_DISH_SYMBOL_RATE);

    EnterText(combo, "14001", CBN_KILLFOCUS);
    EXPECT_EQ(WindowText(combo), "12380") << "out of range: silently restored";
    EnterText(symbolRate, "45001");
    EXPECT_EQ(WindowText(symbolRate), "27500");
    EXPECT_FALSE(IsWindowEnabled(run.Control(IDC_MAIN_APPLY))) << "nothing was changed";
    // Another transponder's frequency is refused with a message; posted, as the box blocks the page.
    SetText(combo, "11494");
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DISH_FREQUENCY_COMBO, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(run.AnswerNextBox(IDOK), "This transponder already exist.");
    EXPECT_TRUE(WaitFor([&] { return WindowText(combo) == "12380"; }));

    ChooseRadio(page, IDC_DISH_HORIZONTAL, {IDC_DISH_VERTICAL, IDC_DISH_HORIZONTAL});
    EnterText(symbolRate, "02750");
    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndRead(run, saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(Names(saved[0]), (std::vector<std::string>{"12380H/02750", "11494V/27500"})) << "the rate as typed";
    EXPECT_EQ(saved[0].transponders[0].symbolRate, 2750);
    EXPECT_EQ(saved[0].transponders[0].polarity, 1);

    EnterText(combo, "12500", CBN_KILLFOCUS);
    ASSERT_TRUE(ApplyAndRead(run, saved));
    EXPECT_EQ(Names(saved[0]).at(0), "12500H/2750") << "a frequency edit names it afresh";
}
