// The PID Info dialog (141): asks for the number of a new PID, typed in
// hexadecimal or decimal. Bad typing is refused as it happens, a value
// outside 21 to 8190 at OK; the dialog then stays open.
#pragma once

#include "framework/Controls.h"
#include "framework/TranslatedDialog.h"
#include "reception/PidInfoRules.h"

#include <string>

class CPidInfoDlg : public CTranslatedDialog {
public:
    explicit CPidInfoDlg(const DialogTranslator& translator);

    // An empty path keeps the one set before.
    // After OK: every PID added here carries type 2 (MPE data); the type
    // combo box is never read.
    int GetPidType();
    int GetPidValue() const { return rules.PidValue(); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void OnBaseChanged();
    void OnTextChanged();

    CComboBox typeCombo;
    std::string pidText;
    int numberBase = static_cast<int>(PidBase::Hexadecimal);
    int typeCode = kNewPidType;
    PidInfoRules rules;
    bool puttingTextBack = false;
};
