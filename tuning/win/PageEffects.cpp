#include "tuning/win/PageEffects.h"

#include "app/win/MainDlg.h"
#include "app/win/TabPage.h"

void ApplyMainDialogEffects(const CTabPage& page, const MainDialogEffects& effects)
{
    CMainDlg* mainDialog = page.MainDialog();
    if (mainDialog == nullptr)
        return;
    if (effects.setTuningChanged)
        mainDialog->SetTuningChanged(1);
    if (effects.refreshPages)
        mainDialog->RefreshPages();
    if (effects.markSettingsChanged)
        mainDialog->MarkSettingsChanged(1);
}
