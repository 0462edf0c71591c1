#include "tests/e2e/FaultScenario.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

namespace faults {

namespace {

constexpr int kMainTabControl = 1007;
constexpr char kProgramX11Settings[] = "Software\\Wine\\AppDefaults\\Lumisat.exe\\X11 Driver";
constexpr int kTextControl = 0xFFFF;

struct BoxSearch {
    DWORD processId;
    bool lockWait;   // looking for the wait dialog instead of a message box
    HWND found;
};

struct MainDialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainDialog(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<MainDialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || GetDlgItem(window, kMainTabControl) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

bool HasAnswerButton(HWND window)
{
    for (int button : {IDOK, IDCANCEL, IDYES, IDNO}) {
        if (GetDlgItem(window, button) != nullptr)
            return true;
    }
    return false;
}

BOOL CALLBACK MatchDialog(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<BoxSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    // The main dialog's level bars use the text control's identifier too.
    if (owner != search->processId || lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) ||
        GetDlgItem(window, kTextControl) == nullptr || GetDlgItem(window, kMainTabControl) != nullptr)
        return TRUE;
    if (HasAnswerButton(window) == search->lockWait)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindDialog(DWORD processId, bool lockWait)
{
    BoxSearch search{processId, lockWait, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::string SourceFile(const std::string& relativePath)
{
    char source[1024] = {};
    GetEnvironmentVariableA("LUMISAT_SOURCE", source, sizeof(source));
    std::ifstream file(std::string(source) + "/" + relativePath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> TakeMessages(const LumisatRun& run, std::chrono::milliseconds quiet,
                                      std::chrono::milliseconds first)
{
    return TakeMessages(run.ProcessId(), quiet, first);
}

std::vector<std::string> TakeMessages(DWORD processId, std::chrono::milliseconds quiet, std::chrono::milliseconds first)
{
    std::vector<std::string> texts;
    auto deadline = std::chrono::steady_clock::now() + std::max(quiet, first);
    while (std::chrono::steady_clock::now() < deadline) {
        HWND box = FindDialog(processId, false);
        if (box == nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        texts.push_back(MessageBoxText(box));
        AnswerMessageBox(box, GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK);
        WaitFor([&] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; }, std::chrono::seconds(5));
        deadline = std::chrono::steady_clock::now() + quiet;
    }
    return texts;
}

HWND MainDialogOf(DWORD processId)
{
    MainDialogSearch search{processId, nullptr};
    EnumWindows(MatchMainDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindLockWaitDialog(const LumisatRun& run)
{
    return FindDialog(run.ProcessId(), true);
}

bool Answers(HWND window, std::chrono::milliseconds within)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(within.count()), &result) != 0;
}

UnmanagedProgramWindows::UnmanagedProgramWindows()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kProgramX11Settings, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0)
        return;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
}

UnmanagedProgramWindows::~UnmanagedProgramWindows()
{
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramX11Settings, "Managed");
}

ProcessWatch::ProcessWatch(DWORD processId)
    : process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId))
{
}

ProcessWatch::~ProcessWatch()
{
    if (process != nullptr)
        CloseHandle(process);
}

DWORD ProcessWatch::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process == nullptr || !GetExitCodeProcess(process, &code))
        return STILL_ACTIVE;
    return code;
}

}  // namespace faults
