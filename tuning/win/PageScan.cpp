#include "tuning/win/PageScan.h"

#include "framework/ModalLoop.h"
#include "language/win/TranslatedModal.h"
#include "tuning/win/LockingPage.h"
#include "tuning/win/ScanDialogLanguage.h"
#include "tuning/win/ScanProgressDlg.h"

#include <memory>

namespace {

void PauseReception(CLockingPage& page, TuningSession& session)
{
    session.SetScanRunning(true);
    page.ForgetKeptResult();
    if (session.IsFilterStarted()) {
        session.Driver().StopFilter();
        session.Trace(".....Stop filter.....\n");
        session.SetFilterStarted(0);
    }
    // The card goes from target to target: the selection is not what it receives.
    session.ShowLockState(kResultUnknown);
}

}   // namespace

PageScanOutcome RunPageScan(CLockingPage& page, TuningSession& session, const ScanJob& job, const MessageRef& caption)
{
    // Nothing starts while the program ends.
    if (CModalLoop::ProgramEnding() || !session.AwaitCard())
        return {};
    PauseReception(page, session);
    auto control = std::make_shared<ScanControl>(session.Gate());
    TranslatedModal<CScanProgressDlg> dialog(
        ScanDialogLanguageKeys(), page.LanguageFile(), [&session](const std::string& line) { session.Trace(line); },
        caption, job, control);
    const INT_PTR answer = dialog.Run(GetAncestor(page.GetSafeHwnd(), GA_ROOT));
    // Whatever is left of the scan sends nothing more.
    control->Abandon();
    session.SetScanRunning(false);

    // -1: the window could not be made, and no scan ran.
    const bool endedFromOutside = answer != CScanProgressDlg::kScanOver && answer != -1;
    PageScanOutcome outcome{true, endedFromOutside, dialog->End(), dialog->Steps()};
    if (outcome.endedFromOutside)
        return outcome;
    if (outcome.end == ScanEnd::CardBusy) {
        // The signal poll locks again once the card answers.
        session.ReportCardBusy();
        return outcome;
    }
    page.ForgetKeptResult();
    page.Lock(0);
    return outcome;
}
