// The baseline of the start-up, memory and idle benchmarks: one modeless
// dialog from a template with a message loop, built with the same toolchain
// and static runtime as Lumisat, and nothing else.
#include <windows.h>

namespace {
constexpr int kDialogTemplate = 100;

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            DestroyWindow(dialog);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
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
