// The progress of a scan (171): what is being tried, how far it got, and
// Cancel, which lets the step in flight finish and sends nothing more. The
// dialog starts the scan's worker when it opens and ends itself when the
// worker has ended; a worker that does not finish its step within the
// card's wait after Cancel is left to end on its own.
#pragma once

#include "common/RuleResult.h"
#include "framework/TranslatedDialog.h"
#include "tuning/ScanEngine.h"
#include "tuning/ScanProgress.h"
#include "tuning/SwitchCommands.h"

#include <memory>
#include <vector>

class CScanProgressDlg : public CTranslatedDialog {
public:
    // DoModal's answer once the scan is over (to its end, cancelled, or the
    // card busy). Any other answer: the dialog was ended from outside, and
    // the scan was cancelled with it.
    static constexpr INT_PTR kScanOver = 100;

    // trace: the diagnostic log, which gets each step's lines.
    CScanProgressDlg(const DialogTranslator& translator, TextSink trace, const MessageRef& caption, ScanJob job,
                     std::shared_ptr<ScanControl> control);
    ~CScanProgressDlg() override;

    const std::vector<ScanStep>& Steps() const { return steps; }
    ScanEnd End() const { return end; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // True when the scan has ended: the dialog ends with it.
    bool TakeProgress();
    // The count and the target tried next (the one at `next`).
    void ShowProgress(std::size_t next);

    TextSink trace;
    MessageRef caption;
    ScanJob job;
    std::shared_ptr<ScanControl> control;
    std::shared_ptr<ScanProgressQueue> queue = std::make_shared<ScanProgressQueue>();
    std::vector<ScanStep> steps;
    ScanEnd end = ScanEnd::Cancelled;
};
