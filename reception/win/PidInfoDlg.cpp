#include "reception/win/PidInfoDlg.h"

#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"

namespace {
const char kMpeDataItem[] = "MPE data";
}

CPidInfoDlg::CPidInfoDlg(const DialogTranslator& translator) : CTranslatedDialog(IDD_PID_INFO, translator) {}

int CPidInfoDlg::GetPidType()
{
    typeCode = PidInfoRules::PidType();
    return typeCode;
}

void CPidInfoDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_PIDINFO_VALUE, pidText);
    if (dx.FromControls()) {
        numberBase = IsDlgButtonChecked(hwnd, IDC_PIDINFO_DECIMAL) == BST_CHECKED
                         ? static_cast<int>(PidBase::Decimal)
                         : static_cast<int>(PidBase::Hexadecimal);
    } else {
        CheckRadioButton(hwnd, IDC_PIDINFO_HEXADECIMAL, IDC_PIDINFO_DECIMAL,
                         numberBase == static_cast<int>(PidBase::Decimal) ? IDC_PIDINFO_DECIMAL
                                                                          : IDC_PIDINFO_HEXADECIMAL);
    }
}

BOOL CPidInfoDlg::OnInitDialog()
{
    typeCombo.Attach(hwnd, IDC_PIDINFO_TYPE_COMBO);
    typeCombo.SetCurSel(typeCombo.FindStringExact(kMpeDataItem));
    UpdateData(false);
    ApplyLanguageFile(languageFile);
    return TRUE;
}

bool CPidInfoDlg::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CPidInfoDlg> kCommands[] = {
        {BN_CLICKED, IDC_PIDINFO_HEXADECIMAL, &CPidInfoDlg::OnBaseChanged},
        {BN_CLICKED, IDC_PIDINFO_DECIMAL, &CPidInfoDlg::OnBaseChanged},
        {EN_CHANGE, IDC_PIDINFO_VALUE, &CPidInfoDlg::OnTextChanged},
    };
    return DispatchCommand(this, kCommands, code, id);
}

void CPidInfoDlg::OnBaseChanged()
{
    UpdateData(true);
    const PidBase oldBase = rules.Base();
    rules.ChangeBase(static_cast<PidBase>(numberBase));
    if (rules.Base() == oldBase || rules.Text().empty())
        return;
    pidText = rules.Text();
    SetItemText(IDC_PIDINFO_VALUE, pidText);
}

void CPidInfoDlg::OnTextChanged()
{
    if (puttingTextBack)
        return;
    UpdateData(true);
    const MessageRef refusal = rules.EnterText(pidText);
    if (refusal.IsEmpty())
        return;
    pidText = rules.Text();
    puttingTextBack = true;
    SetItemText(IDC_PIDINFO_VALUE, pidText);
    puttingTextBack = false;
    CEditCtrl(Item(IDC_PIDINFO_VALUE)).SetSel(static_cast<int>(pidText.size()), static_cast<int>(pidText.size()));
    ShowMessage(refusal);
}

void CPidInfoDlg::OnOK()
{
    UpdateData(true);
    const MessageRef refusal = rules.ConfirmOk();
    if (!refusal.IsEmpty()) {
        ShowMessage(refusal);
        SetFocus(Item(IDC_PIDINFO_VALUE));
        return;
    }
    GetPidType();
    EndDialog(IDOK);
}
