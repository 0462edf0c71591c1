#include "tuning/win/TransponderInfoDlg.h"

#include "common/DecimalText.h"
#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "tuning/TransponderInfoRules.h"

namespace {

int ControlOf(TransponderInfoField field)
{
    switch (field) {
    case TransponderInfoField::SymbolRate: return IDC_TPINFO_SYMBOL_RATE;
    case TransponderInfoField::Polarity: return IDC_TPINFO_VERTICAL;
    default: return IDC_TPINFO_FREQUENCY;
    }
}

}   // namespace

CTransponderInfoDlg::CTransponderInfoDlg(const DialogTranslator& translator)
    : CTranslatedDialog(IDD_TRANSPONDER_INFO, translator)
{
}

std::uint32_t CTransponderInfoDlg::GetFrequency() const { return ParseDigits(frequencyText).value_or(0); }

std::uint32_t CTransponderInfoDlg::GetSymbolRate() const { return ParseDigits(symbolRateText).value_or(0); }

void CTransponderInfoDlg::DoDataExchange(CDataExchange& dx)
{
    dx.RadioIndex(IDC_TPINFO_VERTICAL, IDC_TPINFO_HORIZONTAL, polarity);
    dx.Text(IDC_TPINFO_FREQUENCY, frequencyText);
    dx.Text(IDC_TPINFO_SYMBOL_RATE, symbolRateText);
}

BOOL CTransponderInfoDlg::OnInitDialog()
{
    ApplyLanguageFile(languageFile);
    CEditCtrl(Item(IDC_TPINFO_FREQUENCY)).LimitText(static_cast<int>(kTransponderFieldMaxLength));
    CEditCtrl(Item(IDC_TPINFO_SYMBOL_RATE)).LimitText(static_cast<int>(kTransponderFieldMaxLength));
    return TRUE;
}

void CTransponderInfoDlg::OnOK()
{
    UpdateData(true);
    const TransponderInfoCheck check = CheckTransponderInfo(frequencyText, symbolRateText, polarity);
    if (!check.ok) {
        ShowMessage(check.message);
        SetFocus(Item(ControlOf(check.focus)));
        return;
    }
    EndDialog(IDOK);
}
