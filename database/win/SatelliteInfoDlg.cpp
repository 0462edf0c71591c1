#include "database/win/SatelliteInfoDlg.h"

#include "database/SatelliteInfoRules.h"
#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"

CSatelliteInfoDlg::CSatelliteInfoDlg(const DialogTranslator& translator)
    : CTranslatedDialog(IDD_SATELLITE_INFO, translator, "English")
{
}

void CSatelliteInfoDlg::SetName(const std::string& name)
{
    if (!name.empty())
        nameText = name;
}

void CSatelliteInfoDlg::SetDegree(std::int32_t degree) { degreeText = SatelliteDegreeText(degree); }

std::int32_t CSatelliteInfoDlg::GetDegree() const { return SatelliteDegreeFromText(degreeText); }

void CSatelliteInfoDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_SATINFO_NAME, nameText);
    dx.Text(IDC_SATINFO_DEGREE, degreeText);
}

BOOL CSatelliteInfoDlg::OnInitDialog()
{
    ApplyLanguageFile(languageFile);
    CEditCtrl(Item(IDC_SATINFO_NAME)).LimitText(static_cast<int>(kSatelliteNameMaxLength));
    CEditCtrl(Item(IDC_SATINFO_DEGREE)).LimitText(static_cast<int>(kSatelliteDegreeMaxLength));
    const bool showDegree = channelMode == 0;
    ShowItem(IDC_SATINFO_DEGREE_LABEL, showDegree);
    ShowItem(IDC_SATINFO_DEGREE, showDegree);
    return TRUE;
}

void CSatelliteInfoDlg::OnOK()
{
    UpdateData(true);
    const SatelliteInfoCheck check = CheckSatelliteInfo(nameText, degreeText, channelMode != 0);
    if (!check.ok) {
        ShowMessage(check.message);
        SetFocus(Item(check.focus == SatelliteInfoField::Degree ? IDC_SATINFO_DEGREE : IDC_SATINFO_NAME));
        return;
    }
    EndDialog(IDOK);
}
