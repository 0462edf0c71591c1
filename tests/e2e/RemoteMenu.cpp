#include "tests/e2e/RemoteMenu.h"

#include <psapi.h>

#include <cstring>

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
    0x48, 0x83, 0xEC, 0x38,              // sub rsp, 0x38
    0x48, 0x89, 0xC8,                    // mov rax, rcx
    0x4C, 0x8B, 0x10,                    // mov r10, [rax]
    0x48, 0x8B, 0x48, 0x08,              // mov rcx, [rax+8]
    0x8B, 0x50, 0x10,                    // mov edx, [rax+16]
    0x4C, 0x8B, 0x40, 0x18,              // mov r8, [rax+24]
    0x44, 0x8B, 0x48, 0x20,              // mov r9d, [rax+32]
    0x44, 0x8B, 0x58, 0x24,              // mov r11d, [rax+36]
    0x4C, 0x89, 0x5C, 0x24, 0x20,        // mov [rsp+0x20], r11
    0x41, 0xFF, 0xD2,                    // call r10
    0x48, 0x83, 0xC4, 0x38,              // add rsp, 0x38
    0xC3,                                // ret
};
static_assert(offsetof(MenuStringCall, menu) == 8 && offsetof(MenuStringCall, position) == 16 &&
              offsetof(MenuStringCall, buffer) == 24 && offsetof(MenuStringCall, size) == 32 &&
              offsetof(MenuStringCall, flags) == 36);
#else
const unsigned char kCallThunk[] = {
    0x8B, 0x44, 0x24, 0x04,              // mov eax, [esp+4]
    0xFF, 0x70, 0x14,                    // push [eax+20]
    0xFF, 0x70, 0x10,                    // push [eax+16]
    0xFF, 0x70, 0x0C,                    // push [eax+12]
    0xFF, 0x70, 0x08,                    // push [eax+8]
    0xFF, 0x70, 0x04,                    // push [eax+4]
    0xFF, 0x10,                          // call [eax]
    0xC2, 0x04, 0x00,                    // ret 4
};
static_assert(offsetof(MenuStringCall, menu) == 4 && offsetof(MenuStringCall, position) == 8 &&
              offsetof(MenuStringCall, buffer) == 12 && offsetof(MenuStringCall, size) == 16 &&
              offsetof(MenuStringCall, flags) == 20);
#endif

constexpr UINT kTextSize = 256;

// The address of one of our user32 functions in the target process.
UINT_PTR TargetUser32Address(HANDLE target, const char* name)
{
    HMODULE ours = GetModuleHandleA("user32.dll");
    auto local = reinterpret_cast<UINT_PTR>(GetProcAddress(ours, name));
    HMODULE modules[512];
    DWORD needed = 0;
    if (EnumProcessModules(target, modules, sizeof(modules), &needed)) {
        for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
            char base[MAX_PATH] = {};
            if (GetModuleBaseNameA(target, modules[i], base, sizeof(base)) && lstrcmpiA(base, "user32.dll") == 0)
                return local - reinterpret_cast<UINT_PTR>(ours) + reinterpret_cast<UINT_PTR>(modules[i]);
        }
    }
    return local;   // system libraries lie at the same address in every process
}

// Runs the calls inside the target, one thread per item.
class RemoteMenuReader {
public:
    explicit RemoteMenuReader(HWND window)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        target = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
        if (target == nullptr)
            return;
        memory = static_cast<char*>(VirtualAllocEx(target, nullptr, 4096, MEM_COMMIT, PAGE_EXECUTE_READWRITE));
        if (memory != nullptr)
            WriteProcessMemory(target, memory, kCallThunk, sizeof(kCallThunk), nullptr);
    }
    ~RemoteMenuReader()
    {
        if (memory != nullptr)
            VirtualFreeEx(target, memory, 0, MEM_RELEASE);
        if (target != nullptr)
            CloseHandle(target);
    }
    RemoteMenuReader(const RemoteMenuReader&) = delete;
    RemoteMenuReader& operator=(const RemoteMenuReader&) = delete;

    std::optional<std::vector<std::wstring>> Texts(HMENU menu)
    {
        if (memory == nullptr)
            return std::nullopt;
        const auto count = static_cast<int>(Run(TargetUser32Address(target, "GetMenuItemCount"), menu));
        if (count < 0 || count > 64)
            return std::nullopt;
        std::vector<std::wstring> texts;
        for (int i = 0; i < count; ++i)
            texts.push_back(ItemText(menu, static_cast<UINT>(i)));
        return texts;
    }

private:
    // A thread at `start` with the argument; its exit code, or -1.
    DWORD Run(UINT_PTR start, const void* argument)
    {
        HANDLE thread = CreateRemoteThread(target, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start),
                                           const_cast<void*>(argument), 0, nullptr);
        if (thread == nullptr)
            return static_cast<DWORD>(-1);
        DWORD code = static_cast<DWORD>(-1);
        if (WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0)
            GetExitCodeThread(thread, &code);
        CloseHandle(thread);
        return code;
    }
    DWORD Run(UINT_PTR start, HMENU menu) { return Run(start, static_cast<const void*>(menu)); }

    std::wstring ItemText(HMENU menu, UINT position)
    {
        char* call = memory + 256;
        char* text = memory + 512;
        const MenuStringCall arguments{TargetUser32Address(target, "GetMenuStringW"),
                                       reinterpret_cast<UINT_PTR>(menu), position,
                                       reinterpret_cast<UINT_PTR>(text), kTextSize, MF_BYPOSITION};
        const wchar_t empty[kTextSize] = {};
        WriteProcessMemory(target, text, empty, sizeof(empty), nullptr);
        WriteProcessMemory(target, call, &arguments, sizeof(arguments), nullptr);
        Run(reinterpret_cast<UINT_PTR>(memory), call);
        wchar_t local[kTextSize] = {};
        ReadProcessMemory(target, text, local, sizeof(local) - sizeof(wchar_t), nullptr);
        return local;
    }

    HANDLE target = nullptr;
    char* memory = nullptr;
};

}  // namespace

std::optional<std::vector<std::wstring>> PopupMenuWideTexts(HWND menuWindow)
{
    auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (menu == nullptr)
        return std::nullopt;
    const int count = GetMenuItemCount(menu);
    if (count < 0)
        return RemoteMenuReader(menuWindow).Texts(menu);
    std::vector<std::wstring> texts;
    for (int i = 0; i < count; ++i) {
        wchar_t text[kTextSize] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, kTextSize, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}
