#include "tests/e2e/Harness.h"

#include "simulator/CallLogFormat.h"
#include "tests/e2e/RemoteMenu.h"

#include <commctrl.h>
#include <dbt.h>
#include <shlwapi.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <thread>

namespace {

constexpr int kTextControl = 0xFFFF;

// A dialog of the process with the text control 65535 that is not the main
// dialog: a message box has answer buttons and a title (the program's, or
// "Lumisat" for the other program's notice), the wait dialog has neither.
bool IsProgramDialog(HWND window, bool messageBox)
{
    if (GetDlgItem(window, kTextControl) == nullptr || GetDlgItem(window, IDC_MAIN_TAB) != nullptr)
        return false;
    bool answers = false;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
        answers = answers || GetDlgItem(window, id) != nullptr;
    // GetWindowTextA reads another process's title without sending a message.
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    const bool titled = lstrcmpA(title, kProgramTitle) == 0 || lstrcmpA(title, "Lumisat") == 0;
    return messageBox ? answers && titled : !answers;
}

// Whether the screen's pixels in the window (or its client area) show green
// (true) or red (false), and nothing when they show neither or both.
std::optional<bool> GreenOrRed(HWND window, bool clientOnly)
{
    RECT rect{};
    if (!clientOnly)
        GetWindowRect(window, &rect);
    else if (GetClientRect(window, &rect))
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
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
    int green = 0, red = 0;
    for (const RGBQUAD& pixel : std::span(static_cast<const RGBQUAD*>(bits), static_cast<size_t>(width * height))) {
        green += pixel.rgbGreen > pixel.rgbRed + 96;
        red += pixel.rgbRed > pixel.rgbGreen + 96;
    }
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return (green > 0) == (red > 0) ? std::nullopt : std::optional<bool>(green > 0);
}

// Wine's crash report ("Program Error") or a window of its debugger, closed
// so that no later scenario meets it: its title and program.
BOOL CALLBACK TakeCrashReport(HWND window, LPARAM found)
{
    char title[128] = {}, program[MAX_PATH] = {};
    GetWindowTextA(window, title, sizeof title);
    DWORD processId = 0, size = sizeof program;
    GetWindowThreadProcessId(window, &processId);
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        QueryFullProcessImageNameA(process, 0, program, &size);
        CloseHandle(process);
    }
    if (!IsWindowVisible(window) || (!StrStrIA(title, "Program Error") && !StrStrIA(program, "winedbg")))
        return TRUE;
    *reinterpret_cast<std::string*>(found) = std::string(title) + " (" + program + ")";
    PostMessageA(window, WM_CLOSE, 0, 0);
    return FALSE;
}

}   // namespace

void SendDeviceNotice(HWND dialog, WPARAM event, const GUID& interfaceClass)
{
    DEV_BROADCAST_DEVICEINTERFACE_A notice{sizeof(notice), DBT_DEVTYP_DEVICEINTERFACE, 0, interfaceClass, {}};
    SendQuietly(dialog, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&notice));
}

bool WaitFor(const std::function<bool()>& condition, milliseconds timeout)
{
    for (const auto deadline = std::chrono::steady_clock::now() + timeout; !condition();) {
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
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), LPARAM(GetDlgItem(box, buttonId)));
        WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); }, seconds(5));
    }
    return text;
}

size_t FindLine(const Lines& lines, const std::string& prefix, size_t from)
{
    for (size_t i = from; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0)
            return i;
    }
    return std::string::npos;
}

::testing::AssertionResult HasInOrder(const Lines& lines, const Lines& prefixes, size_t from)
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
    std::istringstream log(ReadFile("Quarlink.log"));
    std::ostringstream overlaps;
    for (std::string line; std::getline(log, line);) {
        if (quarlink::IsOverlapRemark(line))
            overlaps << "\n  " << line;
    }
    if (!overlaps.str().empty())
        ADD_FAILURE() << "driver calls started while another was in flight (" << folder
                      << "Quarlink.log):" << overlaps.str();
}

void LumisatRun::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream(folder + name, std::ios::binary | std::ios::trunc) << bytes;
}

std::string LumisatRun::ReadFile(const std::string& name) const
{
    HANDLE file =
        CreateFileA(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    std::string text;
    char buffer[65536];
    DWORD read = 0;
    while (file != INVALID_HANDLE_VALUE && ::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

std::string LumisatRun::RegistryString(const char* name) const
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    const LONG result = RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    return result == ERROR_SUCCESS ? buffer : "";
}

bool LumisatRun::WaitForMainDialog(milliseconds timeout)
{
    return (mainDialog = WaitForDialogWith(IDC_MAIN_TAB, kProgramTitle, timeout)) != nullptr;
}

void LumisatRun::WaitForStartupLock() const
{
    if (WaitForCall("GetSignalStrAndQu(", 0, seconds(30)))
        Sleep(static_cast<DWORD>(kStartupLockTurn.count()));
    WaitUntilIdle();
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

::testing::AssertionResult LumisatRun::EndsCleanly(milliseconds timeout)
{
    const bool ended = WaitForExit(timeout);
    std::string crash;
    EnumWindows(TakeCrashReport, reinterpret_cast<LPARAM>(&crash));
    const Lines calls = CallLogLines();
    if (!crash.empty() || !ended || ExitCode() != 0 || calls.empty() || calls.back().rfind("ReleaseDise(", 0) != 0)
        return ::testing::AssertionFailure()
               << (ended ? "ended with " + std::to_string(ExitCode()) : "still running") << ", last call "
               << (calls.empty() ? "none" : calls.back()) << (crash.empty() ? "" : ", crashed: " + crash);
    return ::testing::AssertionSuccess();
}

HWND LumisatRun::WaitForDialogWith(int controlId, const char* title, milliseconds timeout) const
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : ProcessWindows(process.Id(), WindowFilter{"#32770", title, true})) {
                if (FindControl(window, controlId) != nullptr)
                    found = window;
            }
            return found != nullptr;
        },
        timeout);
    return found;
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

Messages LumisatRun::TakeMessages(milliseconds first) const
{
    Messages texts;
    auto deadline = std::chrono::steady_clock::now() + std::max(kQuietWindow, first);
    while (std::chrono::steady_clock::now() < deadline) {
        if (HWND box = WaitForMessageBox(milliseconds(50))) {
            texts.push_back(AnswerBox(box, GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK));
            deadline = std::chrono::steady_clock::now() + kQuietWindow;
        }
    }
    return texts;
}

HWND LumisatRun::WaitForFileDialog() const
{
    // The one with a file name box: cmb13, or edt1 in older dialogs.
    HWND dialog = nullptr;
    WaitFor([&] {
        return (dialog = WaitForDialogWith(1152, nullptr, {})) || (dialog = WaitForDialogWith(1148, nullptr, {}));
    });
    return dialog;
}

bool LumisatRun::AnswerFileDialog(const std::string& path) const
{
    HWND dialog = WaitForFileDialog();
    if (dialog == nullptr)
        return false;
    SetText(FindControl(dialog, FindControl(dialog, 1152) != nullptr ? 1152 : 1148), path);
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

bool LumisatRun::ShowTab(int index, int controlOnPage) const
{
    // As the keyboard does it: the focus moves to the tab, and Enter shows its page.
    SendQuietly(Control(IDC_MAIN_TAB), TCM_SETCURFOCUS, WPARAM(index), 0);
    SendQuietly(Control(IDC_MAIN_TAB), WM_KEYDOWN, VK_RETURN, 0);
    return WaitFor([&] { return IsWindowVisible(GetParent(Control(controlOnPage))) != FALSE; });
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

Lines LumisatRun::CallLogLines() const
{
    Lines lines;
    std::istringstream text(ReadFile("Quarlink.log"));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    }
    return lines;
}

Lines LumisatRun::CallsFrom(const std::string& prefix, size_t from) const
{
    Lines calls;
    const Lines lines = CallLogLines();
    for (size_t at = FindLine(lines, prefix, from); at != std::string::npos; at = FindLine(lines, prefix, at + 1))
        calls.push_back(lines[at]);
    return calls;
}

std::optional<bool> LumisatRun::LockShown() const
{
    // Without a notification area on the display, Wine's explorer shows the
    // icons in a window of its own.
    const std::optional<bool> shown[] = {GreenOrRed(Control(IDC_MAIN_STRENGTH_BAR), false),
                                         GreenOrRed(Control(IDC_MAIN_LOCK_ICON), false),
                                         GreenOrRed(FindWindowA(nullptr, "Wine System Tray"), true)};
    return shown[0] == shown[1] && shown[1] == shown[2] ? shown[0] : std::nullopt;
}

HWND LumisatRun::OpenTrayMenu() const
{
    TrayIconMouse(WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitFor([&] { return (menu = process.TopLevelWindow(WindowFilter{"#32768", nullptr, true})) != nullptr; });
    return menu;
}

std::vector<std::wstring> LumisatRun::TrayMenu() const
{
    HWND menu = OpenTrayMenu();
    std::optional<std::vector<std::wstring>> texts = menu ? PopupMenuWideTexts(menu) : std::nullopt;
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return texts && WaitFor([&] { return IsWindowVisible(menu) == FALSE; }) ? *texts : std::vector<std::wstring>{};
}
