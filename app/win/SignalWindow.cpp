#include "app/win/SignalWindow.h"

#include "app/SignalRules.h"
#include "app/win/DiagnosticLog.h"
#include "app/win/LocalClock.h"
#include "app/win/MainDlg.h"
#include "app/win/WindowPlacement.h"
#include "common/FileIo.h"
#include "framework/CommandMap.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/UiText.h"
#include "resources/resource.h"

#include <shellapi.h>

namespace {

constexpr char kPlacementName[] = "SignalWindow";

RECT ChildRect(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

CSignalWindow::CSignalWindow(CMainDlg& mainDialog) : CDialog(IDD_SIGNAL), mainDialog(mainDialog) {}

void CSignalWindow::Open()
{
    if (mainDialog.GetSafeHwnd() == nullptr || (!open && !Create(mainDialog.GetSafeHwnd())))
        return;
    Show(IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd);
}

BOOL CSignalWindow::OnInitDialog()
{
    open = true;
    plot.Attach(Item(IDC_SIGNAL_PLOT), history);
    RECT client{};
    GetClientRect(hwnd, &client);
    initialClient = SIZE{client.right, client.bottom};
    RECT window{};
    GetWindowRect(hwnd, &window);
    minimumSize = SIZE{window.right - window.left, window.bottom - window.top};
    anchors = {{IDC_SIGNAL_PLOT, ChildRect(hwnd, IDC_SIGNAL_PLOT), true, true, true},
               {IDC_SIGNAL_SAVE_CSV, ChildRect(hwnd, IDC_SIGNAL_SAVE_CSV), false, true, false},
               {IDC_SIGNAL_TRACE_LOG, ChildRect(hwnd, IDC_SIGNAL_TRACE_LOG), false, true, false},
               {IDC_SIGNAL_OPEN_LOG_FOLDER, ChildRect(hwnd, IDC_SIGNAL_OPEN_LOG_FOLDER), true, true, false}};
    CheckDlgButton(hwnd, IDC_SIGNAL_TRACE_LOG, IsDiagnosticLogOn() ? BST_CHECKED : BST_UNCHECKED);
    ApplyTexts();
    UpdateCaption();
    RestoreWindowPlacement(hwnd, kPlacementName);
    mainDialog.UpdateSignalPollPeriod();
    return TRUE;
}

void CSignalWindow::OnDestroy()
{
    SaveWindowPlacement(hwnd, kPlacementName);
    plot.Unsubclass();
    open = false;
    mainDialog.UpdateSignalPollPeriod();
}

void CSignalWindow::ApplyTexts()
{
    SignalPlotTexts texts;
    texts.strength = mainDialog.Text("String61", "Strength");
    texts.quality = mainDialog.Text("String62", "Quality");
    texts.locked = mainDialog.Text("String63", "Locked");
    texts.minutes = mainDialog.Text("String69", "min");
    plot.SetTexts(texts);
    SetUiText(Item(IDC_SIGNAL_SAVE_CSV), mainDialog.Text("String64", "Save CSV..."));
    SetUiText(Item(IDC_SIGNAL_TRACE_LOG), mainDialog.Text("String65", "Keep a diagnostic log"));
    SetUiText(Item(IDC_SIGNAL_OPEN_LOG_FOLDER), mainDialog.Text("String66", "Open log folder"));
}

void CSignalWindow::Record(int strengthPercent, int qualityPercent, bool locked)
{
    history.Add(SignalSample{static_cast<std::int64_t>(GetTickCount64()), CurrentLocalTime(), strengthPercent,
                             qualityPercent, locked});
    if (!open)
        return;
    UpdateCaption();
    plot.Refresh();
}

void CSignalWindow::UpdateCaption()
{
    // Language texts and record names are converted apart: a name read from
    // the database file is in the ANSI code page, the texts are UTF-8.
    std::wstring caption = WideText(mainDialog.Text("String60", "Signal"));
    if (!history.Samples().empty()) {
        const SignalSample& latest = history.Samples().back();
        caption += WideText(" - " + mainDialog.Text("String61", "Strength") + " " + PercentText(latest.strength) +
                            ", " + mainDialog.Text("String62", "Quality") + " " + PercentText(latest.quality));
    }
    const CChannelDatabase& database = mainDialog.Database();
    if (const SatelliteRecord* satellite = database.CurrentSatellite()) {
        caption += L" - " + WideText(satellite->name);
        const TransponderRecord* transponder = database.CurrentTransponder();
        if (transponder != nullptr && transponder->name[0] != '\0')
            caption += L" " + WideText(transponder->name);
    }
    SetWindowTextW(hwnd, caption.c_str());
}

bool CSignalWindow::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CSignalWindow> kCommands[] = {
        {BN_CLICKED, IDC_SIGNAL_SAVE_CSV, &CSignalWindow::OnSaveCsv},
        {BN_CLICKED, IDC_SIGNAL_TRACE_LOG, &CSignalWindow::OnTraceLogClicked},
        {BN_CLICKED, IDC_SIGNAL_OPEN_LOG_FOLDER, &CSignalWindow::OnOpenLogFolder},
    };
    return DispatchCommand(this, kCommands, code, id);
}

bool CSignalWindow::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result)
{
    if (message == WM_SIZE && !anchors.empty()) {
        Layout();
        return false;
    }
    if (message == WM_GETMINMAXINFO && minimumSize.cx > 0) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = POINT{minimumSize.cx, minimumSize.cy};
        result = 0;
        return true;
    }
    return false;
}

void CSignalWindow::Layout()
{
    RECT client{};
    GetClientRect(hwnd, &client);
    const int dx = client.right - initialClient.cx;
    const int dy = client.bottom - initialClient.cy;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(anchors.size()));
    for (const Anchor& anchor : anchors) {
        RECT place = anchor.initial;
        if (anchor.stretch) {
            place.right += dx;
            place.bottom += dy;
        } else {
            OffsetRect(&place, anchor.right ? dx : 0, anchor.bottom ? dy : 0);
        }
        if (moves != nullptr)
            moves = DeferWindowPos(moves, Item(anchor.id), nullptr, place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves != nullptr)
        EndDeferWindowPos(moves);
    plot.Refresh();
}

void CSignalWindow::OnSaveCsv()
{
    char path[MAX_PATH] = "Signal.csv";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd;
    dialog.lpstrFilter = "CSV (*.csv)\0*.csv\0\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!RunSaveFileDialog(dialog))
        return;
    const std::string csv = SignalHistoryCsv(history);
    const bool written = WriteFileReplacing(path, [&csv](ByteSink& file) {
        return file.Write(std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
    });
    if (!written)
        ShowErrorMessage(hwnd, mainDialog.Text("String68", "The CSV file could not be written."));
}

void CSignalWindow::OnTraceLogClicked()
{
    SetDiagnosticLogOn(IsDlgButtonChecked(hwnd, IDC_SIGNAL_TRACE_LOG) == BST_CHECKED);
}

void CSignalWindow::OnOpenLogFolder()
{
    const std::string folder = DiagnosticLogFolder();
    if (!folder.empty())
        ShellExecuteA(hwnd, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
