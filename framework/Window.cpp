#include "framework/Window.h"

#include "framework/ErrorReport.h"

#include <commctrl.h>

#include <exception>

namespace {
const char kObjectProperty[] = "Lumisat.Window";
const UINT_PTR kSubclassId = 1;
}   // namespace

CWindow::~CWindow()
{
    if (hwnd != nullptr && IsWindow(hwnd))
        DestroyWindow(hwnd);
}

bool CWindow::RegisterWindowClass(const char* className, UINT style, HICON icon, HMENU)
{
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));   // IDC_ARROW
    windowClass.hbrBackground = nullptr;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindow::Create(const char* className, const char* title, DWORD style, HMENU menu)
{
    HWND created = CreateWindowExA(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, nullptr, menu, GetModuleHandleA(nullptr), this);
    return created != nullptr;
}

LRESULT CALLBACK CWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd = window;
        SetPropA(window, kObjectProperty, self);
    } else {
        self = static_cast<CWindow*>(GetPropA(window, kObjectProperty));
    }
    LRESULT result = 0;
    bool handled = false;
    if (self != nullptr) {
        try {
            handled = self->OnMessage(message, wParam, lParam, result);
        } catch (const std::exception& error) {
            ReportUnhandledError(window, error.what());
        } catch (...) {
            ReportUnhandledError(window, "unknown error");
        }
    }
    if (!handled)
        result = DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY && self != nullptr) {
        RemovePropA(window, kObjectProperty);
        self->hwnd = nullptr;
    }
    return result;
}

CSubclass::~CSubclass() { Unsubclass(); }

bool CSubclass::Subclass(HWND control)
{
    window = control;
    return SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void CSubclass::Unsubclass()
{
    if (window != nullptr && IsWindow(window))
        RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    window = nullptr;
}

LRESULT CSubclass::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK CSubclass::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data)
{
    auto* self = reinterpret_cast<CSubclass*>(data);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->OnSubclassMessage(message, wParam, lParam, result);
    } catch (const std::exception& error) {
        ReportUnhandledError(window, error.what());
    } catch (...) {
        ReportUnhandledError(window, "unknown error");
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SubclassProc, kSubclassId);
        self->window = nullptr;
    }
    return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}
