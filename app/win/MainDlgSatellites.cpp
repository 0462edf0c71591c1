// The satellite (channel) list of the main dialog: the window side of the
// list rules.
#include "app/win/MainDlg.h"
#include "common/CardKind.h"
#include "database/SatelliteListRules.h"
#include "database/win/SatelliteInfoDlg.h"
#include "framework/MessageBox.h"
#include "language/win/SystemAnsiCase.h"

void CMainDlg::ApplyEffects(const MainDialogEffects& effects)
{
    if (effects.setTuningChanged)
        SetTuningChanged(1);
    if (effects.refreshPages)
        RefreshPages();
    if (effects.markSettingsChanged)
        MarkSettingsChanged(1);
}

void CMainDlg::ShowRuleError(const MessageRef& message)
{
    if (!message.IsEmpty())
        ShowErrorMessage(hwnd, Text(message.key, message.english));
}

void CMainDlg::FillSatelliteList()
{
    SavedSelection saved{settings.currentSatellite, settings.currentDegree, settings.currentTransponder, settings.currentPid};
    const SatelliteListFill fill = BuildSatelliteList(database, deviceKind, saved);
    satelliteCombo.ResetContent();
    for (const SatelliteListItem& item : fill.items) {
        int index = satelliteCombo.AddString(item.name);
        if (index >= 0)
            satelliteCombo.SetItemData(index, item.record);
    }
    if (fill.selectedIndex >= 0)
        satelliteCombo.SetCurSel(fill.selectedIndex);
    if (fill.savedDegree)
        settings.currentDegree = *fill.savedDegree;
}

void CMainDlg::OnSatelliteSelected()
{
    const int index = satelliteCombo.GetCurSel();
    if (index < 0)
        return;
    const std::string name = satelliteCombo.GetItemText(index);
    auto* record = static_cast<SatelliteRecord*>(satelliteCombo.GetItemData(index));
    ApplyEffects(ChooseSatellite(database, name, record, SystemAnsiEqualNoCase));
}

void CMainDlg::AppendAndSelectSatellite(SatelliteRecord* record)
{
    int index = satelliteCombo.AddString(record->name);
    if (index < 0)
        return;
    satelliteCombo.SetCurSel(index);
    satelliteCombo.SetItemData(index, record);
}

void CMainDlg::OnNewSatellite()
{
    CSatelliteInfoDlg dialog;
    dialog.SetLanguageFile(AppliedLanguageFile());
    dialog.SetChannelMode(IsChannelMode(deviceKind) ? 1 : 0);
    if (dialog.DoModal(hwnd) != IDOK)
        return;
    const SatelliteEditResult result =
        CreateSatellite(database, dialog.GetName(), dialog.GetDegree(), deviceKind, SystemAnsiEqualNoCase);
    ShowRuleError(result.error);
    if (result.outcome == SatelliteEditOutcome::Added && result.record != nullptr)
        AppendAndSelectSatellite(result.record);
    if (result.savedDegree)
        settings.currentDegree = *result.savedDegree;
    ApplyEffects(result.effects);
}

void CMainDlg::OnChangeSatellite()
{
    SatelliteRecord* current = database.CurrentSatellite();
    if (current == nullptr)
        return;
    CSatelliteInfoDlg dialog;
    dialog.SetLanguageFile(AppliedLanguageFile());
    dialog.SetName(current->name);
    dialog.SetDegree(current->degree);
    dialog.SetChannelMode(IsChannelMode(deviceKind) ? 1 : 0);
    if (dialog.DoModal(hwnd) != IDOK)
        return;
    const SatelliteEditResult result =
        ChangeSatellite(database, dialog.GetName(), dialog.GetDegree(), deviceKind, SystemAnsiEqualNoCase);
    ShowRuleError(result.error);
    if (result.outcome == SatelliteEditOutcome::Changed && result.record != nullptr) {
        int selected = satelliteCombo.GetCurSel();
        if (selected >= 0)
            satelliteCombo.DeleteString(selected);
        AppendAndSelectSatellite(result.record);
    }
    if (result.savedDegree)
        settings.currentDegree = *result.savedDegree;
    ApplyEffects(result.effects);
}

void CMainDlg::OnRemoveSatellite()
{
    if (database.CurrentSatellite() == nullptr)
        return;
    const MessageRef question = RemoveSatelliteQuestion(deviceKind);
    if (!AskYesNo(hwnd, Text(question.key, question.english)))
        return;
    const SatelliteEditResult result = RemoveCurrentSatellite(database, deviceKind);
    if (result.effects.setTuningChanged)
        SetTuningChanged(1);
    if (result.outcome == SatelliteEditOutcome::Removed)
        FillSatelliteList();
    ApplyEffects(MainDialogEffects{false, result.effects.refreshPages, result.effects.markSettingsChanged});
}

void CMainDlg::ShowAddedSatellites()
{
    const SatelliteRecord* current = database.CurrentSatellite();
    satelliteCombo.ResetContent();
    for (SatelliteRecord* s = database.Root() ? database.Root()->firstSatellite : nullptr; s; s = s->next) {
        const int index = satelliteCombo.AddString(s->name);
        if (index < 0)
            continue;
        satelliteCombo.SetItemData(index, s);
        if (s == current)
            satelliteCombo.SetCurSel(index);
    }
    if (current != nullptr)
        settings.currentDegree = current->degree;
}
