// The PID page's buttons: Add, Load, Remove and Unload on the list, and
// Change of the card's MAC address.
#include "reception/win/PidPage.h"

#include "framework/ModalLoop.h"
#include "language/win/TranslatedModal.h"
#include "reception/MacAddressText.h"
#include "reception/ReceptionMessages.h"
#include "reception/win/MacAddressDlg.h"
#include "reception/win/PidInfoDlg.h"

template <class Action>
void CPidPage::WithPidMacTimerStopped(Action action)
{
    session.StopPidMacTimer();
    action();
    // A dialog of the action ended by the program's close: the card is not asked again.
    if (!CModalLoop::ProgramEnding())
        RefreshPidMacs();
    session.StartPidMacTimer();
}

void CPidPage::OnAdd()
{
    if (!rules.HasCurrentTransponder())
        return;
    WithPidMacTimerStopped([this] { AddFromPidInfo(); });
}

void CPidPage::AddFromPidInfo()
{
    TranslatedModal<CPidInfoDlg> pidInfo(CaptionDialogLanguageKeys("Dialog3"), languageFile);
    if (pidInfo.Run(MessageOwner()) != IDOK || CModalLoop::ProgramEnding() || !session.AwaitCard())
        return;
    const PidOutcome outcome = rules.Add(pidInfo->GetPidValue());
    ShowMessage(outcome.message);
    if (!outcome.done)
        return;
    Refresh();
    SelectRow(pidList.GetItemCount() - 1, true);
}

void CPidPage::LoadSelected(bool load)
{
    if (!session.AwaitCard())
        return;
    WithPidMacTimerStopped([this, load] {
        const int row = pidList.GetSelectedIndex();
        PidRecord* record = RowRecord(row);
        if (record == nullptr)
            return;
        const PidOutcome outcome = load ? rules.Load(record) : rules.Unload(record);
        ShowMessage(outcome.message);
        if (outcome.done)
            pidList.SetItemImage(row, load ? kLoadedImage : kNotLoadedImage);
    });
}

void CPidPage::OnRemove()
{
    WithPidMacTimerStopped([this] {
        PidRecord* record = RowRecord(pidList.GetSelectedIndex());
        if (record == nullptr)
            return;
        const MessageRef question = ReceptionMessages::kConfirmRemovePid;
        if (!Ask(question) || (record->loaded != 0 && !session.AwaitCard()))
            return;
        const PidOutcome outcome = rules.Remove(record);
        ShowMessage(outcome.message);
        if (!outcome.done)
            return;
        Refresh();
        SelectRow(0, true);
    });
}

void CPidPage::OnChangeMac()
{
    if (!session.AwaitCard())
        return;
    TranslatedModal<CMacAddressDlg> macDialog(MacAddressLanguageKeys(), languageFile, session.Driver(),
                                              [this] { return session.AwaitCard(); });
    MacAddress address{};
    macDialog->LoadAddresses(&address);
    // Cancel ends the same way: the filter gets the address the dialog holds.
    macDialog.Run(MessageOwner());
    if (CModalLoop::ProgramEnding())
        return;   // the dialog was ended for the close, which releases the card next
    macDialog->GetEffectiveAddress(&address);
    if (!session.AwaitCard())
        return;
    macText = ApplyFilterMac(session.Driver(), address);
    session.SetFilterMacAddress(address);
    UpdateData(false);
}
