// The signal display: lock icon, level bars and percentages, and the silent
// re-lock when the card has lost the lock or the filter is stopped.
#include "app/win/MainDlg.h"
#include "app/win/MainFrame.h"
#include "resources/resource.h"

namespace {
RECT ToRect(const BarRect& bar)
{
    return RECT{bar.left, bar.top, bar.right, bar.bottom};
}

BarRect ToBarRect(const RECT& rect)
{
    return BarRect{rect.left, rect.top, rect.right, rect.bottom};
}

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
}

void CMainDlg::ShowLockDisplay(bool shown)
{
    HICON stateIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LockIconId(shown ? 0 : 1)));
    lockIcon.ShowIcon(stateIcon);
    if (frame != nullptr)
        frame->SetTrayLockIcon(shown);
    if (shown != lockDisplayed) {
        lockDisplayed = shown;
        InvalidateRect(hwnd, &strengthRect, TRUE);
        InvalidateRect(hwnd, &qualityRect, TRUE);
    }
}

void CMainDlg::ShowSignal(const SignalReading& reading)
{
    SignalContext context;
    context.hasCurrentTransponder = session.Database().CurrentTransponder() != nullptr;
    context.filterStarted = session.IsFilterStarted();
    context.deviceType = [this] { return session.Driver().GetDeviceType(); };
    const SignalDisplay display = signalMonitor.Show(reading, context);

    if (display.lockState)
        session.ShowLockState(*display.lockState);
    // The lock state as the icons show this reading: a silent re-lock below
    // may report the previous lock result before the card has answered.
    const bool readingLocked = lockDisplayed;
    if (!display.trace.empty())
        Trace(display.trace);
    if (display.relock)
        LockCurrent(true);
    UpdateBar(strengthBar.get(), strengthRect, display.strengthPercent, IDC_MAIN_STRENGTH_TEXT);
    UpdateBar(qualityBar.get(), qualityRect, display.qualityPercent, IDC_MAIN_QUALITY_TEXT);
    signalWindow.Record(display.strengthPercent, display.qualityPercent, readingLocked);
}

void CMainDlg::UpdateBar(CLevelBar* bar, const RECT& outer, int percent, int textId)
{
    const RECT fill = ToRect(BarFillRect(ToBarRect(outer), percent));
    if (bar != nullptr)
        bar->SetRects(outer, fill);
    InvalidateRect(hwnd, &outer, TRUE);
    SetItemText(textId, PercentText(percent));
}

void CMainDlg::CreateLevelBars()
{
    strengthRect = ChildRectInClient(hwnd, IDC_MAIN_STRENGTH_BAR);
    qualityRect = ChildRectInClient(hwnd, IDC_MAIN_QUALITY_BAR);
    strengthBar = std::make_unique<CLevelBar>();
    if (!strengthBar->Create(hwnd, strengthRect))
        strengthBar.reset();
    qualityBar = std::make_unique<CLevelBar>();
    if (!qualityBar->Create(hwnd, qualityRect))
        qualityBar.reset();
}

bool CMainDlg::OnPaint()
{
    if (IsIconic(hwnd)) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client{};
        GetClientRect(hwnd, &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon);
        EndPaint(hwnd, &paint);
        return true;
    }
    const BarColour colour = LevelBarColour(lockDisplayed);
    const COLORREF rgb = RGB(colour.red, colour.green, colour.blue);
    if (strengthBar)
        strengthBar->Draw(rgb);
    if (qualityBar)
        qualityBar->Draw(rgb);
    return false;   // the dialog paints itself as usual
}
