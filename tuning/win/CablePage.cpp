#include "tuning/win/CablePage.h"

#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "tuning/BandPlans.h"
#include "tuning/CableRules.h"
#include "tuning/ChannelPageRefresh.h"

namespace {
constexpr int kFrequencyLength = 6;
constexpr int kSymbolRateLength = 4;
}   // namespace

CCablePage::CCablePage(TuningSession& session, const DialogTranslator& translator, CChannelDatabase& database)
    : CChannelPage(IDD_CABLE_PAGE, translator, session, database, LockKind::Cable)
{
}

void CCablePage::DoDataExchange(CDataExchange& dx)
{
    dx.ComboIndex(IDC_CABLE_QAM_COMBO, qamIndex);
    dx.Text(IDC_CABLE_FREQUENCY, frequencyText);
    dx.Text(IDC_CABLE_SYMBOL_RATE, symbolRateText);
}

BOOL CCablePage::OnInitDialog()
{
    qamCombo.Attach(hwnd, IDC_CABLE_QAM_COMBO);
    CEditCtrl(Item(IDC_CABLE_FREQUENCY)).LimitText(kFrequencyLength);
    CEditCtrl(Item(IDC_CABLE_SYMBOL_RATE)).LimitText(kSymbolRateLength);
    ControlsReady();
    return TRUE;
}

bool CCablePage::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CCablePage> kCommands[] = {
        {BN_CLICKED, IDC_CABLE_LOCK_TEST, &CCablePage::OnLockTest},
        {BN_CLICKED, IDC_CABLE_IMPORT, &CCablePage::OnImportList},
        {BN_CLICKED, IDC_CABLE_FULL_SCAN, &CCablePage::OnFullScan},
        {EN_CHANGE, IDC_CABLE_FREQUENCY, &CCablePage::OnFieldEdited},
        {EN_CHANGE, IDC_CABLE_SYMBOL_RATE, &CCablePage::OnFieldEdited},
        {EN_KILLFOCUS, IDC_CABLE_FREQUENCY, &CCablePage::OnFrequencyLeft},
        {EN_KILLFOCUS, IDC_CABLE_SYMBOL_RATE, &CCablePage::OnSymbolRateLeft},
        {CBN_SELCHANGE, IDC_CABLE_QAM_COMBO, &CCablePage::OnQamChosen},
    };
    return DispatchCommand(this, kCommands, code, id);
}

void CCablePage::Refresh()
{
    if (hwnd == nullptr)
        return;
    const CablePageView view = RefreshCablePage(database);
    if (!view.shown)
        return;
    frequencyText = view.frequencyText;
    symbolRateText = view.symbolRateText;
    qamIndex = view.qamIndex;
    PutFieldsIntoControls();
}

// The values reached the record when their fields lost the focus.
void CCablePage::OnLockTest() { Lock(0); }

void CCablePage::OnFullScan() { ScanBand(CableRaster()); }

void CCablePage::OnFrequencyLeft()
{
    frequencyText = CommitCableFrequency(CurrentTuning(), GetItemText(IDC_CABLE_FREQUENCY)).text;
    PutFieldsIntoControls();
}

void CCablePage::OnSymbolRateLeft()
{
    symbolRateText = CommitCableSymbolRate(CurrentTuning(), GetItemText(IDC_CABLE_SYMBOL_RATE)).text;
    PutFieldsIntoControls();
}

void CCablePage::OnQamChosen()
{
    MarkSettingsChanged();
    if (ChooseQam(CurrentTuning(), qamCombo.GetCurSel()))
        Refresh();
}
