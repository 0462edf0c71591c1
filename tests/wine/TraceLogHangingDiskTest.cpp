// The diagnostic log's Windows writer against a disk that hangs: instances of
// a named pipe that nobody reads each take a few bytes and then hold a write
// until the test reads them or closes the pipe.
#include "app/TraceLog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr DWORD kPipeBuffer = 1024;
constexpr char kChildPipeVariable[] = "LUMISAT_HANGING_PIPE";
const LocalTime kTime{2026, 12, 1, 14, 3, 22, 45};

class UnreadPipe {
public:
    // The writer opens the log for each batch: every opening takes an instance.
    UnreadPipe()
        : name("\\\\.\\pipe\\LumisatTraceLog" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made))
    {
        for (int i = 0; i < 64; ++i) {
            instances.push_back(CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                                 PIPE_UNLIMITED_INSTANCES, 0, kPipeBuffer, 0, nullptr));
        }
    }
    // Breaks the pipe: a write held in it fails.
    ~UnreadPipe()
    {
        for (HANDLE pipe : instances)
            CloseHandle(pipe);
    }
    UnreadPipe(const UnreadPipe&) = delete;
    UnreadPipe& operator=(const UnreadPipe&) = delete;

    bool Valid() const
    {
        return std::find(instances.begin(), instances.end(), INVALID_HANDLE_VALUE) == instances.end();
    }
    // Reads the instances in the order the writer took them until the text
    // holds `until` or the time is up.
    std::string ReadUntil(const std::string& until, std::chrono::milliseconds timeout)
    {
        std::string text;
        const auto deadline = Clock::now() + timeout;
        std::size_t at = 0;
        while (text.find(until) == std::string::npos && at < instances.size() && Clock::now() < deadline) {
            DWORD available = 0;
            if (!PeekNamedPipe(instances[at], nullptr, 0, nullptr, &available, nullptr)) {
                // Drained after its writer closed it: the next batch is in the next one.
                if (GetLastError() == ERROR_BROKEN_PIPE)
                    ++at;
                else
                    Sleep(2);   // not taken yet
                continue;
            }
            std::string bytes(std::max<DWORD>(available, 1), '\0');
            DWORD read = 0;
            if (available > 0 && ReadFile(instances[at], bytes.data(), available, &read, nullptr))
                text.append(bytes.data(), read);
            else
                Sleep(2);
        }
        return text;
    }

    const std::string name;

private:
    static inline int made = 0;
    std::vector<HANDLE> instances;
};

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The losses the notes in the text count.
int NotedLosses(const std::string& text)
{
    int lost = 0;
    for (std::size_t at = text.find("] ("); at != std::string::npos; at = text.find("] (", at + 1))
        lost += std::atoi(text.c_str() + at + 3);
    return lost;
}

// Adds lines of 100 characters; how many the log refused.
int AddLines(TraceLog& log, int lines, std::chrono::nanoseconds& slowest)
{
    const std::string text(100, 'x');
    int refused = 0;
    for (int i = 0; i < lines; ++i) {
        const auto start = Clock::now();
        refused += log.Add(kTime, 1, text) ? 0 : 1;
        slowest = std::max<std::chrono::nanoseconds>(slowest, Clock::now() - start);
    }
    return refused;
}

TEST(TraceLogHangingDisk, AddingStaysFastTheQueueCapsAndTheLossIsNotedOnceTheDiskAnswers)
{
    UnreadPipe pipe;
    ASSERT_TRUE(pipe.Valid());
    TraceLog log(std::make_unique<FileLogStorage>(pipe.name, ""), {1024 * 1024, 8 * 1024, 300ms});
    log.SetEnabled(true);
    std::chrono::nanoseconds slowest{0};
    const int lines = 1000;
    const int refused = AddLines(log, lines, slowest);
    EXPECT_LT(slowest, 100ms);
    EXPECT_GT(refused, lines / 2) << "the queue holds 8 KB while the disk hangs";
    EXPECT_FALSE(log.Flush(300ms)) << "the writer is held";

    // The disk answers: what it held and the queue are written, then the note.
    std::string text;
    std::thread reader([&] { text = pipe.ReadUntil("] after\n", 20s); });
    EXPECT_TRUE(log.Flush(15s));
    EXPECT_TRUE(log.Add(kTime, 1, "after"));
    reader.join();
    EXPECT_EQ(Count(text, std::string(100, 'x') + "\n"), static_cast<std::size_t>(lines - refused));
    // A line that found room while the writer was still free carried the
    // losses so far; the rest are told before the next line.
    EXPECT_EQ(NotedLosses(text), refused);
    EXPECT_NE(text.find(" trace lines lost: the disk was too slow)\n2026-12-01 14:03:22.045 [1] after\n"),
              std::string::npos);
}

// Run by the next test as a process of its own: ends through the C runtime's
// exit, as the program does, while the log's writer hangs in the pipe the
// parent never reads. The program's log is never destroyed and ends at exit.
TEST(TraceLogHangingDisk, DISABLED_ChildEndsWhileItsWriteHangs)
{
    const char* pipeName = std::getenv(kChildPipeVariable);
    ASSERT_NE(pipeName, nullptr);
    static TraceLog* const log = new TraceLog(std::make_unique<FileLogStorage>(pipeName, ""));
    std::atexit([] { log->End(TraceLogLimits{}.endWait); });
    log->SetEnabled(true);
    std::chrono::nanoseconds slowest{0};
    AddLines(*log, 200, slowest);
    std::exit(log->Flush(300ms) ? 3 : 0);
}

TEST(TraceLogHangingDisk, TheProcessEndsWhileAWriteHangs)
{
    UnreadPipe pipe;
    ASSERT_TRUE(pipe.Valid());
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof self), 0u);
    std::string command = std::string("\"") + self +
                          "\" --gtest_filter=TraceLogHangingDisk.DISABLED_ChildEndsWhileItsWriteHangs"
                          " --gtest_also_run_disabled_tests";
    SetEnvironmentVariableA(kChildPipeVariable, pipe.name.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const bool started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableA(kChildPipeVariable, nullptr);
    ASSERT_TRUE(started);
    // Its start under Wine, the log's bounded end wait of 2 s, and its exit.
    const bool ended = WaitForSingleObject(child.hProcess, 15000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended) << "the process's end waited for the hanging write";
    if (!ended)
        TerminateProcess(child.hProcess, 1);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(child.hProcess, &code);
    EXPECT_EQ(code, 0u) << "3: the child's writer was not held";
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

}   // namespace
