// The Change MAC Address dialog (162): shows the address in use and lets the
// user keep the card's own address or type another; Save writes the choice
// into the receiver adapter's registry values and hands it to the driver.
#pragma once

#include "framework/TranslatedDialog.h"
#include "reception/MacAddressRules.h"
#include "reception/win/SetupApiAdapterRegistry.h"

#include <functional>
#include <string>

class CMacAddressDlg : public CTranslatedDialog {
public:
    // awaitCard waits for the card before Save reaches it; false refuses the save.
    CMacAddressDlg(
        const DialogTranslator& translator, ReceiverDriver& driver,
        std::function<bool()> awaitCard = [] { return true; });

    // Before the dialog is shown: reads the addresses from the driver and
    // writes the one in use to `out`. 0 only when `out` is missing.
    int LoadAddresses(MacAddress* out);
    // The registry step alone (no window needed): 1 done, also when no
    // adapter of the receiver is present; 0 failed.
    int WriteAdapterRegistry(const NetMacSetting& setting);
    // After the dialog closed: the new address when the check box was set,
    // else the current one. 0 only when `out` is missing.
    int GetEffectiveAddress(MacAddress* out) const;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    // Enter runs Save, the dialog's default button.
    void OnOK() override { OnSave(); }
    void DoDataExchange(CDataExchange& dx) override;

private:
    void OnUseRegistryClicked();
    void OnSave();
    void ShowNewFields();
    // The first new-address field Save cannot read, or 0.
    int FirstBadNewField() const;

    std::function<bool()> awaitCard;
    SetupApiAdapterRegistry adapters;
    MacAddressRules rules;
    int useRegistry = 0;
    MacFieldTexts currentTexts;
    MacFieldTexts newTexts;
};
