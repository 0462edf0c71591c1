#include "app/win/SatelliteList.h"

#include "app/ReceiverSession.h"
#include "common/CardKind.h"
#include "database/SatelliteListRules.h"
#include "database/win/SatelliteInfoDlg.h"
#include "language/win/TranslatedModal.h"
#include "language/win/SystemAnsiCase.h"
#include "resources/resource.h"

CSatelliteList::CSatelliteList(ReceiverSession& session, ReceiverView& view, std::function<std::string()> languageFile)
    : session(session), view(view), languageFile(std::move(languageFile))
{
}

void CSatelliteList::Attach(HWND owner)
{
    dialog = owner;
    combo.Attach(dialog, IDC_MAIN_SATELLITE_COMBO);
}

void CSatelliteList::Fill()
{
    MainSettings& settings = session.Settings();
    const SavedSelection saved{settings.currentSatellite, settings.currentDegree, settings.currentTransponder,
                               settings.currentPid};
    const SatelliteListFill fill = BuildSatelliteList(session.Database(), session.GetDeviceKind(), saved);
    combo.ResetContent();
    for (const SatelliteListItem& item : fill.items) {
        const int index = combo.AddString(item.name);
        if (index >= 0)
            combo.SetItemData(index, item.record);
    }
    if (fill.selectedIndex >= 0)
        combo.SetCurSel(fill.selectedIndex);
    if (fill.savedDegree)
        settings.currentDegree = *fill.savedDegree;
}

void CSatelliteList::ShowAdded()
{
    const SatelliteRecord* current = session.Database().CurrentSatellite();
    combo.ResetContent();
    const SatelliteList* root = session.Database().Root();
    for (SatelliteRecord* s = root != nullptr ? root->firstSatellite : nullptr; s != nullptr; s = s->next) {
        const int index = combo.AddString(s->name);
        if (index < 0)
            continue;
        combo.SetItemData(index, s);
        if (s == current)
            combo.SetCurSel(index);
    }
    if (current != nullptr)
        session.Settings().currentDegree = current->degree;
}

void CSatelliteList::OnSelected()
{
    const int index = combo.GetCurSel();
    if (index < 0)
        return;
    auto* record = static_cast<SatelliteRecord*>(combo.GetItemData(index));
    session.ApplyEffects(ChooseSatellite(session.Database(), combo.GetItemText(index), record, SystemAnsiEqualNoCase));
}

void CSatelliteList::AppendAndSelect(SatelliteRecord* record)
{
    const int index = combo.AddString(record->name);
    if (index < 0)
        return;
    combo.SetCurSel(index);
    combo.SetItemData(index, record);
}

void CSatelliteList::Edit(bool change)
{
    SatelliteRecord* current = session.Database().CurrentSatellite();
    if (change && current == nullptr)
        return;
    const bool channelMode = IsChannelMode(session.GetDeviceKind());
    TranslatedModal<CSatelliteInfoDlg> infoDialog(SatelliteInfoLanguageKeys(channelMode), languageFile());
    if (change) {
        infoDialog->SetName(current->name);
        infoDialog->SetDegree(current->degree);
    }
    infoDialog->SetChannelMode(channelMode ? 1 : 0);
    if (infoDialog.Run(dialog) != IDOK)
        return;
    const auto rule = change ? ChangeSatellite : CreateSatellite;
    const SatelliteEditResult result = rule(session.Database(), infoDialog->GetName(), infoDialog->GetDegree(),
                                            session.GetDeviceKind(), SystemAnsiEqualNoCase);
    if (!result.error.IsEmpty())
        view.Tell(view.Text(result.error));
    const SatelliteEditOutcome done = change ? SatelliteEditOutcome::Changed : SatelliteEditOutcome::Added;
    if (result.outcome == done && result.record != nullptr) {
        if (change && combo.GetCurSel() >= 0)
            combo.DeleteString(combo.GetCurSel());
        AppendAndSelect(result.record);
    }
    if (result.savedDegree)
        session.Settings().currentDegree = *result.savedDegree;
    session.ApplyEffects(result.effects);
}

void CSatelliteList::OnRemove()
{
    if (session.Database().CurrentSatellite() == nullptr)
        return;
    if (!view.Ask(view.Text(RemoveSatelliteQuestion(session.GetDeviceKind()))))
        return;
    const SatelliteEditResult result = RemoveCurrentSatellite(session.Database(), session.GetDeviceKind());
    if (result.effects.setTuningChanged)
        session.SetTuningChanged(1);
    if (result.outcome == SatelliteEditOutcome::Removed)
        Fill();
    session.ApplyEffects(MainDialogEffects{false, result.effects.refreshPages, result.effects.markSettingsChanged});
}
