// The Transponder Info dialog (138): frequency, symbol rate and polarity of a
// new satellite transponder. OK refuses bad values with a message and keeps
// the dialog open.
#pragma once

#include "framework/TranslatedDialog.h"

#include <cstdint>
#include <string>

class CTransponderInfoDlg : public CTranslatedDialog {
public:
    explicit CTransponderInfoDlg(const DialogTranslator& translator);

    // An empty path keeps the one set before.
    std::uint32_t GetFrequency() const;
    std::uint32_t GetSymbolRate() const;
    int GetPolarity() const { return polarity; }   // 0 vertical, 1 horizontal

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int polarity = 0;
    std::string frequencyText;
    std::string symbolRateText;
};
