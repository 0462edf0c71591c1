#include "tests/e2e/Harness.h"

#include "simulator/CallLogFormat.h"
#include "tests/e2e/RemoteMenu.h"

#include <commctrl.h>
#include <dbt.h>
#include <shlwapi.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <sstream>
#include <thread>
#include <tuple>

namespace {
constexpr char kProgramX11Settings[] = "Software\\Wine\\AppDefaults\\Lumisat.exe\\X11 Driver";
constexpr int kTextControl = 0xFFFF;

// A dialog of the process with the text control 65535 that is not the main
// dialog: a message box has answer buttons and a title (the program's, or
// "Lumisat" for the other program's notice), the wait dialog has neither.
bool IsProgramDialog(HWND window, bool messageBox)
{
    if (GetDlgItem(window, kTextControl) == nullptr || GetDlgItem(window, IDC_MAIN_TAB) != nullptr)
        return false;
    const bool answers = GetDlgItem(window, IDOK) != nullptr || GetDlgItem(window, IDCANCEL) != nullptr ||
                         GetDlgItem(window, IDYES) != nullptr || GetDlgItem(window, IDNO) != nullptr;
    // GetWindowTextA reads another process's title without sending a message.
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    const bool titled = lstrcmpA(title, kProgramTitle) == 0 || lstrcmpA(title, "Lumisat") == 0;
    return messageBox ? answers && titled : !answers;
}

RECT ScreenRect(HWND window, bool clientOnly)
{
    RECT rect{};
    if (!clientOnly)
        GetWindowRect(window, &rect);
    else if (GetClientRect(window, &rect))
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Whether the screen's pixels in the rectangle show green (true) or red
// (false), and nothing when they show neither or both.
std::optional<bool> GreenOrRed(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return std::nullopt;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    int green = 0;
    int red = 0;
    for (const RGBQUAD& pixel : std::span(static_cast<const RGBQUAD*>(bits), static_cast<size_t>(width * height))) {
        green += pixel.rgbGreen > pixel.rgbRed + 96;
        red += pixel.rgbRed > pixel.rgbGreen + 96;
    }
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    if ((green > 0) == (red > 0))
        return std::nullopt;
    return green > 0;
}

// Wine's crash report or a window of its debugger: its title and program.
BOOL CALLBACK NoteCrashReport(HWND window, LPARAM found)
{
    if (!IsWindowVisible(window))
        return TRUE;
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char program[MAX_PATH] = {};
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        DWORD size = sizeof program;
        QueryFullProcessImageNameA(process, 0, program, &size);
        CloseHandle(process);
    }
    if (StrStrIA(title, "Program Error") == nullptr && StrStrIA(program, "winedbg") == nullptr)
        return TRUE;
    *reinterpret_cast<std::string*>(found) = std::string(title) + " (" + program + ")";
    PostMessageA(window, WM_CLOSE, 0, 0);
    return FALSE;
}
}  // namespace

void SendDeviceNotice(HWND dialog, WPARAM event, const GUID& interfaceClass)
{
    DEV_BROADCAST_DEVICEINTERFACE_A notice{};
    notice.dbcc_size = sizeof(notice);
    notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    notice.dbcc_classguid = interfaceClass;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&notice), SMTO_NORMAL, 15000,
                        &ignored);
}

std::string TakeCrashReport()
{
    std::string report;
    EnumWindows(NoteCrashReport, reinterpret_cast<LPARAM>(&report));
    return report;
}

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
    namespace fs = std::filesystem;
    const std::string bin = EnvironmentFolder("LUMISAT_BIN");
    folder = bin + "..\\e2e\\" + name + "\\";
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder + "Language", ignored);
    for (const char* file : {"Lumisat.exe", "Quarlink.dll"})
        fs::copy_file(bin + file, folder + file, ignored);
    const fs::path languages = EnvironmentFolder("LUMISAT_SOURCE") + "resources\\Language";
    for (const fs::directory_entry& file : fs::directory_iterator(languages, ignored)) {
        if (file.path().extension() == ".txt")
            fs::copy_file(file.path(), folder + "Language\\" + file.path().filename().string(), ignored);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    SetRegistryString("PATH", folder);
}

// Every scenario checks the card's rule of one call at a time. Benchmarks,
// which run outside a test, do not.
LumisatRun::~LumisatRun()
{
    process.Kill();
    if (::testing::UnitTest::GetInstance()->current_test_info() == nullptr)
        return;
    const std::vector<std::string> overlaps = OverlappingCalls();
    if (overlaps.empty())
        return;
    std::ostringstream list;
    for (const std::string& remark : overlaps)
        list << "\n  " << remark;
    ADD_FAILURE() << overlaps.size() << " driver calls started while another was in flight (" << folder
                  << "Quarlink.log):" << list.str();
}

void LumisatRun::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream(folder + name, std::ios::binary | std::ios::trunc) << bytes;
}

std::string LumisatRun::ReadFile(const std::string& name) const
{
    HANDLE file = CreateFileA(PathOf(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
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

void LumisatRun::SetRegistryString(const char* name, const std::string& value) const
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

void LumisatRun::SetRegistryNumber(const char* name, DWORD value) const
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, REG_DWORD, &value, sizeof(value));
}

std::string LumisatRun::RegistryString(const char* name) const
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    const LONG result = RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    return result == ERROR_SUCCESS ? buffer : "";
}

bool LumisatRun::RegistryNumber(const char* name, DWORD& value) const
{
    DWORD size = sizeof(value);
    return RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == 0;
}

bool LumisatRun::WaitForMainDialog(milliseconds timeout)
{
    return WaitFor([this] {
        mainDialog = nullptr;
        for (HWND dialog : ProcessWindows(process.Id(), WindowFilter{"#32770", kProgramTitle, true})) {
            if (GetDlgItem(dialog, IDC_MAIN_TAB) != nullptr)
                mainDialog = dialog;
        }
        return mainDialog != nullptr;
    }, timeout);
}

DWORD LumisatRun::StartSecondInstance(const std::string& arguments) const
{
    // It only tells the first and ends; one still running then is killed.
    ProgramProcess second;
    if (!second.Start(folder + "Lumisat.exe", folder, arguments))
        return STILL_ACTIVE;
    second.WaitForExit(20000);
    return second.ExitCode();
}

HWND LumisatRun::WaitForWindow(const char* title, milliseconds timeout) const
{
    HWND window = nullptr;
    WaitFor([&] { return (window = FindProcessWindow(process.Id(), "#32770", title)) != nullptr; }, timeout);
    return window;
}

HWND LumisatRun::FindDialog(bool messageBox) const
{
    for (HWND window : ProcessWindows(process.Id(), WindowFilter{"#32770", nullptr, true})) {
        if (IsProgramDialog(window, messageBox))
            return window;
    }
    return nullptr;
}

HWND LumisatRun::WaitForMessageBox(milliseconds timeout) const
{
    HWND box = nullptr;
    WaitFor([&] { return (box = FindDialog(true)) != nullptr; }, timeout);
    return box;
}

Messages LumisatRun::TakeMessages(milliseconds quiet, milliseconds first) const
{
    Messages texts;
    auto deadline = std::chrono::steady_clock::now() + std::max(quiet, first);
    while (std::chrono::steady_clock::now() < deadline) {
        if (HWND box = WaitForMessageBox(milliseconds(50))) {
            texts.push_back(AnswerBox(box, GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK));
            deadline = std::chrono::steady_clock::now() + quiet;
        }
    }
    return texts;
}

bool LumisatRun::AnswerFileDialog(const std::string& path) const
{
    HWND dialog = nullptr;
    HWND name = nullptr;
    WaitFor([&] {
        for (HWND window : ProcessWindows(process.Id(), WindowFilter{"#32770", nullptr, true})) {
            // The file name box: cmb13, or edt1 in older dialogs.
            for (int id : {1152, 1148}) {
                if (HWND box = FindControl(window, id))
                    std::tie(dialog, name) = std::pair(window, box);
            }
        }
        return dialog != nullptr;
    });
    if (dialog == nullptr)
        return false;
    SetText(name, path);
    Click(GetDlgItem(dialog, IDOK));   // the dialog's own button, not a view's control 1
    return WaitFor([&] { return IsWindow(dialog) == FALSE; });
}

HWND LumisatRun::FindLockWaitDialog(std::string* label) const
{
    HWND dialog = FindDialog(false);
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
    return SendMessageTimeoutA(mainDialog, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(within.count()), &result);
}

void LumisatRun::WaitForStartupLock() const
{
    WaitForCall("LockChannel3(", 0, milliseconds(2000));
    // A silent lock at start-up comes first; the one of timer 503 follows
    // 110 ms after the dialog's initialisation and leaves no trace when it
    // has nothing to lock.
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

std::vector<std::string> LumisatRun::CallLogLines() const
{
    std::vector<std::string> lines;
    std::istringstream text(ReadFile("Quarlink.log"));
    for (std::string line; std::getline(text, line);) {
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

std::vector<std::string> LumisatRun::OverlappingCalls() const
{
    std::vector<std::string> remarks;
    std::istringstream log(ReadFile("Quarlink.log"));
    for (std::string line; std::getline(log, line);) {
        if (quarlink::IsOverlapRemark(line))
            remarks.push_back(line);
    }
    return remarks;
}

std::optional<bool> LumisatRun::LockShown() const
{
    // Without a notification area on the display, Wine's explorer shows the
    // icons in a window of its own.
    const std::optional<bool> shown[] = {GreenOrRed(ScreenRect(Control(IDC_MAIN_STRENGTH_BAR), false)),
                                         GreenOrRed(ScreenRect(Control(IDC_MAIN_LOCK_ICON), false)),
                                         GreenOrRed(ScreenRect(FindWindowA(nullptr, "Wine System Tray"), true))};
    return shown[0] == shown[1] && shown[1] == shown[2] ? shown[0] : std::nullopt;
}

HWND LumisatRun::OpenTrayMenu() const
{
    TrayIconMouse(WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitFor([&] { return (menu = process.TopLevelWindow(WindowFilter{"#32768", nullptr, true})) != nullptr; },
            seconds(5));
    return menu;
}

std::vector<std::wstring> LumisatRun::TrayMenu() const
{
    HWND menu = OpenTrayMenu();
    if (menu == nullptr)
        return {};
    std::vector<std::wstring> texts = PopupMenuWideTexts(menu).value_or(std::vector<std::wstring>{});
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitFor([&] { return IsWindowVisible(menu) == FALSE; }, seconds(5)))
        return {};
    return texts;
}

bool LumisatRun::ExitFromTrayMenu() const
{
    HWND menu = OpenTrayMenu();
    if (menu == nullptr)
        return false;
    // Up from no selection wraps to the last item.
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

UnmanagedProgramWindows::UnmanagedProgramWindows()
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kProgramX11Settings, "Managed", REG_SZ, "N", 2);
}

UnmanagedProgramWindows::~UnmanagedProgramWindows()
{
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramX11Settings, "Managed");
}
