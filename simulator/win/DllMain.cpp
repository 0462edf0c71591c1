#include "simulator/win/SimulatorHost.h"

#include <windows.h>

// Only remembers the module: the configuration is read at the first call,
// outside the loader lock.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        quarlink::simulatorModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
