// The LNB & Switch page (129): dish type, LNB and switch settings of the
// current satellite. Every change goes straight into the satellite's record;
// nothing reaches the card from here.
#pragma once

#include "framework/Controls.h"
#include "database/win/DatabasePage.h"
#include "tuning/TuningSession.h"

#include <string>

struct SatelliteRecord;
struct MainDialogEffects;
enum class LnbFrequencyField;

class CLnbPage : public CDatabasePage {
public:
    CLnbPage(TuningSession& session, const DialogTranslator& translator, CChannelDatabase& database);

    void Refresh() override;
    // Also translates the DiSEqC list's "Disable" item.
    void ApplyLanguage(const std::string& file) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void OnShowWindow(bool shown) override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    SatelliteRecord* CurrentSatellite() const;
    void ReadControls();
    void Apply(const MainDialogEffects& effects) const;
    void EnableFrequencyEdits(bool enable) const;
    void EnableUsalsByCardKind() const;

    void OnToneClicked();
    void OnPowerClicked();
    void OnDiseqcPortChosen();
    void OnLnbTypeChosen();
    void OnDishTypeClicked();
    void OnFrequency1Changed();
    void OnFrequency2Changed();
    void EditFrequency(LnbFrequencyField field, std::string& text, int editId);

    TuningSession& session;
    CComboBox lnbTypeCombo;
    CComboBox diseqcCombo;
    int dishType = -1;
    int tone22k = 0;
    int lnbPower = 1;
    std::string frequency1Text;
    std::string frequency2Text;
};
