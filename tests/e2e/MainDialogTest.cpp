// The main dialog: Apply, OK and the exit question wired to a database file
// that another program holds, and the receiver's other program. (Satellite
// names compared as the system compares them are the satellite pages'.)
#include "tests/e2e/Scenario.h"

namespace {

void ExpectSaveFailureMessage(const LumisatRun& run, const char* step)
{
    const std::string text = run.AnswerNextBox(IDOK);
    EXPECT_EQ(text.rfind("The changes could not be saved.", 0), 0u) << step << ": " << text;
    EXPECT_NE(text.find("save_held_file\\satedata.dll"), std::string::npos) << step << ": names the file: " << text;
}

}   // namespace

TEST(MainDialog, AFailedSaveIsToldAndKeepsTheChangesUntilItSucceeds)
{
    LumisatRun run("save_held_file");
    // On the demo line-up, where Astra's transponder locks.
    run.WriteIni(DemoIni());
    run.WriteFile("satedata.dll", SatelliteFileBytes({Astra()}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    HWND main = run.MainDialog();
    const std::string before = run.ReadFile("satedata.dll");
    Check(run.Control(IDC_LNB_TONE_22K));
    HWND apply = run.Control(IDC_MAIN_APPLY);
    ASSERT_TRUE(IsWindowEnabled(apply));

    // Held open without sharing, as a backup program or an editor may hold it.
    HANDLE held = CreateFileA(run.PathOf("satedata.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Click(apply);
    ExpectSaveFailureMessage(run, "Apply");
    EXPECT_TRUE(IsWindowEnabled(apply));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ExpectSaveFailureMessage(run, "OK");
    EXPECT_TRUE(IsWindowVisible(main)) << "nothing looks saved that is not";
    EXPECT_TRUE(IsWindowEnabled(apply));
    run.PostFrameCommand(kExitCommand);
    EXPECT_EQ(run.AnswerNextBox(IDYES), kExitQuestion);
    ExpectSaveFailureMessage(run, "Exit");
    EXPECT_FALSE(run.WaitForExit(kQuietWindow)) << "the changes are not dropped";
    CloseHandle(held);
    EXPECT_EQ(run.ReadFile("satedata.dll"), before) << "the old file stays as it was";

    // Once the file is free, the next Exit's Yes saves the change, the
    // settings and the motor values.
    run.PostFrameCommand(kExitCommand);
    EXPECT_EQ(run.AnswerNextBox(IDYES), kExitQuestion);
    ASSERT_TRUE(run.EndsCleanly());
    FileSatellite toned = Astra();
    toned.tone22k = 1;
    EXPECT_EQ(run.ReadFile("satedata.dll"), SatelliteFileBytes({toned}));
    EXPECT_EQ(run.RegistryString("CurSatellite"), "Astra");
    EXPECT_EQ(run.RegistryString("Motor Longitude"), "11.9");
}

TEST(MainDialog, TheReceiversOtherProgramKeepsLumisatFromStarting)
{
    LumisatRun run("other_program");
    run.WriteIni(CardIni(0));
    HANDLE other = CreateMutexA(nullptr, FALSE, kOtherProgramMutexName);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(run.Launch());
    EXPECT_EQ(run.AnswerNextBox(IDOK), "Norvane DTV already run in your system, please close it.");
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_TRUE(run.CallLogLines().empty()) << "the card is never touched";
    CloseHandle(other);
}
