// Start-up, single instance, the tabs per kind of card, hiding, the exit
// request and the order of the driver calls at shutdown.
#include "tests/e2e/Harness.h"
#include "tests/e2e/SimulatorIni.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
constexpr int kTabControl = 1007;
constexpr int kApply = 1009;

std::vector<std::string> SatelliteTabs() { return {"LNB && Switch", "Dish Setting", "Filter    "}; }
std::vector<std::string> CableTabs() { return {"Cable Setting", "Filter    "}; }
std::vector<std::string> TerrestrialTabs() { return {"Terrestrial Setting", "Filter    "}; }

size_t IndexOf(const std::vector<std::string>& lines, const std::string& prefix, size_t from = 0)
{
    for (size_t i = from; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0)
            return i;
    }
    return std::string::npos;
}
}

TEST(AppShell, TabsFollowTheKindOfCard)
{
    const std::pair<int, std::vector<std::string>> cases[] = {
        {-1, SatelliteTabs()}, {0, SatelliteTabs()}, {4, SatelliteTabs()}, {5, CableTabs()},
        {6, CableTabs()},      {8, CableTabs()},     {7, TerrestrialTabs()},
    };
    for (const auto& [kind, tabs] : cases) {
        LumisatRun run("tabs_" + std::to_string(kind + 1));
        run.WriteIni(CardIni(kind));
        ASSERT_TRUE(run.Start()) << "kind " << kind;
        HWND tab = FindControl(run.MainDialog(), kTabControl);
        EXPECT_EQ(TabTexts(tab), tabs) << "kind " << kind;
        run.RequestExit();
        EXPECT_TRUE(run.WaitForExit()) << "kind " << kind;
    }
}

TEST(AppShell, FailedInitialisationExplainsAndReleasesTheDriver)
{
    LumisatRun run("initdise_fails");
    run.WriteIni(CardIni(0, "[Fault InitDise]\nResult=1\n"));
    ASSERT_TRUE(run.Launch());
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Can't init hardware information,this application will exit.");
    EXPECT_EQ(WindowText(box), kMainTitle);
    AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(run.WaitForExit());

    const std::vector<std::string> lines = run.CallLogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind("InitDise(", 0), 0u);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("ReleaseDise(", 0) == 0; }), 1);
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u) << "ReleaseDise comes last";
    EXPECT_EQ(IndexOf(lines, "GetCIInfo("), std::string::npos) << "nothing else is asked of a card that failed";
}

TEST(AppShell, SecondStartActivatesTheFirstAndEnds)
{
    LumisatRun run("second_instance");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    ShowWindow(run.MainDialog(), SW_HIDE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(run.MainDialog()); }));

    EXPECT_EQ(run.StartSecondInstance(), 0u);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(run.MainDialog()) != FALSE; }));
    EXPECT_TRUE(run.IsRunning());
}

TEST(AppShell, OnlyTheExitRequestWithOneEndsTheProgram)
{
    LumisatRun run("exit_request");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    run.RequestExit(0);
    run.RequestExit(2);
    EXPECT_FALSE(run.WaitForExit(std::chrono::milliseconds(1500)));
    run.RequestExit(1);
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.FindTopLevel(nullptr, kMainTitle), nullptr);
}

TEST(AppShell, CancelAndTheCloseBoxOnlyHideTheDialog)
{
    LumisatRun run("hide");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND dialog = run.MainDialog();

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    EXPECT_TRUE(run.IsRunning());

    ShowWindow(dialog, SW_SHOW);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog is hidden, not destroyed";
}

TEST(AppShell, ShutdownSwitchesTheCardOffAndReleasesItLast)
{
    LumisatRun run("shutdown_order");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    EXPECT_FALSE(IsWindowEnabled(FindControl(run.MainDialog(), kApply)));
    ASSERT_TRUE(run.WaitForCall("GetSignalStrAndQu("));
    const size_t before = run.CallLogLines().size();
    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit());

    const std::vector<std::string> lines = run.CallLogLines();
    const size_t off = IndexOf(lines, "SetDiseCom1(0,0,0,0)", before);
    const size_t release = IndexOf(lines, "ReleaseDise(", before);
    ASSERT_NE(off, std::string::npos);
    ASSERT_NE(release, std::string::npos);
    EXPECT_EQ(off + 1, release);
    EXPECT_EQ(release, lines.size() - 1) << "ReleaseDise is the last call";
}
