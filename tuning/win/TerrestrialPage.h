// The Terrestrial Setting page (156): frequency and bandwidth of the current
// channel. The frequency reaches the channel's tuning record when its field
// loses the focus, the bandwidth when it is chosen. Full Scan scans the band
// in the Step the field below them gives, or the European channel raster;
// the Step is no setting, so typing in it changes nothing to save.
#pragma once

#include "framework/Controls.h"
#include "tuning/win/ChannelPage.h"

#include <string>

class CTerrestrialPage : public CChannelPage {
public:
    CTerrestrialPage(TuningSession& session, const DialogTranslator& translator, CChannelDatabase& database);

    void Refresh() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void OnLockTest();
    void OnFullScan();
    void OnBandwidthChosen();
    void OnFrequencyLeft();

    CComboBox bandwidthCombo;
    int bandwidthIndex = 0;
    std::string frequencyText = "51000";
};
