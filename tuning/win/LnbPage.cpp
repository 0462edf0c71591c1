#include "tuning/win/LnbPage.h"

#include "database/ChannelDatabase.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "tuning/LnbRules.h"

namespace {
constexpr int kFrequencyEditLength = 5;
}

CLnbPage::CLnbPage(TuningSession& session, const DialogTranslator& translator, CChannelDatabase& database)
    : CDatabasePage(IDD_LNB_PAGE, translator, database), session(session)
{
}

void CLnbPage::DoDataExchange(CDataExchange& dx)
{
    dx.RadioIndex(IDC_LNB_FIXED, IDC_LNB_USALS, dishType);
    dx.Check(IDC_LNB_TONE_22K, tone22k);
    dx.Check(IDC_LNB_POWER, lnbPower);
    dx.Text(IDC_LNB_FREQ1, frequency1Text);
    dx.Text(IDC_LNB_FREQ2, frequency2Text);
}

BOOL CLnbPage::OnInitDialog()
{
    diseqcCombo.Attach(hwnd, IDC_LNB_DISEQC_COMBO);
    lnbTypeCombo.Attach(hwnd, IDC_LNB_TYPE_COMBO);
    for (const char* item : kDiseqcPortItems)
        diseqcCombo.AddString(item);
    for (const char* item : kLnbTypeItems)
        lnbTypeCombo.AddString(item);
    lnbTypeCombo.SetCurSel(kLnbTypeUniversal);
    CEditCtrl(Item(IDC_LNB_FREQ1)).LimitText(kFrequencyEditLength);
    CEditCtrl(Item(IDC_LNB_FREQ2)).LimitText(kFrequencyEditLength);
    ControlsReady();
    return TRUE;
}

void CLnbPage::ApplyLanguage(const std::string& file)
{
    ApplyLanguageFile(file);
    diseqcCombo.ReplaceItemText(0, Text("String70", kDiseqcPortItems[0]));
}

bool CLnbPage::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CLnbPage> kCommands[] = {
        {BN_CLICKED, IDC_LNB_TONE_22K, &CLnbPage::OnToneClicked},
        {BN_CLICKED, IDC_LNB_POWER, &CLnbPage::OnPowerClicked},
        {CBN_SELCHANGE, IDC_LNB_DISEQC_COMBO, &CLnbPage::OnDiseqcPortChosen},
        {CBN_SELCHANGE, IDC_LNB_TYPE_COMBO, &CLnbPage::OnLnbTypeChosen},
        {BN_CLICKED, IDC_LNB_DISEQC_MOTOR, &CLnbPage::OnDishTypeClicked},
        {EN_CHANGE, IDC_LNB_FREQ1, &CLnbPage::OnFrequency1Changed},
        {EN_CHANGE, IDC_LNB_FREQ2, &CLnbPage::OnFrequency2Changed},
        {BN_CLICKED, IDC_LNB_FIXED, &CLnbPage::OnDishTypeClicked},
        {BN_CLICKED, IDC_LNB_USALS, &CLnbPage::OnDishTypeClicked},
    };
    return DispatchCommand(this, kCommands, code, id);
}

// Shown or hidden alike.
void CLnbPage::OnShowWindow(bool)
{
    Refresh();
    EnableUsalsByCardKind();
}

SatelliteRecord* CLnbPage::CurrentSatellite() const { return database.CurrentSatellite(); }

void CLnbPage::ReadControls() { UpdateData(true); }

void CLnbPage::Apply(const MainDialogEffects& effects) const { session.ApplyEffects(effects); }

void CLnbPage::EnableFrequencyEdits(bool enable) const
{
    EnableItem(IDC_LNB_FREQ1, enable);
    EnableItem(IDC_LNB_FREQ2, enable);
}

void CLnbPage::EnableUsalsByCardKind() const { EnableItem(IDC_LNB_USALS, IsUsalsAvailable(session.GetDeviceKind())); }

void CLnbPage::Refresh()
{
    if (hwnd == nullptr)
        return;
    const LnbPageView view = RefreshLnbPage(CurrentSatellite());
    dishType = view.dishType;
    tone22k = view.tone22k;
    lnbPower = view.lnbPower;
    diseqcCombo.SetCurSel(view.diseqcPort);
    lnbTypeCombo.SetCurSel(view.lnbType);
    EnableFrequencyEdits(view.frequencyEditsEnabled);
    frequency1Text = view.frequency1Text;
    frequency2Text = view.frequency2Text;
    PutFieldsIntoControls();
}

void CLnbPage::OnToneClicked()
{
    ReadControls();
    Apply(SetTone22k(CurrentSatellite(), tone22k != 0));
}

void CLnbPage::OnPowerClicked()
{
    ReadControls();
    Apply(SetLnbPower(CurrentSatellite(), lnbPower != 0));
}

void CLnbPage::OnDishTypeClicked()
{
    ReadControls();
    Apply(SetDishType(CurrentSatellite(), dishType));
}

void CLnbPage::OnDiseqcPortChosen() { Apply(ChooseDiseqcPort(CurrentSatellite(), diseqcCombo.GetCurSel())); }

void CLnbPage::OnLnbTypeChosen()
{
    const LnbTypeChoice choice = ChooseLnbType(CurrentSatellite(), lnbTypeCombo.GetCurSel());
    if (!choice.applied)
        return;
    EnableFrequencyEdits(choice.frequencyEditsEnabled);
    frequency1Text = choice.frequency1Text;
    frequency2Text = choice.frequency2Text;
    PutFieldsIntoControls();
    Apply(choice.effects);
}

void CLnbPage::OnFrequency1Changed() { EditFrequency(LnbFrequencyField::First, frequency1Text, IDC_LNB_FREQ1); }

void CLnbPage::OnFrequency2Changed() { EditFrequency(LnbFrequencyField::Second, frequency2Text, IDC_LNB_FREQ2); }

void CLnbPage::EditFrequency(LnbFrequencyField field, std::string& text, int editId)
{
    if (FillingControls())
        return;
    const std::string previous = text;
    ReadControls();
    const LnbFrequencyEdit edit = EditLnbFrequency(CurrentSatellite(), field, previous, text);
    if (edit.textReplaced) {
        const bool emptied = text.empty();
        text = edit.text;
        const CQuietFill quiet = FillQuietly();
        SetItemText(editId, text);
        // The "0" of an emptied field is selected, so that the next digit
        // replaces it (with the caret before it, typing 9750 gave 97500); a
        // refused entry leaves the caret at the end.
        const LPARAM caret = static_cast<LPARAM>(text.size());
        SendMessageA(Item(editId), EM_SETSEL, emptied ? 0 : caret, emptied ? -1 : caret);
    }
    Apply(edit.effects);
}
