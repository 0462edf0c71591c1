// The satellite list and the LNB & Switch and Dish Setting pages of a
// satellite card wired to their rules and the database file: a new
// satellite's name compared as the system compares names, the LNB type and
// switch, new, edited and removed transponders with their messages, one
// accepted and one refused value each, typed as the keyboard does.
#include "tests/e2e/Scenario.h"

namespace {

Lines LnbPair(const LumisatRun& run)
{
    HWND first = run.Control(IDC_LNB_FREQ1);
    return {WindowText(first), WindowText(run.Control(IDC_LNB_FREQ2)), IsWindowEnabled(first) ? "on" : "off"};
}

// Opens Transponder Info with New, fills it and presses OK; the text of the
// dialog's own refusal (answered), or empty when the dialog closed.
std::string AddTransponder(const LumisatRun& run, const char* frequency, int polarityId)
{
    Click(run.Control(IDC_DISH_NEW));
    HWND dialog = run.WaitForWindow("Transponder Info");
    if (dialog == nullptr)
        return "(no dialog)";
    SetText(GetDlgItem(dialog, IDC_TPINFO_FREQUENCY), frequency);
    SetText(GetDlgItem(dialog, IDC_TPINFO_SYMBOL_RATE), "27500");
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

}   // namespace

TEST(SatellitePages, SatelliteLnbAndTransponderEditsAreCheckedAndReachTheFile)
{
    LumisatRun run("satellite_pages");
    Stages stage;
    // On code page 1252 the bytes 8A and 9A are S and s with a caron, one
    // letter in two cases, which a fold of ASCII and Latin-1 alone takes for two.
    ASSERT_EQ(GetACP(), 1252u);
    const FileSatellite skoda{.name = "\x8Akoda", .degree = 192};
    ASSERT_TRUE(StartWithSatellites(
        run, {{.name = "Astra",
               .degree = 192,
               .transponders = {{"12380V/27500", 12380, 27500, 0, {}}, {"11494V/27500", 11494, 27500, 0, {}}}},
              skoda}));
    stage("the LNB & Switch page");
    EXPECT_EQ(LnbPair(run), (Lines{"9750", "10600", "off"}));
    EXPECT_FALSE(run.ApplyEnabled()) << "showing the record changes nothing";
    stage("a new satellite's name");
    Click(run.Control(IDC_MAIN_NEW));
    HWND info = run.WaitForWindow("Satellite  Info");
    ASSERT_NE(info, nullptr);
    SetText(GetDlgItem(info, IDC_SATINFO_NAME), "\x9AKODA");
    SetText(GetDlgItem(info, IDC_SATINFO_DEGREE), "192");
    Click(GetDlgItem(info, IDOK));
    EXPECT_EQ(run.AnswerNextBox(IDOK), "This satellite already exists.");
    EXPECT_EQ(ComboTexts(run.Control(IDC_MAIN_SATELLITE_COMBO)), (Lines{"Astra", "\x8Akoda"}));
    // A fixed type writes its pair; Custom takes typed frequencies.
    stage("the LNB type and switch");
    ChooseItemNow(run.Control(IDC_LNB_TYPE_COMBO), 2);
    EXPECT_EQ(LnbPair(run), (Lines{"11300", "0", "on"}));
    // A cleared frequency is written back as 0, selected, so typing replaces it.
    HWND frequency1 = run.Control(IDC_LNB_FREQ1);
    TypeChars(frequency1, "\b10750");
    EXPECT_TRUE(WaitFor([&] { return WindowText(frequency1) == "10750"; })) << WindowText(frequency1);
    ChooseItemNow(run.Control(IDC_LNB_DISEQC_COMBO), 4);
    ChooseRadio(GetParent(run.Control(IDC_LNB_USALS)), IDC_LNB_DISEQC_MOTOR,
                {IDC_LNB_FIXED, IDC_LNB_DISEQC_MOTOR, IDC_LNB_USALS});
    Check(run.Control(IDC_LNB_TONE_22K));

    stage("the Dish Setting page");
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    HWND page = GetParent(run.Control(IDC_DISH_LOCK_TEST));
    HWND combo = run.Control(IDC_DISH_FREQUENCY_COMBO);
    HWND symbolRate = run.Control(IDC_DISH_SYMBOL_RATE);
    EXPECT_EQ(ComboTexts(combo), (Lines{"12380", "11494"}));
    // Another transponder's frequency is refused with a message; posted, as the box blocks the page.
    SetText(combo, "11494");
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DISH_FREQUENCY_COMBO, CBN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(run.AnswerNextBox(IDOK), "This transponder already exist.");
    EXPECT_TRUE(WaitFor([&] { return WindowText(combo) == "12380"; }));
    EnterText(combo, "12500", CBN_KILLFOCUS);
    EnterText(symbolRate, "45001");
    EXPECT_EQ(WindowText(symbolRate), "27500") << "out of range: silently restored";
    // Enter commits the field as leaving it does, and the dialog stays.
    SetText(symbolRate, "02750");
    ASSERT_TRUE(PostKeys(symbolRate, {VK_RETURN}));
    EXPECT_TRUE(IsWindowVisible(run.MainDialog()));

    EXPECT_EQ(AddTransponder(run, "949", IDC_TPINFO_VERTICAL), "Frequency data is invalid,it must be 950-14000");
    EXPECT_EQ(AddTransponder(run, "12380", IDC_TPINFO_HORIZONTAL), "");
    EXPECT_TRUE(WaitFor([&] { return ComboSelection(combo) == 2; })) << "the new transponder becomes current";
    EXPECT_EQ(AddTransponder(run, "12380", IDC_TPINFO_HORIZONTAL), "") << "the dialog takes it again";
    EXPECT_EQ(run.AnswerNextBox(IDOK), "This transponder already exist.") << "the page refuses it";

    ChooseItemNow(combo, 1);
    for (const int answer : {IDNO, IDYES}) {
        Click(run.Control(IDC_DISH_REMOVE));
        HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowText(box), kProgramTitle);
        EXPECT_EQ(AnswerBox(box, answer), "Are you sure to remove the current transponder?");
    }
    EXPECT_TRUE(WaitFor([&] { return ComboTexts(combo) == Lines{"12500", "12380"}; }));

    // A frequency edit names the transponder afresh; the rate is named as typed.
    const FileSatellite edited{
        .name = "Astra",
        .degree = 192,
        .lnbFreq1 = 10750,
        .lnbFreq2 = 0,
        .tone22k = 1,
        .diseqcPort = 4,
        .dishType = 1,
        .lnbPower = 1,
        .lnbType = 2,
        .transponders = {{"12500V/02750", 12500, 2750, 0, {}}, {"12380H/27500", 12380, 27500, 1, {}}}};
    ASSERT_TRUE(run.Apply());
    EXPECT_EQ(run.ReadFile("satedata.dll"), SatelliteFileBytes({edited, skoda}));
}
