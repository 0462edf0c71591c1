#include "tests/e2e/PidPageDriving.h"

#include "tests/e2e/SimulatorIni.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr int kTabControl = 1007;
constexpr int kCableFilterTab = 1;
constexpr std::int32_t kChannelFrequency = 474000;
constexpr std::int32_t kChannelSymbolRate = 6900;
constexpr std::int32_t kChannelQam = 64;

void PutInt(std::string& bytes, std::int32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> shift) & 0xFF);
}

void PutName(std::string& bytes, const char* name, size_t size)
{
    std::string field(size, '\0');
    std::memcpy(field.data(), name, std::min(std::strlen(name), size - 1));
    bytes += field;
}

struct BoxSearch {
    DWORD processId;
    HWND mainDialog;
    HWND found;
};

BOOL CALLBACK MatchProgramBox(HWND window, LPARAM context)
{
    auto* search = static_cast<BoxSearch*>(reinterpret_cast<void*>(context));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    const bool hasButton = GetDlgItem(window, IDOK) != nullptr || GetDlgItem(window, IDYES) != nullptr;
    if (owner == search->processId && window != search->mainDialog && lstrcmpA(name, "#32770") == 0 &&
        IsWindowVisible(window) && GetDlgItem(window, 0xFFFF) != nullptr && hasButton) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string CableChannelFile(const std::vector<FilePid>& pids)
{
    std::string bytes;
    PutInt(bytes, 1);                       // one channel
    PutName(bytes, "City Net 474", 32);
    for (std::int32_t field : {0, 0, 0, 0, 0, 0, 1, 1})   // degree to LNB type
        PutInt(bytes, field);
    PutInt(bytes, 1);                       // its tuning record
    PutName(bytes, "", 32);
    PutInt(bytes, kChannelFrequency);
    PutInt(bytes, kChannelSymbolRate);
    PutInt(bytes, kChannelQam);
    PutInt(bytes, static_cast<std::int32_t>(pids.size()));
    for (const FilePid& pid : pids) {
        PutName(bytes, "", 20);
        PutInt(bytes, pid.loaded);
        PutInt(bytes, pid.type);
        PutInt(bytes, pid.pid);
    }
    return bytes;
}

std::string CableCardIni(const std::string& extra)
{
    return CardIni(5, "[Channel 474000]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n"
                      "Pid=0x0100 2000 01-00-5E-04-01-01 01-00-5E-04-01-02\n"
                      "Pid=0x0101 512 01-00-5E-04-01-03\n" + extra);
}

HWND PidList(const LumisatRun& run)
{
    return FindControl(run.MainDialog(), kPidList);
}

HWND PidPageWindow(const LumisatRun& run)
{
    HWND list = PidList(run);
    return list != nullptr ? GetParent(list) : nullptr;
}

bool StartOnFilterPage(LumisatRun& run, const std::vector<FilePid>& pids, const std::string& ini)
{
    run.WriteFile("cabledata.dll", CableChannelFile(pids));
    run.WriteIni(ini);
    if (!run.Start() || !run.WaitForCall("LockChannel3("))
        return false;
    WaitUntilIdle(run);
    HWND tab = FindControl(run.MainDialog(), kTabControl);
    HWND page = PidPageWindow(run);
    if (tab == nullptr || page == nullptr)
        return false;
    // As the keyboard does it: the focus moves to the tab, and Enter makes
    // the tab control show the focused tab's page.
    SendMessageA(tab, TCM_SETCURFOCUS, kCableFilterTab, 0);
    SendMessageA(tab, WM_KEYDOWN, VK_RETURN, 0);
    return WaitFor([&] { return IsWindowVisible(page) != FALSE; });
}

void WaitUntilIdle(const LumisatRun& run)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(run.MainDialog(), WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
}

void ClickNow(HWND page, int id)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)),
                        SMTO_NORMAL, 15000, &ignored);
}

bool WaitForFilterStart(const LumisatRun& run, size_t from)
{
    if (!run.WaitForCall("StartFilter() = 0", from, std::chrono::seconds(20)))
        return false;
    WaitUntilIdle(run);
    return true;
}

std::vector<std::string> LoggedCalls(const LumisatRun& run, const std::string& prefix, size_t from)
{
    std::vector<std::string> found;
    const std::vector<std::string> lines = run.CallLogLines();
    for (size_t i = from; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0)
            found.push_back(lines[i]);
    }
    return found;
}

HWND WaitForProgramBox(const LumisatRun& run, std::chrono::milliseconds timeout)
{
    HWND box = nullptr;
    WaitFor([&] {
        BoxSearch search{run.ProcessId(), run.MainDialog(), nullptr};
        EnumWindows(MatchProgramBox, reinterpret_cast<LPARAM>(&search));
        box = search.found;
        return box != nullptr;
    }, timeout);
    return box;
}

bool WaitForText(HWND control, const std::string& text, std::chrono::milliseconds timeout)
{
    return WaitFor([&] { return WindowText(control) == text; }, timeout);
}

void TypeInto(HWND edit, const std::string& text, bool replace)
{
    if (replace)
        PostMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

HWND WaitForDialog(const LumisatRun& run, const char* caption)
{
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = run.FindTopLevel("#32770", caption);
        return dialog != nullptr && IsWindowVisible(dialog);
    });
    return dialog;
}

std::string AnswerBox(HWND box, int buttonId)
{
    if (box == nullptr)
        return "(no message box)";
    const std::string text = MessageBoxText(box);
    AnswerMessageBox(box, buttonId);
    WaitFor([&] { return !IsWindow(box); });
    return text;
}
