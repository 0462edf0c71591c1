#include "tests/e2e/RemoteMenu.h"

#include <cstddef>

namespace {

// The arguments of one GetMenuStringW call, read by the machine-code thunk below.
struct MenuStringCall {
    UINT_PTR function;
    UINT_PTR menu;
    UINT position;
    UINT_PTR buffer;
    UINT size;
    UINT flags;
};

// A thread procedure taking a MenuStringCall* that calls the function with
// its five arguments and returns what it returns.
#ifdef _WIN64
const unsigned char kCallThunk[] = {
    0x48, 0x83, 0xEC, 0x38,         // sub rsp, 0x38
    0x48, 0x89, 0xC8,               // mov rax, rcx
    0x4C, 0x8B, 0x10,               // mov r10, [rax]
    0x48, 0x8B, 0x48, 0x08,         // mov rcx, [rax+8]
    0x8B, 0x50, 0x10,               // mov edx, [rax+16]
    0x4C, 0x8B, 0x40, 0x18,         // mov r8, [rax+24]
    0x44, 0x8B, 0x48, 0x20,         // mov r9d, [rax+32]
    0x44, 0x8B, 0x58, 0x24,         // mov r11d, [rax+36]
    0x4C, 0x89, 0x5C, 0x24, 0x20,   // mov [rsp+0x20], r11
    0x41, 0xFF, 0xD2,               // call r10
    0x48, 0x83, 0xC4, 0x38,         // add rsp, 0x38
    0xC3,                           // ret
};
static_assert(offsetof(MenuStringCall, menu) == 8 && offsetof(MenuStringCall, position) == 16 &&
              offsetof(MenuStringCall, buffer) == 24 && offsetof(MenuStringCall, size) == 32 &&
              offsetof(MenuStringCall, flags) == 36);
#else
const unsigned char kCallThunk[] = {
    0x8B, 0x44, 0x24, 0x04,   // mov eax, [esp+4]
    0xFF, 0x70, 0x14,         // push [eax+20]
    0xFF, 0x70, 0x10,         // push [eax+16]
    0xFF, 0x70, 0x0C,         // push [eax+12]
    0xFF, 0x70, 0x08,         // push [eax+8]
    0xFF, 0x70, 0x04,         // push [eax+4]
    0xFF, 0x10,               // call [eax]
    0xC2, 0x04, 0x00,         // ret 4
};
static_assert(offsetof(MenuStringCall, menu) == 4 && offsetof(MenuStringCall, position) == 8 &&
              offsetof(MenuStringCall, buffer) == 12 && offsetof(MenuStringCall, size) == 16 &&
              offsetof(MenuStringCall, flags) == 20);
#endif

constexpr UINT kTextSize = 256;

// A thread in the target at `start` with the argument; its exit code, or -1.
DWORD RunRemote(HANDLE target, const void* start, const void* argument)
{
    HANDLE thread = CreateRemoteThread(target, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start),
                                       const_cast<void*>(argument), 0, nullptr);
    DWORD code = static_cast<DWORD>(-1);
    if (thread != nullptr && WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0)
        GetExitCodeThread(thread, &code);
    if (thread != nullptr)
        CloseHandle(thread);
    return code;
}

// The texts, read in the target through memory holding the thunk, a call's
// arguments and the text. System libraries lie at the same address in every
// process, so our own user32 addresses serve.
std::optional<std::vector<std::wstring>> ReadTexts(HANDLE target, char* memory, HMENU menu)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!WriteProcessMemory(target, memory, kCallThunk, sizeof(kCallThunk), nullptr))
        return std::nullopt;
    const auto count = static_cast<int>(
        RunRemote(target, reinterpret_cast<const void*>(GetProcAddress(user32, "GetMenuItemCount")), menu));
    if (count < 0 || count > 64)
        return std::nullopt;
    std::vector<std::wstring> texts;
    char* call = memory + 256;
    char* text = memory + 512;
    for (int i = 0; i < count; ++i) {
        const MenuStringCall arguments{reinterpret_cast<UINT_PTR>(GetProcAddress(user32, "GetMenuStringW")),
                                       reinterpret_cast<UINT_PTR>(menu),
                                       static_cast<UINT>(i),
                                       reinterpret_cast<UINT_PTR>(text),
                                       kTextSize,
                                       MF_BYPOSITION};
        wchar_t local[kTextSize] = {};
        WriteProcessMemory(target, text, local, sizeof(local), nullptr);
        WriteProcessMemory(target, call, &arguments, sizeof(arguments), nullptr);
        RunRemote(target, memory, call);
        ReadProcessMemory(target, text, local, sizeof(local) - sizeof(wchar_t), nullptr);
        texts.emplace_back(local);
    }
    return texts;
}

}   // namespace

std::optional<std::vector<std::wstring>> PopupMenuWideTexts(HWND menuWindow)
{
    auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    DWORD processId = 0;
    GetWindowThreadProcessId(menuWindow, &processId);
    HANDLE target = menu != nullptr ? OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId) : nullptr;
    if (target == nullptr)
        return std::nullopt;
    std::optional<std::vector<std::wstring>> texts;
    if (auto* memory = static_cast<char*>(VirtualAllocEx(target, nullptr, 4096, MEM_COMMIT, PAGE_EXECUTE_READWRITE))) {
        texts = ReadTexts(target, memory, menu);
        VirtualFreeEx(target, memory, 0, MEM_RELEASE);
    }
    CloseHandle(target);
    return texts;
}
