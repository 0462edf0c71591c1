#include "tests/e2e/ChannelScenario.h"

#include "simulator/CallLogFormat.h"

#include <fstream>
#include <sstream>

namespace scenario {

namespace {

constexpr int kStrengthBarPlaceholder = 1126;
constexpr int kApply = 1009;
constexpr int kWaitLabel = 0xFFFF;

struct WaitDialogSearch {
    DWORD processId;
    HWND mainDialog;
    HWND found;
    std::string label;
};

// The wait dialog: a caption-less dialog of the program with one label and
// no buttons (a message box has buttons, the main dialog is known).
BOOL CALLBACK MatchWaitDialog(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WaitDialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || window == search->mainDialog || lstrcmpA(className, "#32770") != 0 ||
        !IsWindowVisible(window) || GetDlgItem(window, IDOK) != nullptr || GetDlgItem(window, IDYES) != nullptr)
        return TRUE;
    HWND label = GetDlgItem(window, kWaitLabel);
    if (label == nullptr)
        return TRUE;
    search->found = window;
    // The program's thread is blocked in the lock's wait: take the text the
    // system keeps for the window instead of asking the window (WM_GETTEXT).
    char text[256] = {};
    GetWindowTextA(label, text, sizeof text);
    search->label = text;
    return FALSE;
}

} // namespace

std::string DemoFile(const std::string& name)
{
    char source[1024] = {};
    GetEnvironmentVariableA("LUMISAT_SOURCE", source, sizeof source);
    std::ifstream file(std::string(source) + "/simulator/demo/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

size_t FindLine(const std::vector<std::string>& lines, const std::string& prefix, size_t from)
{
    for (size_t i = from; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0)
            return i;
    }
    return std::string::npos;
}

::testing::AssertionResult HasInOrder(const std::vector<std::string>& lines,
                                      const std::vector<std::string>& prefixes, size_t from)
{
    size_t at = from;
    for (const std::string& prefix : prefixes) {
        const size_t found = FindLine(lines, prefix, at);
        if (found == std::string::npos) {
            std::ostringstream log;
            for (size_t i = from; i < lines.size(); ++i)
                log << "\n  " << lines[i];
            return ::testing::AssertionFailure() << "no \"" << prefix << "\" after line " << at << " of:" << log.str();
        }
        at = found + 1;
    }
    return ::testing::AssertionSuccess();
}

bool Answers(HWND window, std::chrono::milliseconds within)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(within.count()),
                               &result) != 0;
}

HWND FindLockWaitDialog(const LumisatRun& run, std::string* label)
{
    WaitDialogSearch search{run.ProcessId(), run.MainDialog(), nullptr, {}};
    EnumWindows(MatchWaitDialog, reinterpret_cast<LPARAM>(&search));
    if (label != nullptr)
        *label = search.label;
    return search.found;
}

int OverlappingLockCalls(const LumisatRun& run)
{
    const std::string log = run.CallLog();
    int count = 0;
    for (const char* remark : {quarlink::kOverlappingLockRemark, quarlink::kPollDuringLockRemark}) {
        for (size_t at = log.find(remark); at != std::string::npos; at = log.find(remark, at + 1))
            ++count;
    }
    return count;
}

COLORREF StrengthBarColour(HWND mainDialog)
{
    RECT bar{};
    GetWindowRect(GetDlgItem(mainDialog, kStrengthBarPlaceholder), &bar);
    // Inside the one-pixel frame, where even a reading of a few percent fills.
    const int x = bar.left + 2;
    const int y = (bar.top + bar.bottom) / 2;
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool WaitForBarColour(HWND mainDialog, COLORREF colour, std::chrono::milliseconds timeout)
{
    return WaitFor([&] { return StrengthBarColour(mainDialog) == colour; }, timeout);
}

bool ApplyAndReadChannels(const LumisatRun& run, const std::string& file, std::vector<FileSatellite>& channels)
{
    HWND apply = FindControl(run.MainDialog(), kApply);
    if (!IsWindowEnabled(apply))
        return false;
    Click(apply);
    // Apply may lock first, with the wait dialog; it ends by disabling itself.
    if (!WaitFor([&] { return IsWindowEnabled(apply) == FALSE; }, std::chrono::seconds(15)))
        return false;
    return ParseSatelliteFile(run.ReadFile(file), channels);
}

} // namespace scenario
