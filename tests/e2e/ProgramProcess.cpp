#include "tests/e2e/ProgramProcess.h"

namespace {
struct WindowSearch {
    DWORD processId;
    const WindowFilter* filter;
    std::vector<HWND> found;
};

bool HasText(HWND window, const char* wanted, int(WINAPI* read)(HWND, LPSTR, int))
{
    if (wanted == nullptr)
        return true;
    char text[256] = {};
    read(window, text, sizeof(text));
    return lstrcmpA(text, wanted) == 0;
}

BOOL CALLBACK CollectMatch(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // For another process's window GetWindowTextA reads the title the system
    // keeps; it sends nothing.
    const WindowFilter& filter = *search->filter;
    if (owner == search->processId && (!filter.visibleOnly || IsWindowVisible(window)) &&
        HasText(window, filter.className, GetClassNameA) && HasText(window, filter.title, GetWindowTextA))
        search->found.push_back(window);
    return TRUE;
}
std::string WindowsFolder(std::string path)
{
    if (path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path.back() == '\\' ? path : path + '\\';
}
}   // namespace

std::string EnvironmentFolder(const char* name)
{
    char buffer[1024] = {};
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    return length == 0 || length >= sizeof(buffer) ? std::string() : WindowsFolder(std::string(buffer, length));
}

std::vector<HWND> ProcessWindows(DWORD processId, const WindowFilter& filter)
{
    WindowSearch search{processId, &filter, {}};
    EnumWindows(CollectMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string FullPath(const std::string& path)
{
    char full[1024] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    return length > 0 && length < sizeof(full) ? std::string(full, length) : path;
}

bool ProgramProcess::Start(const std::string& exePath, const std::string& folder, const std::string& arguments)
{
    Release();
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string command = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
        return true;
    info = PROCESS_INFORMATION{};
    return false;
}

void ProgramProcess::Kill()
{
    if (!IsRunning())
        return;
    TerminateProcess(info.hProcess, 1);
    // TerminateProcess only starts the end; the handle signals once it is done.
    WaitForSingleObject(info.hProcess, 15000);
}

bool ProgramProcess::EndThrough(const char* windowClass, UINT message, WPARAM wParam, DWORD timeoutMs)
{
    if (!IsRunning())
        return true;
    if (HWND window = TopLevelWindow(WindowFilter{windowClass, nullptr, false}))
        PostMessageA(window, message, wParam, 0);
    if (WaitForExit(timeoutMs))
        return true;
    Kill();
    return false;
}

void ProgramProcess::Release()
{
    if (info.hProcess == nullptr)
        return;
    Kill();
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    info = PROCESS_INFORMATION{};
}
