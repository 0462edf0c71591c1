// The signal window (170): strength, quality and lock state of the last ten
// minutes as the main dialog showed them, the CSV export of that history and
// the switch of the diagnostic log. One instance; the history is kept while
// the window is closed too.
#pragma once

#include "app/SignalHistory.h"
#include "app/win/SignalPlotView.h"
#include "framework/Dialog.h"

#include <vector>

class CMainDlg;

class CSignalWindow : public CDialog {
public:
    explicit CSignalWindow(CMainDlg& mainDialog);

    // Creates the window, or brings the open one to the front.
    void Open();
    bool IsOpen() const { return open; }
    // One reading as the main dialog's bars and lock icon showed it.
    void Record(int strengthPercent, int qualityPercent, bool locked);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void OnOK() override {}
    void OnCancel() override { Destroy(); }
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // A control that keeps its distance to the right and/or bottom edge.
    struct Anchor {
        int id;
        RECT initial;
        bool right;
        bool bottom;
        bool stretch;
    };

    void ApplyTexts();
    void UpdateCaption();
    void Layout();
    void OnSaveCsv();
    void OnTraceLogClicked();
    void OnOpenLogFolder();

    CMainDlg& mainDialog;
    SignalHistory history;
    CSignalPlotView plot;
    std::vector<Anchor> anchors;
    SIZE initialClient{};
    SIZE minimumSize{};
    bool open = false;
};
