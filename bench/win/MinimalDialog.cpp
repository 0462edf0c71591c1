// The baseline of the start-up, memory and idle benchmarks: one modeless
// dialog from a template with a message loop, built with the same toolchain
// and static runtime as Lumisat, and nothing else. With /with-lumisat-dlls it
// first loads the system libraries that Lumisat loads, to tell their share of
// Lumisat's start-up time and memory from the program's own.
#include <windows.h>

#include <cstring>

namespace {
constexpr int kDialogTemplate = 100;

void LoadLumisatLibraries()
{
    // Lumisat's imports, and the help control it initialises at start-up.
    const char* const libraries[] = {"advapi32.dll", "comctl32.dll", "setupapi.dll", "shell32.dll", "hhctrl.ocx"};
    for (const char* library : libraries)
        LoadLibraryA(library);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            DestroyWindow(dialog);
        return TRUE;
    case WM_CLOSE: DestroyWindow(dialog); return TRUE;
    case WM_DESTROY: PostQuitMessage(0); return TRUE;
    default: return FALSE;
    }
}
}   // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    if (commandLine != nullptr && std::strstr(commandLine, "/with-lumisat-dlls") != nullptr)
        LoadLumisatLibraries();
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(kDialogTemplate), nullptr, DialogProcedure, 0);
    if (dialog == nullptr)
        return 1;
    ShowWindow(dialog, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return 0;
}
