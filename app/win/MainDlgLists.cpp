// The main dialog's satellite (channel) list, the window side of the list
// rules, and its language list, which translates the dialog and its pages.
#include "app/win/MainDlg.h"

#include "common/CardKind.h"
#include "database/SatelliteListRules.h"
#include "database/win/SatelliteInfoDlg.h"
#include "framework/MessageBox.h"
#include "language/LanguageConversion.h"
#include "language/LanguageList.h"
#include "language/win/DialogLanguage.h"
#include "language/win/FindFileLister.h"
#include "language/win/SystemAnsiCase.h"
#include "resources/resource.h"

void CMainDlg::ShowRuleError(const MessageRef& message)
{
    if (!message.IsEmpty())
        ShowError(Text(message));
}

void CMainDlg::FillSatelliteList()
{
    MainSettings& settings = session.Settings();
    SavedSelection saved{settings.currentSatellite, settings.currentDegree, settings.currentTransponder,
                         settings.currentPid};
    const SatelliteListFill fill = BuildSatelliteList(session.Database(), session.GetDeviceKind(), saved);
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
    session.ApplyEffects(ChooseSatellite(session.Database(), name, record, SystemAnsiEqualNoCase));
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
    const bool channelMode = IsChannelMode(session.GetDeviceKind());
    const CDialogLanguage language(SatelliteInfoLanguageKeys(channelMode));
    CSatelliteInfoDlg dialog(language);
    dialog.SetLanguageFile(AppliedLanguageFile());
    dialog.SetChannelMode(channelMode ? 1 : 0);
    if (dialog.DoModal(hwnd) != IDOK)
        return;
    const SatelliteEditResult result =
        CreateSatellite(session.Database(), dialog.GetName(), dialog.GetDegree(), session.GetDeviceKind(),
                        SystemAnsiEqualNoCase);
    ShowRuleError(result.error);
    if (result.outcome == SatelliteEditOutcome::Added && result.record != nullptr)
        AppendAndSelectSatellite(result.record);
    if (result.savedDegree)
        session.Settings().currentDegree = *result.savedDegree;
    session.ApplyEffects(result.effects);
}

void CMainDlg::OnChangeSatellite()
{
    SatelliteRecord* current = session.Database().CurrentSatellite();
    if (current == nullptr)
        return;
    const bool channelMode = IsChannelMode(session.GetDeviceKind());
    const CDialogLanguage language(SatelliteInfoLanguageKeys(channelMode));
    CSatelliteInfoDlg dialog(language);
    dialog.SetLanguageFile(AppliedLanguageFile());
    dialog.SetName(current->name);
    dialog.SetDegree(current->degree);
    dialog.SetChannelMode(channelMode ? 1 : 0);
    if (dialog.DoModal(hwnd) != IDOK)
        return;
    const SatelliteEditResult result =
        ChangeSatellite(session.Database(), dialog.GetName(), dialog.GetDegree(), session.GetDeviceKind(),
                        SystemAnsiEqualNoCase);
    ShowRuleError(result.error);
    if (result.outcome == SatelliteEditOutcome::Changed && result.record != nullptr) {
        int selected = satelliteCombo.GetCurSel();
        if (selected >= 0)
            satelliteCombo.DeleteString(selected);
        AppendAndSelectSatellite(result.record);
    }
    if (result.savedDegree)
        session.Settings().currentDegree = *result.savedDegree;
    session.ApplyEffects(result.effects);
}

void CMainDlg::OnRemoveSatellite()
{
    if (session.Database().CurrentSatellite() == nullptr)
        return;
    const MessageRef question = RemoveSatelliteQuestion(session.GetDeviceKind());
    if (!AskYesNo(question))
        return;
    const SatelliteEditResult result = RemoveCurrentSatellite(session.Database(), session.GetDeviceKind());
    if (result.effects.setTuningChanged)
        session.SetTuningChanged(1);
    if (result.outcome == SatelliteEditOutcome::Removed)
        FillSatelliteList();
    session.ApplyEffects(MainDialogEffects{false, result.effects.refreshPages, result.effects.markSettingsChanged});
}

void CMainDlg::ShowAddedSatellites()
{
    const SatelliteRecord* current = session.Database().CurrentSatellite();
    satelliteCombo.ResetContent();
    const SatelliteList* root = session.Database().Root();
    for (SatelliteRecord* s = root != nullptr ? root->firstSatellite : nullptr; s; s = s->next) {
        const int index = satelliteCombo.AddString(s->name);
        if (index < 0)
            continue;
        satelliteCombo.SetItemData(index, s);
        if (s == current)
            satelliteCombo.SetCurSel(index);
    }
    if (current != nullptr)
        session.Settings().currentDegree = current->degree;
}

void CMainDlg::FillLanguageList()
{
    const MainSettings& settings = session.Settings();
    const LanguageList list = ::FillLanguageList(settings.installationPath, settings.languageName, FindFileLister());
    languageCombo.ResetContent();
    for (const std::string& name : list.names)
        languageCombo.AddString(name);
    if (list.selectedIndex >= 0)
        languageCombo.SetCurSel(list.selectedIndex);
    ApplyLanguage(list.languageFilePath);
}

void CMainDlg::ApplyLanguage(const std::string& path)
{
    const std::string file = LanguageFileToRead(path, session.Settings().installationPath);
    if (file != path) {
        std::string error;
        if (!ConvertLanguageFile(path, ".tmp", error))
            ShowErrorMessage(hwnd, error);
    }
    // Kept even when it cannot be read: the messages then fall back to English.
    appliedLanguageFile = file;
    ShowLevelBarTips();
    signalWindow.ApplyLanguage();
    if (!ApplyDialogLanguage(hwnd, file, MainDialogLanguageKeys(session.GetDeviceKind()), Item(IDC_MAIN_TAB)))
        return;
    tabControl.ApplyLanguage(file);
}

void CMainDlg::OnLanguageChanged()
{
    MainSettings& settings = session.Settings();
    DeleteTemporaryLanguageFile(settings.installationPath, settings.languageName);
    settings.languageName = languageCombo.GetText();
    if (settings.languageName.empty()) {
        settings.languageName = "English";
        return;
    }
    ApplyLanguage(LanguageFilePath());
    // The choice reaches the registry only when the settings are saved.
    session.MarkSettingsChanged(0);
}

std::string CMainDlg::AppliedLanguageFile() const
{
    return appliedLanguageFile.empty() ? LanguageFilePath() : appliedLanguageFile;
}
