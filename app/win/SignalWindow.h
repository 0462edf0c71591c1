// The signal window (170): strength, quality and lock state of the last ten
// minutes as the card reports them, the data rate, the events seen, the
// peaks and the last minute's numbers for aligning a dish, a large-numbers
// view and a tone, the CSV export and the switch of the diagnostic log. One
// instance; the history is kept while the window is closed too.
#pragma once

#include "app/DataWatchdog.h"
#include "app/SignalHistory.h"
#include "app/TonePlayer.h"
#include "app/win/ControlAnchors.h"
#include "app/win/SignalPlotView.h"
#include "app/win/SignalWindowHost.h"
#include "framework/Dialog.h"

#include <optional>

// The main dialog's key for the window: Ctrl+L. Nothing else in the dialog
// or its pages takes it (their controls have no mnemonics; the dialog takes
// Ctrl+Tab and Ctrl+PgUp/PgDn, the edit fields Ctrl+A/C/V/X/Z).
constexpr UINT kSignalWindowKey = 'L';
constexpr char kSignalWindowKeyName[] = "Ctrl+L";
// The key pressed in the dialog or one of its controls.
bool IsSignalWindowKey(HWND dialog, const MSG& message);

class CSignalWindow : public CDialog {
public:
    explicit CSignalWindow(SignalWindowHost& host);

    // Creates the window owned by `owner`, or brings the open one to the front.
    void Open(HWND owner);
    bool IsOpen() const { return open; }
    // One signal poll's reading as the card reported it, the signal
    // monitor's verdict on it and the target the card was last tuned for.
    void Record(const SignalReading& reading, bool judgedLocked, const std::optional<LockTarget>& tuned);
    // One read of the reception counters by the statistics timer; none when
    // the read failed or did not run.
    void RecordCounters(const std::optional<StatsCounters>& counters);
    // The language changed: the open window takes its texts again.
    void ApplyLanguage();
    // The one entry point for an event seen outside the signal poll (the
    // data watchdog's stall and recovery, sleep and resume): stamped now,
    // listed, and written to the CSV.
    void RecordEvent(SignalEvent event);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void OnOK() override {}
    void OnCancel() override { Destroy(); }
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void ApplyTexts();
    void UpdateCaption();
    // Adds the history's event at the index to the list (after its date when that is new).
    void ListEvent(std::size_t index);
    void OnSaveCsv();
    void OnTraceLogClicked();
    // The data watchdog's check box and time, as stored.
    void ShowDataWatchdog();
    void OnDataWatchdogEdited();
    void OnOpenLogFolder();
    void OnResetPeak();
    void OnLargeNumbers();
    void OnTone();
    void StopTone();

    SignalWindowHost& host;
    SignalHistory history;
    CSignalPlotView plot;
    CControlAnchors anchors;
    TonePlayer tone;
    SIZE minimumSize{};
    bool open = false;
    bool showingWatchdog = false;   // the controls are being filled: their notices are echoes
};
