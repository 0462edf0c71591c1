// A system library loaded by the first call that needs it, not at the start:
// a session that never opens a file dialog or plays a tone does not pay for
// the library's loading and memory. Once loaded it stays for the process.
#pragma once

#include <windows.h>

// The function of the library, loading the library first when it is not
// loaded yet; null when either is missing. Safe from any thread.
template <typename Function>
Function* LateFunction(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr)
        module = LoadLibraryA(library);
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
