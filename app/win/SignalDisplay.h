// The main dialog's signal display: the strength and quality bars over their
// placeholders (1126, 1127) with their percentages (1122, 1123), and the lock
// icon (1012) with its tooltip. They stay children of the dialog with those
// ids; the bars are green while the display shows a lock, red otherwise.
#pragma once

#include "app/win/LevelBar.h"
#include "framework/Controls.h"
#include "framework/ToolTip.h"

#include <memory>
#include <string>

struct LockDisplayState;

class CSignalDisplay {
public:
    // Over the dialog's placeholders, once its controls exist.
    void Create(HWND dialog);
    void Destroy();

    // The icon, the bars' colour and the icon's tip; shown at once, since a
    // lock's wait keeps the dialog from painting for seconds.
    void ShowLock(const LockDisplayState& state);
    // The bars filled to the percentages, and their texts.
    void ShowPercentages(int strengthPercent, int qualityPercent);
    // The tip of both bars.
    void SetBarTips(const std::string& text);
    // From the dialog's paint handler: the bars in the colour of the display.
    void Paint();

private:
    void ShowBar(CLevelBar* bar, const RECT& outer, int percent, int textId);

    HWND dialog = nullptr;
    CStaticCtrl lockIcon;
    CToolTip lockIconTip;
    std::unique_ptr<CLevelBar> strengthBar;
    std::unique_ptr<CLevelBar> qualityBar;
    RECT strengthRect{};
    RECT qualityRect{};
    bool locked = false;
};
