#include "tests/e2e/Harness.h"

#include "resources/resource.h"
#include "simulator/CallLogFormat.h"
#include "tests/e2e/RemoteMenu.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace {
const char kSettingsKey[] = "Software\\Tavio\\Skyfold";
constexpr char kProgramX11Settings[] = "Software\\Wine\\AppDefaults\\Lumisat.exe\\X11 Driver";
constexpr int kTextControl = 0xFFFF;
constexpr UINT kTrayCallback = 0x042B;
constexpr UINT kTrayIconId = 128;
// A second instance only tells the user and ends; one still running then is killed.
constexpr DWORD kSecondInstanceWaitMs = 20000;

void CopyFolderFiles(const std::string& from, const std::string& pattern, const std::string& to)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + found.cFileName).c_str(), (to + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void EmptyFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolder(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool HasAnswerButton(HWND window)
{
    for (int button : {IDOK, IDCANCEL, IDYES, IDNO}) {
        if (GetDlgItem(window, button) != nullptr)
            return true;
    }
    return false;
}

// A dialog of the process with the text control 65535 that is not the main
// dialog: a message box has answer buttons and a title (the program's, or
// "Lumisat" for the other program's notice), the wait dialog has neither.
bool IsProgramDialog(HWND window, bool messageBox)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) ||
        GetDlgItem(window, kTextControl) == nullptr || GetDlgItem(window, IDC_MAIN_TAB) != nullptr)
        return false;
    if (!messageBox)
        return !HasAnswerButton(window);
    // GetWindowTextA reads another process's title without sending a message.
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    return HasAnswerButton(window) && (lstrcmpA(title, kMainTitle) == 0 || lstrcmpA(title, "Lumisat") == 0);
}

HWND FindProgramDialog(DWORD processId, bool messageBox)
{
    for (HWND window : ProcessWindows(processId, WindowFilter{"#32770", nullptr, true})) {
        if (IsProgramDialog(window, messageBox))
            return window;
    }
    return nullptr;
}

bool SetValue(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0)
        return false;
    const bool set = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == 0;
    RegCloseKey(key);
    return set;
}

bool GetValue(const char* name, DWORD wantedType, void* data, DWORD size)
{
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != 0)
        return false;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, static_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return result == 0 && type == wantedType;
}
}  // namespace

bool WaitFor(const std::function<bool()>& condition, milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(milliseconds(25));
    }
    return true;
}

HWND FindMessageBox(DWORD processId)
{
    return FindProgramDialog(processId, true);
}

std::string AnswerBox(HWND box, int buttonId)
{
    if (box == nullptr)
        return "(no message box)";
    const std::string text = WindowText(GetDlgItem(box, kTextControl));
    // A click posted while the box is still being set up can be lost under
    // load: click again while the box stays.
    for (int attempt = 0; attempt < 3 && IsWindow(box); ++attempt) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
        WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); }, seconds(5));
    }
    return text;
}

Messages TakeMessages(DWORD processId, milliseconds quiet, milliseconds first)
{
    Messages texts;
    auto deadline = std::chrono::steady_clock::now() + std::max(quiet, first);
    while (std::chrono::steady_clock::now() < deadline) {
        HWND box = FindMessageBox(processId);
        if (box == nullptr) {
            std::this_thread::sleep_for(milliseconds(50));
            continue;
        }
        texts.push_back(AnswerBox(box, GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK));
        deadline = std::chrono::steady_clock::now() + quiet;
    }
    return texts;
}

size_t FindLine(const std::vector<std::string>& lines, const std::string& prefix, size_t from)
{
    for (size_t i = from; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0)
            return i;
    }
    return std::string::npos;
}

::testing::AssertionResult HasInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& prefixes,
                                      size_t from)
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

LumisatRun::LumisatRun(const std::string& name)
{
    const std::string bin = EnvironmentFolder("LUMISAT_BIN");
    const std::string source = EnvironmentFolder("LUMISAT_SOURCE");
    folder = bin + "..\\e2e\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EmptyFolder(folder);
    CopyFileA((bin + "Lumisat.exe").c_str(), (folder + "Lumisat.exe").c_str(), FALSE);
    CopyFileA((bin + "Quarlink.dll").c_str(), (folder + "Quarlink.dll").c_str(), FALSE);
    CreateDirectoryA((folder + "Language").c_str(), nullptr);
    CopyFolderFiles(source + "resources\\Language\\", "*.txt", folder + "Language\\");

    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    SetRegistryString("PATH", folder);
}

bool LumisatRun::Exists(const std::string& file) const
{
    return GetFileAttributesA(PathOf(file).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void LumisatRun::WriteIni(const std::string& text) const
{
    WriteFile("Quarlink.ini", text + "\n[Log]\nFile=Quarlink.log\n");
}

void LumisatRun::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream file(folder + name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string LumisatRun::ReadFile(const std::string& name) const
{
    std::ifstream file(folder + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void LumisatRun::SetRegistryString(const char* name, const std::string& value) const
{
    SetValue(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

void LumisatRun::SetRegistryNumber(const char* name, DWORD value) const
{
    SetValue(name, REG_DWORD, &value, sizeof(value));
}

std::string LumisatRun::RegistryString(const char* name) const
{
    char buffer[1024] = {};
    return GetValue(name, REG_SZ, buffer, sizeof(buffer) - 1) ? std::string(buffer) : std::string();
}

bool LumisatRun::RegistryNumber(const char* name, DWORD& value) const
{
    return GetValue(name, REG_DWORD, &value, sizeof(value));
}

bool LumisatRun::Launch(const std::string& workingFolder)
{
    return process.Start(folder + "Lumisat.exe", workingFolder.empty() ? folder : workingFolder);
}

bool LumisatRun::WaitForMainDialog(milliseconds timeout)
{
    return WaitFor([this] {
        mainDialog = nullptr;
        for (HWND dialog : ProcessWindows(process.Id(), WindowFilter{"#32770", kMainTitle, true})) {
            if (GetDlgItem(dialog, IDC_MAIN_TAB) != nullptr)
                mainDialog = dialog;
        }
        return mainDialog != nullptr;
    }, timeout);
}

DWORD LumisatRun::StartSecondInstance() const
{
    ProgramProcess second;
    if (!second.Start(folder + "Lumisat.exe", folder))
        return STILL_ACTIVE;
    second.WaitForExit(kSecondInstanceWaitMs);
    return second.ExitCode();
}

bool LumisatRun::IsRunning() const
{
    return process.IsRunning();
}

bool LumisatRun::WaitForExit(milliseconds timeout)
{
    return process.WaitForExit(static_cast<DWORD>(timeout.count()));
}

void LumisatRun::RequestExit(WPARAM wParam) const
{
    PostMessageA(Frame(), RegisterWindowMessageA(kExitRequestMessage), wParam, 0);
}

bool LumisatRun::ExitsCleanly()
{
    RequestExit();
    return WaitForExit(seconds(10)) && ExitCode() == 0;
}

HWND LumisatRun::Frame() const
{
    return process.TopLevelWindow(WindowFilter{kFrameClass, nullptr, false});
}

void LumisatRun::PostFrameCommand(WORD command) const
{
    PostMessageA(Frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

HWND LumisatRun::WaitForWindow(const char* title, milliseconds timeout) const
{
    HWND window = nullptr;
    WaitFor([&] { return (window = FindProcessWindow(process.Id(), "#32770", title)) != nullptr; }, timeout);
    return window;
}

HWND LumisatRun::WaitForMessageBox(milliseconds timeout) const
{
    HWND box = nullptr;
    WaitFor([&] { return (box = FindMessageBox(process.Id())) != nullptr; }, timeout);
    return box;
}

std::string LumisatRun::AnswerNextBox(int buttonId, milliseconds timeout) const
{
    return AnswerBox(WaitForMessageBox(timeout), buttonId);
}

Messages LumisatRun::TakeMessages(milliseconds quiet, milliseconds first) const
{
    return ::TakeMessages(process.Id(), quiet, first);
}

HWND LumisatRun::FindLockWaitDialog(std::string* label) const
{
    HWND dialog = FindProgramDialog(process.Id(), false);
    if (dialog != nullptr && label != nullptr) {
        // The program's thread is blocked in the lock's wait: take the text
        // the system keeps for the window instead of asking the window.
        char text[256] = {};
        GetWindowTextA(GetDlgItem(dialog, kTextControl), text, sizeof(text));
        *label = text;
    }
    return dialog;
}

bool LumisatRun::Answers(milliseconds within) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(mainDialog, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(within.count()), &result) !=
           0;
}

void LumisatRun::WaitForStartupLock() const
{
    WaitForCall("LockChannel3(", 0, milliseconds(2000));
    // A silent lock at start-up comes first; the one of timer 503 follows
    // 110 ms after the dialog's initialisation.
    Sleep(700);
    // The lock waits for the card on the user-interface thread.
    WaitUntilIdle();
}

bool LumisatRun::ShowTab(int index, int controlOnPage) const
{
    HWND tab = Control(IDC_MAIN_TAB);
    DWORD_PTR ignored = 0;
    // As the keyboard does it: the focus moves to the tab, and Enter shows its page.
    SendMessageTimeoutA(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 15000, &ignored);
    SendMessageTimeoutA(tab, WM_KEYDOWN, VK_RETURN, 0, SMTO_NORMAL, 15000, &ignored);
    HWND page = GetParent(Control(controlOnPage));
    return WaitFor([&] { return IsWindowVisible(page) != FALSE; });
}

bool LumisatRun::Apply() const
{
    HWND apply = Control(IDC_MAIN_APPLY);
    if (!IsWindowEnabled(apply))
        return false;
    Click(apply);
    // Apply may lock first, behind the wait dialog; it ends by disabling itself.
    return WaitFor([&] { return IsWindowEnabled(apply) == FALSE; }, seconds(20));
}

std::string LumisatRun::CallLog() const
{
    // The simulator appends while we read: open with full sharing.
    HANDLE file = CreateFileA((folder + "Quarlink.log").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

std::vector<std::string> LumisatRun::CallLogLines() const
{
    std::vector<std::string> lines;
    std::istringstream text(CallLog());
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> LumisatRun::CallsFrom(const std::string& prefix, size_t from) const
{
    std::vector<std::string> calls;
    const std::vector<std::string> lines = CallLogLines();
    for (size_t at = FindLine(lines, prefix, from); at != std::string::npos; at = FindLine(lines, prefix, at + 1))
        calls.push_back(lines[at]);
    return calls;
}

bool LumisatRun::WaitForCall(const std::string& prefix, size_t from, milliseconds timeout) const
{
    return WaitFor([&] { return FindLine(CallLogLines(), prefix, from) != std::string::npos; }, timeout);
}

int LumisatRun::OverlappingLockCalls() const
{
    const std::string log = CallLog();
    int count = 0;
    for (const char* remark : {quarlink::kOverlappingLockRemark, quarlink::kPollDuringLockRemark}) {
        for (size_t at = log.find(remark); at != std::string::npos; at = log.find(remark, at + 1))
            ++count;
    }
    return count;
}

bool LumisatRun::WaitForBarColour(COLORREF colour, milliseconds timeout) const
{
    return WaitFor([&] {
        RECT bar{};
        GetWindowRect(Control(IDC_MAIN_STRENGTH_BAR), &bar);
        // Inside the one-pixel frame, where even a reading of a few percent fills.
        HDC screen = GetDC(nullptr);
        const COLORREF shown = GetPixel(screen, bar.left + 2, (bar.top + bar.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return shown == colour;
    }, timeout);
}

std::vector<std::wstring> LumisatRun::TrayMenu() const
{
    const auto menuWindow = [&] {
        HWND menu = process.TopLevelWindow(WindowFilter{"#32768", nullptr, false});
        return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
    };
    PostMessageA(Frame(), kTrayCallback, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = menuWindow()) != nullptr; }, seconds(5)))
        return {};
    std::vector<std::wstring> texts = PopupMenuWideTexts(menu).value_or(std::vector<std::wstring>{});
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitFor([&] { return menuWindow() == nullptr; }, seconds(5)))
        return {};
    return texts;
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
