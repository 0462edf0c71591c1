// Start-up and end: the tabs per kind of card, a second start, hiding, the
// exit request and the driver calls at shutdown.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

// The kind's boundaries: GetCIInfo below 5 is a satellite card, 7 a
// terrestrial one, anything else a cable card.
TEST(AppShell, TabsFollowTheKindOfCard)
{
    const std::vector<std::wstring> satellite = {L"LNB && Switch", L"Dish Setting", L"Filter    "};
    const std::vector<std::wstring> cable = {L"Cable Setting", L"Filter    "};
    const std::vector<std::wstring> terrestrial = {L"Terrestrial Setting", L"Filter    "};
    const std::pair<int, std::vector<std::wstring>> cases[] = {
        {-1, satellite}, {4, satellite}, {5, cable}, {6, cable}, {7, terrestrial}, {8, cable}};
    for (const auto& [kind, tabs] : cases) {
        SCOPED_TRACE(kind);
        LumisatRun run("tabs_" + std::to_string(kind + 1));
        run.WriteIni(CardIni(kind));
        ASSERT_TRUE(run.Start());
        EXPECT_EQ(TabWideTexts(run.Control(IDC_MAIN_TAB)), tabs);
        EXPECT_TRUE(run.ExitsCleanly());
    }
}

TEST(AppShell, SecondStartShowsTheFirstOnlyExitRequestOneEndsAndTheCardIsReleasedLast)
{
    LumisatRun run("second_instance");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND dialog = run.MainDialog();
    EXPECT_FALSE(run.ApplyEnabled());
    // Cancel and the close box hide the dialog; the program stays.
    ASSERT_TRUE(run.Hide());
    EXPECT_EQ(run.StartSecondInstance(), 0u);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));

    run.RequestExit(0);
    run.RequestExit(2);
    EXPECT_FALSE(run.WaitForExit(milliseconds(1500)));
    EXPECT_TRUE(IsWindow(dialog)) << "hidden, not destroyed";
    ASSERT_TRUE(run.ExitsCleanly());
    const std::vector<std::string> lines = run.CallLogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("SetDiseCom1(0,0,0,0)", 0), 0u) << "the card is switched off";
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u) << "and released last";
}
