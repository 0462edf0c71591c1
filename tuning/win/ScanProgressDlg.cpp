#include "tuning/win/ScanProgressDlg.h"

#include "framework/UiText.h"
#include "resources/resource.h"
#include "tuning/ScanTexts.h"

#include <commctrl.h>

namespace {
// Posted by the worker's report: steps or the end wait to be taken.
constexpr UINT kScanProgressMessage = WM_APP + 10;
constexpr UINT_PTR kGiveUpTimer = 1;
}   // namespace

CScanProgressDlg::CScanProgressDlg(const DialogTranslator& translator, TextSink trace, const MessageRef& caption,
                                   ScanJob job, std::shared_ptr<ScanControl> control)
    : CTranslatedDialog(IDD_SCAN_PROGRESS, translator), trace(std::move(trace)), caption(caption), job(std::move(job)),
      control(std::move(control))
{
}

CScanProgressDlg::~CScanProgressDlg() { queue->SetWake({}); }

BOOL CScanProgressDlg::OnInitDialog()
{
    ApplyLanguageFile(languageFile);
    SetUiText(hwnd, Text(caption.key, caption.english));
    SendDlgItemMessageA(hwnd, IDC_SCAN_PROGRESS_BAR, PBM_SETRANGE32, 0, static_cast<LPARAM>(job.targets.size()));
    ShowProgress(0);
    HWND window = hwnd;
    queue->SetWake([window] { PostMessageA(window, kScanProgressMessage, 0, 0); });
    StartScanWorker(control, job, queue);
    return TRUE;
}

bool CScanProgressDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    if (message != kScanProgressMessage)
        return false;
    TakeProgress();
    result = TRUE;
    return true;
}

bool CScanProgressDlg::TakeProgress()
{
    ScanProgressQueue::Taken taken = queue->Take();
    for (ScanStep& step : taken.steps) {
        for (const std::string& line : step.trace)
            trace(line);
        steps.push_back(std::move(step));
    }
    if (!steps.empty())
        ShowProgress(steps.back().index + 1);
    if (!taken.end)
        return false;
    end = *taken.end;
    EndDialog(kScanOver);
    return true;
}

void CScanProgressDlg::ShowProgress(std::size_t next)
{
    const std::size_t total = job.targets.size();
    SendDlgItemMessageA(hwnd, IDC_SCAN_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(next), 0);
    const std::string label = next < total ? ScanTargetText(job.kind, job.targets[next]) : std::string();
    const std::size_t shown = next < total ? next + 1 : total;
    SetUiText(Item(IDC_SCAN_STEP_TEXT), FillPlaces(Text(kScanProgressLine.key, kScanProgressLine.english),
                                                   {std::to_string(shown), std::to_string(total), label}));
}

// Cancel, Escape and the close box: the step in flight finishes, then the
// worker's end closes the dialog.
void CScanProgressDlg::OnCancel()
{
    control->Cancel();
    EnableItem(IDCANCEL, false);
    SetTimer(hwnd, kGiveUpTimer, static_cast<UINT>(kDriverWaitLimit.count()), nullptr);
}

// The step in flight still holds the card after the wait: the dialog closes,
// and the worker sends nothing more once the step is done.
void CScanProgressDlg::OnTimer(UINT_PTR id)
{
    if (id != kGiveUpTimer)
        return;
    KillTimer(hwnd, kGiveUpTimer);
    if (TakeProgress())
        return;   // the worker ended just now
    end = ScanEnd::Cancelled;
    EndDialog(kScanOver);
}

void CScanProgressDlg::OnDestroy()
{
    KillTimer(hwnd, kGiveUpTimer);
    queue->SetWake({});
}
