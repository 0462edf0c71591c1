// The Cable Setting page (149): frequency, symbol rate and QAM size of the
// current channel. A field's value reaches the channel's tuning record when
// the field loses the focus, the QAM size when it is chosen. Full Scan scans
// the European cable raster.
#pragma once

#include "framework/Controls.h"
#include "tuning/win/ChannelPage.h"

#include <string>

class CCablePage : public CChannelPage {
public:
    CCablePage(TuningSession& session, const DialogTranslator& translator, CChannelDatabase& database);

    void Refresh() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void OnLockTest();
    void OnFullScan();
    void OnFrequencyLeft();
    void OnSymbolRateLeft();
    void OnQamChosen();

    CComboBox qamCombo;
    int qamIndex = 0;
    std::string frequencyText = "473000";
    std::string symbolRateText = "6500";
};
