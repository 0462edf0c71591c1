#include "tests/e2e/Harness.h"

#include <fstream>
#include <sstream>
#include <thread>

namespace {
const char kSettingsKey[] = "Software\\Tavio\\Skyfold";
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
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + name;
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

// The main dialog's level bars and the wait dialog's label use the same
// identifier as a message box's text; only a message box has buttons and is
// not the main dialog. Every message box of the program carries a title.
bool IsMessageBox(HWND window, HWND mainDialog)
{
    const bool hasButton = GetDlgItem(window, IDOK) != nullptr || GetDlgItem(window, IDYES) != nullptr;
    // GetWindowTextA reads another process's title without sending a message.
    char title[2] = {};
    return window != mainDialog && hasButton && GetDlgItem(window, 0xFFFF) != nullptr &&
           GetWindowTextA(window, title, sizeof(title)) > 0;
}

struct ControlSearch {
    int id;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(window) == search->id && (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return true;
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

void LumisatRun::WriteIni(const std::string& text)
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
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size()));
    RegCloseKey(key);
}

void LumisatRun::SetRegistryNumber(const char* name, DWORD value) const
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

std::string LumisatRun::RegistryString(const char* name) const
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != 0)
        return std::string();
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return result == 0 && type == REG_SZ ? std::string(buffer) : std::string();
}

bool LumisatRun::RegistryNumber(const char* name, DWORD& value) const
{
    DWORD size = sizeof(value);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != 0)
        return false;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == 0 && type == REG_DWORD;
}

bool LumisatRun::Launch()
{
    return process.Start(folder + "Lumisat.exe", folder);
}

bool LumisatRun::Start()
{
    if (!Launch())
        return false;
    return WaitFor([this] {
        mainDialog = FindTopLevel("#32770", kMainTitle);
        return mainDialog != nullptr && IsWindowVisible(mainDialog);
    }, std::chrono::seconds(30));
}

DWORD LumisatRun::StartSecondInstance()
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

bool LumisatRun::WaitForExit(std::chrono::milliseconds timeout)
{
    return process.WaitForExit(static_cast<DWORD>(timeout.count()));
}

void LumisatRun::Kill()
{
    process.Kill();
}

HWND LumisatRun::Frame() const
{
    return FindTopLevel(kFrameClass, nullptr);
}

HWND LumisatRun::FindTopLevel(const char* className, const char* title) const
{
    return process.TopLevelWindow(WindowFilter{className, title, false});
}

HWND LumisatRun::WaitForMessageBox(std::chrono::milliseconds timeout) const
{
    HWND box = nullptr;
    WaitFor([&] {
        box = nullptr;
        for (HWND dialog : ProcessWindows(process.Id(), WindowFilter{"#32770", nullptr, true})) {
            if (IsMessageBox(dialog, mainDialog)) {
                box = dialog;
                break;
            }
        }
        return box != nullptr;
    }, timeout);
    return box;
}

bool LumisatRun::NoMessageBoxFor(std::chrono::milliseconds time) const
{
    return WaitForMessageBox(time) == nullptr;
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

bool LumisatRun::WaitForCall(const std::string& prefix, size_t from, std::chrono::milliseconds timeout) const
{
    return WaitFor([&] {
        std::vector<std::string> lines = CallLogLines();
        for (size_t i = from; i < lines.size(); ++i) {
            if (lines[i].rfind(prefix, 0) == 0)
                return true;
        }
        return false;
    }, timeout);
}

void LumisatRun::RequestExit(WPARAM wParam) const
{
    PostMessageA(Frame(), RegisterWindowMessageA(kExitRequestMessage), wParam, 0);
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    // WM_GETTEXT crosses processes for every window class.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string MessageBoxText(HWND box)
{
    return WindowText(GetDlgItem(box, 0xFFFF));
}

namespace {
HWND SearchControl(HWND root, int id, bool visibleOnly)
{
    ControlSearch search{id, visibleOnly, nullptr};
    EnumChildWindows(root, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

HWND FindControl(HWND root, int id)
{
    return SearchControl(root, id, false);
}

HWND FindVisibleControl(HWND root, int id)
{
    return SearchControl(root, id, true);
}

void Click(HWND control)
{
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

void ClickIn(HWND root, int id)
{
    Click(FindControl(root, id));
}

void AnswerMessageBox(HWND box, int buttonId)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    // The next search must not find this box again.
    WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); }, std::chrono::seconds(5));
}

void SetText(HWND control, const std::string& text)
{
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
}
