#include "tuning/win/TerrestrialPage.h"

#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "tuning/BandPlans.h"
#include "tuning/ChannelPageRefresh.h"
#include "tuning/ScanTexts.h"
#include "tuning/TerrestrialRules.h"

namespace {
constexpr int kFrequencyLength = 6;
constexpr int kStepLength = 3;
}   // namespace

CTerrestrialPage::CTerrestrialPage(TuningSession& session, const DialogTranslator& translator,
                                   CChannelDatabase& database)
    : CChannelPage(IDD_TERRESTRIAL_PAGE, translator, session, database, LockKind::Terrestrial)
{
}

void CTerrestrialPage::DoDataExchange(CDataExchange& dx)
{
    dx.ComboIndex(IDC_DTT_BANDWIDTH_COMBO, bandwidthIndex);
    dx.Text(IDC_DTT_FREQUENCY, frequencyText);
}

BOOL CTerrestrialPage::OnInitDialog()
{
    bandwidthCombo.Attach(hwnd, IDC_DTT_BANDWIDTH_COMBO);
    CEditCtrl(Item(IDC_DTT_FREQUENCY)).LimitText(kFrequencyLength);
    CEditCtrl(Item(IDC_DTT_STEP)).LimitText(kStepLength);
    ControlsReady();
    return TRUE;
}

bool CTerrestrialPage::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CTerrestrialPage> kCommands[] = {
        {BN_CLICKED, IDC_DTT_LOCK_TEST, &CTerrestrialPage::OnLockTest},
        {BN_CLICKED, IDC_DTT_IMPORT, &CTerrestrialPage::OnImportList},
        {BN_CLICKED, IDC_DTT_FULL_SCAN, &CTerrestrialPage::OnFullScan},
        {CBN_SELCHANGE, IDC_DTT_BANDWIDTH_COMBO, &CTerrestrialPage::OnBandwidthChosen},
        {EN_CHANGE, IDC_DTT_FREQUENCY, &CTerrestrialPage::OnFieldEdited},
        {EN_KILLFOCUS, IDC_DTT_FREQUENCY, &CTerrestrialPage::OnFrequencyLeft},
    };
    return DispatchCommand(this, kCommands, code, id);
}

void CTerrestrialPage::Refresh()
{
    if (hwnd == nullptr)
        return;
    const TerrestrialPageView view = RefreshTerrestrialPage(database);
    if (!view.shown)
        return;
    frequencyText = view.frequencyText;
    bandwidthIndex = view.bandwidthIndex;
    PutFieldsIntoControls();
}

void CTerrestrialPage::OnLockTest()
{
    UpdateData(true);
    Lock(0);
}

void CTerrestrialPage::OnFullScan()
{
    const ScanStepEntry step = ReadScanStep(GetItemText(IDC_DTT_STEP));
    if (!step.accepted) {
        ShowMessage(kScanStepRefused);
        SetFocus(Item(IDC_DTT_STEP));
        return;
    }
    ScanBand(TerrestrialPlan(step));
}

void CTerrestrialPage::OnBandwidthChosen()
{
    MarkSettingsChanged();
    if (ChooseBandwidth(CurrentTuning(), bandwidthCombo.GetCurSel()))
        Refresh();
}

void CTerrestrialPage::OnFrequencyLeft()
{
    frequencyText = CommitTerrestrialFrequency(CurrentTuning(), GetItemText(IDC_DTT_FREQUENCY)).text;
    PutFieldsIntoControls();
}
