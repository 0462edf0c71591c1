#include "app/win/SignalDisplay.h"

#include "app/ReceiverSession.h"
#include "app/SignalRules.h"
#include "resources/resource.h"

namespace {

RECT ChildRectInClient(HWND dialog, int id)
{
    RECT rect{};
    HWND child = GetDlgItem(dialog, id);
    if (child == nullptr)
        return rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::unique_ptr<CLevelBar> CreateBar(HWND dialog, const RECT& rect)
{
    auto bar = std::make_unique<CLevelBar>();
    return bar->Create(dialog, rect) ? std::move(bar) : nullptr;
}

}   // namespace

void CSignalDisplay::Create(HWND owner)
{
    dialog = owner;
    lockIcon.Attach(dialog, IDC_MAIN_LOCK_ICON);
    strengthRect = ChildRectInClient(dialog, IDC_MAIN_STRENGTH_BAR);
    qualityRect = ChildRectInClient(dialog, IDC_MAIN_QUALITY_BAR);
    strengthBar = CreateBar(dialog, strengthRect);
    qualityBar = CreateBar(dialog, qualityRect);
}

void CSignalDisplay::Destroy()
{
    strengthBar.reset();
    qualityBar.reset();
}

void CSignalDisplay::ShowLock(const LockDisplayState& state)
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LockIconId(state.locked ? 0 : 1)));
    lockIcon.ShowIcon(icon);
    if (state.note != lockIconTip.Tip())
        lockIconTip.SetTip(dialog, IDC_MAIN_LOCK_ICON, ChildRectInClient(dialog, IDC_MAIN_LOCK_ICON), state.note);
    if (state.locked == locked)
        return;
    locked = state.locked;
    InvalidateRect(dialog, &strengthRect, TRUE);
    InvalidateRect(dialog, &qualityRect, TRUE);
    // A lock that went is painted at once, for a lock's wait may follow; a new
    // lock is painted by the message loop, after the filter it starts.
    if (!locked) {
        UpdateWindow(lockIcon.Handle());
        UpdateWindow(dialog);
    }
}

void CSignalDisplay::ShowPercentages(int strengthPercent, int qualityPercent)
{
    ShowBar(strengthBar.get(), strengthRect, strengthPercent, IDC_MAIN_STRENGTH_TEXT);
    ShowBar(qualityBar.get(), qualityRect, qualityPercent, IDC_MAIN_QUALITY_TEXT);
}

void CSignalDisplay::ShowBar(CLevelBar* bar, const RECT& outer, int percent, int textId)
{
    const BarRect fill = BarFillRect(BarRect{outer.left, outer.top, outer.right, outer.bottom}, percent);
    if (bar != nullptr)
        bar->SetRects(outer, RECT{fill.left, fill.top, fill.right, fill.bottom});
    InvalidateRect(dialog, &outer, TRUE);
    SetDlgItemTextA(dialog, textId, PercentText(percent).c_str());
}

void CSignalDisplay::SetBarTips(const std::string& text)
{
    for (CLevelBar* bar : {strengthBar.get(), qualityBar.get()})
        if (bar != nullptr)
            bar->SetTip(text);
}

void CSignalDisplay::Paint()
{
    const BarColour colour = LevelBarColour(locked);
    for (CLevelBar* bar : {strengthBar.get(), qualityBar.get()})
        if (bar != nullptr)
            bar->Draw(RGB(colour.red, colour.green, colour.blue));
}
