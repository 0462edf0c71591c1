#include "app/win/SignalWindow.h"

#include "app/SignalRules.h"
#include "app/win/DiagnosticLog.h"
#include "app/win/LocalClock.h"
#include "app/win/WaveOutDevice.h"
#include "app/win/WindowPlacement.h"
#include "database/ChannelDatabase.h"
#include "framework/CommandMap.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/UiText.h"
#include "resources/resource.h"

#include <shellapi.h>

namespace {

constexpr char kPlacementName[] = "SignalWindow";

SignalStamp Now() { return SignalStamp{static_cast<std::int64_t>(GetTickCount64()), CurrentLocalTime()}; }

}   // namespace

bool IsSignalWindowKey(HWND dialog, const MSG& message)
{
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shiftOrAlt = (GetKeyState(VK_SHIFT) & 0x8000) != 0 || (GetKeyState(VK_MENU) & 0x8000) != 0;
    return message.message == WM_KEYDOWN && message.wParam == kSignalWindowKey && control && !shiftOrAlt &&
           (message.hwnd == dialog || IsChild(dialog, message.hwnd));
}

CSignalWindow::CSignalWindow(SignalWindowHost& host)
    : CDialog(IDD_SIGNAL), host(host), tone([] { return std::make_unique<CWaveOutDevice>(); },
                                            [](const std::string& line) { WriteDiagnosticTrace(line); })
{
}

void CSignalWindow::Open(HWND owner)
{
    if (owner == nullptr || (!open && !Create(owner)))
        return;
    Show(IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd);
}

BOOL CSignalWindow::OnInitDialog()
{
    open = true;
    plot.Attach(Item(IDC_SIGNAL_PLOT), history);
    RECT window{};
    GetWindowRect(hwnd, &window);
    minimumSize = SIZE{window.right - window.left, window.bottom - window.top};
    using Edge = CControlAnchors;
    const unsigned row = Edge::kTop | Edge::kBottom;
    anchors.Capture(hwnd, {{IDC_SIGNAL_PLOT, Edge::kRight | Edge::kBottom},
                           {IDC_SIGNAL_EVENTS, Edge::kLeft | Edge::kRight | Edge::kBottom},
                           {IDC_SIGNAL_NOTE, row | Edge::kRight},
                           {IDC_SIGNAL_RESET_PEAK, row},
                           {IDC_SIGNAL_LARGE_NUMBERS, row},
                           {IDC_SIGNAL_TONE, row},
                           {IDC_SIGNAL_WATCHDOG, row},
                           {IDC_SIGNAL_WATCHDOG_TIME, row},
                           {IDC_SIGNAL_SAVE_CSV, row},
                           {IDC_SIGNAL_TRACE_LOG, row},
                           {IDC_SIGNAL_OPEN_LOG_FOLDER, row | Edge::kLeft | Edge::kRight},
                           {IDC_SIGNAL_SAVED, row | Edge::kRight}});
    CheckDlgButton(hwnd, IDC_SIGNAL_TRACE_LOG, IsDiagnosticLogOn() ? BST_CHECKED : BST_UNCHECKED);
    SendMessageA(Item(IDC_SIGNAL_WATCHDOG_TIME), EM_LIMITTEXT, 4, 0);
    ShowDataWatchdog();
    ApplyLanguage();
    RestoreWindowPlacement(hwnd, kPlacementName);
    host.UpdateSignalPollPeriod();
    return TRUE;
}

void CSignalWindow::OnDestroy()
{
    StopTone();
    SaveWindowPlacement(hwnd, kPlacementName);
    plot.Unsubclass();
    open = false;
    host.UpdateSignalPollPeriod();
}

void CSignalWindow::ApplyLanguage()
{
    if (!open)
        return;
    ApplyTexts();
    SendMessageW(Item(IDC_SIGNAL_EVENTS), LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < history.Events().size(); ++i)
        ListEvent(i);
    UpdateCaption();
}

void CSignalWindow::ApplyTexts()
{
    SignalPlotTexts texts;
    texts.strength = host.Text("String61", "Strength");
    texts.quality = host.Text("String62", "Quality");
    texts.locked = host.Text("String63", "Locked");
    texts.minutes = host.Text("String69", "min");
    texts.speed = host.Text("1184", "Speed:");
    texts.kbps = host.Text("1199", "kbps");
    texts.peak = host.Text("String124", "Peak");
    texts.lastMinute = host.Text("String126", "Last minute (lowest / mean / highest)");
    plot.SetTexts(texts);
    SetUiText(
        Item(IDC_SIGNAL_NOTE),
        host.Text("String123", "Values as the card reports them; the bars of the main window add 20 while locked."));
    SetUiText(Item(IDC_SIGNAL_RESET_PEAK), host.Text("String125", "Reset peak"));
    SetUiText(Item(IDC_SIGNAL_LARGE_NUMBERS), host.Text("String127", "Large numbers"));
    SetUiText(Item(IDC_SIGNAL_TONE), host.Text("String128", "Tone rising with quality"));
    SetUiText(Item(IDC_SIGNAL_WATCHDOG), host.Text("String92", "Data watchdog, s:"));
    SetUiText(Item(IDC_SIGNAL_SAVE_CSV), host.Text("String64", "Save CSV..."));
    SetUiText(Item(IDC_SIGNAL_TRACE_LOG), host.Text("String65", "Keep a diagnostic log"));
    SetUiText(Item(IDC_SIGNAL_OPEN_LOG_FOLDER), host.Text("String66", "Open log folder"));
}

void CSignalWindow::Record(const SignalReading& reading, bool judgedLocked, const std::optional<LockTarget>& tuned)
{
    const std::size_t events = history.Events().size();
    history.AddReading(Now(), reading, judgedLocked, tuned);
    tone.SetQuality(reading.quality);
    if (!open)
        return;
    if (history.Events().size() != events)
        ListEvent(history.Events().size() - 1);
    UpdateCaption();
    plot.Refresh();
}

void CSignalWindow::RecordCounters(const std::optional<StatsCounters>& counters)
{
    history.AddCounters(Now(), counters);
    if (open)
        plot.Refresh();
}

void CSignalWindow::RecordEvent(SignalEvent event)
{
    history.AddEvent(Now(), event);
    if (open)
        ListEvent(history.Events().size() - 1);
}

void CSignalWindow::ListEvent(std::size_t index)
{
    const auto& events = history.Events();
    if (index >= events.size())
        return;
    const MessageRef name = SignalEventName(events[index].event);
    HWND list = Item(IDC_SIGNAL_EVENTS);
    LRESULT last = LB_ERR;
    for (const std::string& line :
         EventListLines(events[index], index > 0 ? &events[index - 1] : nullptr, host.Text(name.key, name.english)))
        last = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(line).c_str()));
    if (last >= 0)
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(last), 0);
}

void CSignalWindow::UpdateCaption()
{
    // Language texts and record names are converted apart: a name read from
    // the database file is in the ANSI code page, the texts are UTF-8.
    std::wstring caption = WideText(host.Text("String60", "Signal"));
    if (!history.Samples().empty()) {
        const SignalSample& latest = history.Samples().back();
        caption += WideText(" - " + host.Text("String61", "Strength") + " " + PercentText(latest.strength) + ", " +
                            host.Text("String62", "Quality") + " " + PercentText(latest.quality));
    }
    const CChannelDatabase& database = host.Database();
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
        {BN_CLICKED, IDC_SIGNAL_RESET_PEAK, &CSignalWindow::OnResetPeak},
        {BN_CLICKED, IDC_SIGNAL_LARGE_NUMBERS, &CSignalWindow::OnLargeNumbers},
        {BN_CLICKED, IDC_SIGNAL_TONE, &CSignalWindow::OnTone},
        {BN_CLICKED, IDC_SIGNAL_SAVE_CSV, &CSignalWindow::OnSaveCsv},
        {BN_CLICKED, IDC_SIGNAL_TRACE_LOG, &CSignalWindow::OnTraceLogClicked},
        {BN_CLICKED, IDC_SIGNAL_WATCHDOG, &CSignalWindow::OnDataWatchdogEdited},
        {EN_CHANGE, IDC_SIGNAL_WATCHDOG_TIME, &CSignalWindow::OnDataWatchdogEdited},
        {EN_KILLFOCUS, IDC_SIGNAL_WATCHDOG_TIME, &CSignalWindow::ShowDataWatchdog},
        {BN_CLICKED, IDC_SIGNAL_OPEN_LOG_FOLDER, &CSignalWindow::OnOpenLogFolder},
    };
    return DispatchCommand(this, kCommands, code, id);
}

bool CSignalWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message == WM_SIZE) {
        // The tone is for someone watching the window: a minimised window stops it.
        if (wParam == SIZE_MINIMIZED)
            StopTone();
        anchors.Layout(hwnd);
        plot.Refresh();
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

void CSignalWindow::OnResetPeak()
{
    history.ResetPeaks();
    plot.Refresh();
}

void CSignalWindow::OnLargeNumbers()
{
    plot.ShowLargeNumbers(IsDlgButtonChecked(hwnd, IDC_SIGNAL_LARGE_NUMBERS) == BST_CHECKED);
}

void CSignalWindow::OnTone()
{
    if (IsDlgButtonChecked(hwnd, IDC_SIGNAL_TONE) == BST_CHECKED)
        tone.Start();
    else
        tone.Stop();
}

void CSignalWindow::StopTone()
{
    tone.Stop();
    CheckDlgButton(hwnd, IDC_SIGNAL_TONE, BST_UNCHECKED);
}

void CSignalWindow::ShowDataWatchdog()
{
    const std::chrono::seconds time = host.DataWatchdogTime();
    showingWatchdog = true;
    CheckDlgButton(hwnd, IDC_SIGNAL_WATCHDOG, time.count() != 0 ? BST_CHECKED : BST_UNCHECKED);
    if (time.count() != 0)
        SetItemText(IDC_SIGNAL_WATCHDOG_TIME, std::to_string(time.count()));
    showingWatchdog = false;
}

// Like the log's switch, the watchdog's time is stored as it is changed.
void CSignalWindow::OnDataWatchdogEdited()
{
    if (showingWatchdog)
        return;
    const bool on = IsDlgButtonChecked(hwnd, IDC_SIGNAL_WATCHDOG) == BST_CHECKED;
    const std::string typed = GetItemText(IDC_SIGNAL_WATCHDOG_TIME);
    if (!on) {
        host.SetDataWatchdogTime(std::chrono::seconds(0));
        return;
    }
    // The field is digits only and holds four: a number it shows always fits.
    const long seconds = typed.empty() ? kDefaultDataWatchdog.count() : std::stol(typed);
    host.SetDataWatchdogTime(BoundedDataWatchdog(std::chrono::seconds(seconds == 0 ? 1 : seconds)));
    if (typed.empty())
        ShowDataWatchdog();
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
