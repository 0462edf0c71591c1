// The process helper under the harness and the benchmarks, on programs every
// Windows (and Wine prefix) has: cmd.exe for exit codes, Notepad for a window.
#include "tests/e2e/Harness.h"
#include "tests/e2e/ProgramProcess.h"
#include "tests/e2e/SimulatorIni.h"

#include <gtest/gtest.h>

namespace {

constexpr char kNotepadClass[] = "Notepad";
constexpr DWORD kEndWaitMs = 15000;

std::string SystemFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, sizeof(folder));
    return length > 0 && length < sizeof(folder) ? WindowsFolder(folder) : std::string();
}

bool StartNotepad(ProgramProcess& program)
{
    const std::string system = SystemFolder();
    return program.Start(system + "notepad.exe", system) &&
           WaitFor([&] { return FindProcessWindow(program.Id(), kNotepadClass, nullptr) != nullptr; });
}

// A handle of our own, so that the end of a process can be seen after its
// owner has closed the handles it had.
HANDLE WatchProcess(DWORD processId)
{
    return OpenProcess(SYNCHRONIZE, FALSE, processId);
}

bool HasEnded(HANDLE watched)
{
    const bool ended = watched != nullptr && WaitForSingleObject(watched, kEndWaitMs) == WAIT_OBJECT_0;
    if (watched != nullptr)
        CloseHandle(watched);
    return ended;
}

}  // namespace

TEST(ProgramProcess, FoldersFromWineAreWindowsFolders)
{
    EXPECT_EQ(WindowsFolder("/work/build/bin"), "Z:\\work\\build\\bin\\");
    EXPECT_EQ(WindowsFolder("/work/build/bin/"), "Z:\\work\\build\\bin\\");
    EXPECT_EQ(WindowsFolder("C:\\windows"), "C:\\windows\\");
    EXPECT_EQ(WindowsFolder(""), "");

    SetEnvironmentVariableA("PROGRAM_PROCESS_TEST_FOLDER", "/tmp/run");
    EXPECT_EQ(EnvironmentFolder("PROGRAM_PROCESS_TEST_FOLDER"), "Z:\\tmp\\run\\");
    SetEnvironmentVariableA("PROGRAM_PROCESS_TEST_FOLDER", std::string(2000, 'a').c_str());
    EXPECT_EQ(EnvironmentFolder("PROGRAM_PROCESS_TEST_FOLDER"), "") << "a value too long for the buffer";
    SetEnvironmentVariableA("PROGRAM_PROCESS_TEST_FOLDER", nullptr);
    EXPECT_EQ(EnvironmentFolder("PROGRAM_PROCESS_TEST_FOLDER"), "");
}

TEST(ProgramProcess, NothingStartedIsNothingRunning)
{
    ProgramProcess program;
    EXPECT_FALSE(program.Start(SystemFolder() + "no such program.exe", SystemFolder()));
    EXPECT_FALSE(program.IsRunning());
    EXPECT_TRUE(program.WaitForExit(0));
    EXPECT_EQ(program.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(program.TopLevelWindow(WindowFilter{}), nullptr);
    program.Kill();
}

TEST(ProgramProcess, ReportsTheExitCodeOfAProgramThatEnds)
{
    ProgramProcess program;
    ASSERT_TRUE(program.Start(SystemFolder() + "cmd.exe", SystemFolder(), "/c exit 7"));
    ASSERT_TRUE(program.WaitForExit(kEndWaitMs));
    EXPECT_FALSE(program.IsRunning());
    EXPECT_EQ(program.ExitCode(), 7u);
}

TEST(ProgramProcess, EndsThroughItsWindowOrByForce)
{
    ProgramProcess program;
    ASSERT_TRUE(StartNotepad(program));
    EXPECT_TRUE(program.IsRunning());
    EXPECT_EQ(program.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(program.TopLevelWindow(WindowFilter{kNotepadClass, nullptr, true}),
              FindProcessWindow(program.Id(), kNotepadClass, nullptr));
    EXPECT_TRUE(program.EndThrough(kNotepadClass, WM_CLOSE, 0, kEndWaitMs)) << "Notepad ends on WM_CLOSE";
    EXPECT_EQ(program.ExitCode(), 0u);

    // A message the program does not end on: it is killed when the time is up.
    ASSERT_TRUE(StartNotepad(program));
    EXPECT_FALSE(program.EndThrough(kNotepadClass, WM_NULL, 0, 500));
    EXPECT_FALSE(program.IsRunning());
    EXPECT_EQ(program.ExitCode(), 1u);

    ASSERT_TRUE(StartNotepad(program));
    program.Kill();
    EXPECT_FALSE(program.IsRunning());
    EXPECT_EQ(program.ExitCode(), 1u);
}

TEST(ProgramProcess, NoProgramOutlivesItsStarter)
{
    HANDLE first = nullptr;
    HANDLE second = nullptr;
    {
        ProgramProcess program;
        ASSERT_TRUE(StartNotepad(program));
        first = WatchProcess(program.Id());
        ASSERT_TRUE(StartNotepad(program));
        second = WatchProcess(program.Id());
        EXPECT_TRUE(HasEnded(first)) << "starting again ends the program started before";
    }
    EXPECT_TRUE(HasEnded(second)) << "the program ends with the object that started it";

    // The harness keeps the same promise for Lumisat, whatever the test did.
    HANDLE lumisat = nullptr;
    {
        LumisatRun run("process_lumisat_ends");
        run.WriteIni(CardIni(0));
        ASSERT_TRUE(run.Start());
        ASSERT_NE(run.Frame(), nullptr) << "the hidden frame is found by its class";
        lumisat = WatchProcess(run.ProcessId());
    }
    EXPECT_TRUE(HasEnded(lumisat));
}
