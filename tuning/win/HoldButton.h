// A push button that tells its parent when the left mouse button goes down
// on it (2024) and up again (2025), so that the motor moves only while the
// button is held. wParam is the button's window, lParam its tag.
#pragma once

#include "framework/Window.h"

#include <windows.h>

#include <string>

constexpr UINT kHoldButtonPressed = 2024;
constexpr UINT kHoldButtonReleased = 2025;

class CHoldButton : public CSubclass {
public:
    CHoldButton() = default;
    ~CHoldButton() override;

    // A visible child push button of `parent` with the given identifier,
    // placed at `rect` (parent coordinates).
    bool Create(HWND parent, const std::string& caption, const RECT& rect, int id, HFONT font);
    void Destroy();

    void SetTag(LPARAM value) { tag = value; }

protected:
    bool OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Notify(UINT message) const;

    LPARAM tag = 0;
    bool held = false;
};
