#include "reception/win/MacAddressDlg.h"

#include "framework/CommandMap.h"
#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "resources/resource.h"

namespace {
constexpr int kFieldCount = 6;
constexpr int kFieldLength = 2;

int CurrentField(int index) { return IDC_MAC_CURRENT_FIRST + index; }
int NewField(int index) { return IDC_MAC_NEW_FIRST + index; }
}   // namespace

CMacAddressDlg::CMacAddressDlg(const DialogTranslator& translator, ReceiverDriver& driver,
                               std::function<bool()> awaitCard)
    : CTranslatedDialog(IDD_MAC_ADDRESS, translator), awaitCard(std::move(awaitCard)), rules(driver, adapters)
{
}

int CMacAddressDlg::LoadAddresses(MacAddress* out)
{
    const int loaded = rules.LoadAddresses(out);
    useRegistry = rules.UseRegistry() ? 1 : 0;
    return loaded;
}

int CMacAddressDlg::WriteAdapterRegistry(const NetMacSetting& setting) { return rules.WriteAdapterRegistry(setting); }

int CMacAddressDlg::GetEffectiveAddress(MacAddress* out) const { return rules.GetEffectiveAddress(out); }

void CMacAddressDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Check(IDC_MAC_USE_REGISTRY, useRegistry);
    for (int i = 0; i < kFieldCount; ++i) {
        dx.Text(CurrentField(i), currentTexts[static_cast<size_t>(i)]);
        dx.Text(NewField(i), newTexts[static_cast<size_t>(i)]);
    }
}

BOOL CMacAddressDlg::OnInitDialog()
{
    ApplyLanguageFile(languageFile);
    for (int i = 0; i < kFieldCount; ++i)
        CEditCtrl(Item(NewField(i))).LimitText(kFieldLength);
    currentTexts = rules.CurrentFieldTexts();
    newTexts = rules.NewFieldTexts();
    UpdateData(false);
    OnUseRegistryClicked();
    return TRUE;
}

bool CMacAddressDlg::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CMacAddressDlg> kCommands[] = {
        {BN_CLICKED, IDC_MAC_USE_REGISTRY, &CMacAddressDlg::OnUseRegistryClicked},
        {BN_CLICKED, IDC_MAC_SAVE, &CMacAddressDlg::OnSave},
    };
    return DispatchCommand(this, kCommands, code, id);
}

void CMacAddressDlg::OnUseRegistryClicked()
{
    UpdateData(true);
    rules.SetUseRegistry(useRegistry != 0);
    ShowNewFields();
}

void CMacAddressDlg::ShowNewFields()
{
    newTexts = rules.NewFieldTexts();
    for (int i = 0; i < kFieldCount; ++i) {
        SetItemText(NewField(i), newTexts[static_cast<size_t>(i)]);
        EnableItem(NewField(i), rules.NewFieldsEnabled());
    }
}

void CMacAddressDlg::OnSave()
{
    UpdateData(true);
    if (!awaitCard())
        return;
    const MacSaveOutcome outcome = rules.Save(useRegistry != 0, newTexts);
    if (outcome.closeDialog) {
        ShowNotice(hwnd, outcome.message);
        EndDialog(IDOK);
        return;
    }
    ShowErrorMessage(hwnd, outcome.message);
    if (const int badField = FirstBadNewField())
        SetFocus(Item(badField));
}

int CMacAddressDlg::FirstBadNewField() const
{
    if (useRegistry == 0)
        return 0;
    for (int i = 0; i < kFieldCount; ++i) {
        if (!ParseMacField(newTexts[static_cast<size_t>(i)]))
            return NewField(i);
    }
    return 0;
}
