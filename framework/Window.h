// A plain top-level window of a class registered by the program; messages go
// to OnMessage, the rest to DefWindowProc.
#pragma once

#include <windows.h>

class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow();

    // Registers a class whose window procedure leads to CWindow objects.
    static bool RegisterWindowClass(const char* className, UINT style, HICON icon, HMENU menu = nullptr);
    bool Create(const char* className, const char* title, DWORD style, HMENU menu);
    HWND GetSafeHwnd() const { return hwnd; }

protected:
    // Return true and set result when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    HWND hwnd = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Routes a control's messages to a handler object after or instead of the
// control's own procedure (comctl32 subclassing).
class CSubclass {
public:
    virtual ~CSubclass();
    bool Subclass(HWND control);
    void Unsubclass();
    HWND Handle() const { return window; }

protected:
    // Return true and set result to replace the control's handling; call
    // DefaultHandling to run the control's own procedure first.
    virtual bool OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    HWND window = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
};
