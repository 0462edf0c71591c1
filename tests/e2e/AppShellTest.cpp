// Start-up, single instance, the tabs per kind of card, hiding, the exit
// request and the driver calls at shutdown.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {
std::vector<std::string> Tabs(const char* first)
{
    if (std::string(first) == "LNB && Switch")
        return {first, "Dish Setting", "Filter    "};
    return {first, "Filter    "};
}
}  // namespace

TEST(AppShell, TabsFollowTheKindOfCard)
{
    const std::pair<int, const char*> cases[] = {{-1, "LNB && Switch"}, {0, "LNB && Switch"}, {4, "LNB && Switch"},
                                                 {5, "Cable Setting"},  {6, "Cable Setting"}, {8, "Cable Setting"},
                                                 {7, "Terrestrial Setting"}};
    for (const auto& [kind, first] : cases) {
        LumisatRun run("tabs_" + std::to_string(kind + 1));
        run.WriteIni(CardIni(kind));
        ASSERT_TRUE(run.Start()) << "kind " << kind;
        EXPECT_EQ(TabTexts(run.Control(IDC_MAIN_TAB)), Tabs(first)) << "kind " << kind;
        EXPECT_TRUE(run.ExitsCleanly()) << "kind " << kind;
    }
}

TEST(AppShell, FailedInitialisationExplainsAndReleasesTheDriver)
{
    LumisatRun run("initdise_fails");
    run.WriteIni(CardIni(0, "[Fault InitDise]\nResult=1\n"));
    ASSERT_TRUE(run.Launch());
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), kMainTitle);
    EXPECT_EQ(AnswerBox(box, IDOK), "Can't init hardware information,this application will exit.");
    ASSERT_TRUE(run.WaitForExit());
    const std::vector<std::string> lines = run.CallLogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind("InitDise(", 0), 0u);
    EXPECT_EQ(FindLine(lines, "ReleaseDise("), lines.size() - 1) << "released once, last";
    EXPECT_EQ(FindLine(lines, "GetCIInfo("), std::string::npos) << "nothing else is asked of a card that failed";
}

TEST(AppShell, SecondStartShowsTheFirstAndEndsAndOnlyExitRequestOneEnds)
{
    LumisatRun run("second_instance");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND dialog = run.MainDialog();
    // Cancel and the close box hide the dialog; the program stays.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    EXPECT_EQ(run.StartSecondInstance(), 0u);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));

    run.RequestExit(0);
    run.RequestExit(2);
    EXPECT_FALSE(run.WaitForExit(milliseconds(1500)));
    EXPECT_TRUE(IsWindow(dialog)) << "hidden, not destroyed";
    EXPECT_TRUE(run.ExitsCleanly());
}

TEST(AppShell, ShutdownSwitchesTheCardOffAndReleasesItLast)
{
    LumisatRun run("shutdown_order");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    EXPECT_FALSE(IsWindowEnabled(run.Control(IDC_MAIN_APPLY)));
    ASSERT_TRUE(run.WaitForCall("GetSignalStrAndQu("));
    ASSERT_TRUE(run.ExitsCleanly());
    const std::vector<std::string> lines = run.CallLogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("SetDiseCom1(0,0,0,0)", 0), 0u);
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u);
}
