// Stands in for icacls.exe while test_installer.sh runs the installer: Wine's
// own icacls does nothing, so the installer's requests are recorded instead.
// Appends its arguments as one UTF-8 line to the file named by
// ICACLS_RECORD, and fails (exit code 5, access denied) when they contain
// the text of ICACLS_REFUSE.
#include <windows.h>

#include <string>

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[1024] = L"";
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// The command line without the program's own name.
std::wstring Arguments()
{
    const wchar_t* line = GetCommandLineW();
    const bool quoted = *line == L'"';
    line += quoted ? 1 : 0;
    while (*line != L'\0' && *line != (quoted ? L'"' : L' '))
        ++line;
    line += *line == L'"' ? 1 : 0;
    while (*line == L' ')
        ++line;
    return line;
}

bool Append(const std::wstring& file, const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.back() = '\n';
    HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool done =
        WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) && written == utf8.size();
    CloseHandle(handle);
    return done;
}

}   // namespace

int main()
{
    const std::wstring arguments = Arguments();
    const std::wstring record = Environment(L"ICACLS_RECORD");
    if (record.empty() || !Append(record, arguments))
        return 2;
    const std::wstring refused = Environment(L"ICACLS_REFUSE");
    return !refused.empty() && arguments.find(refused) != std::wstring::npos ? ERROR_ACCESS_DENIED : 0;
}
