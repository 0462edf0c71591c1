#include "tuning/win/ChannelPage.h"

#include "app/win/MainDlg.h"
#include "database/ChannelDatabase.h"
#include "tuning/win/QuietFill.h"

namespace {

bool IsEnterOrEscapeKey(const MSG& message)
{
    const bool keyboard = message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR;
    return keyboard && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

// An open drop-down list takes Enter (choose) and Escape (close) itself and
// keeps them from the dialog manager.
bool IsOpenDropDown(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "ComboBox") == 0 && SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

} // namespace

bool CChannelPage::PreTranslateMessage(const MSG& message)
{
    return IsEnterOrEscapeKey(message) && !IsOpenDropDown(message.hwnd);
}

TransponderRecord* CChannelPage::CurrentTuning() const
{
    if (database == nullptr || database->CurrentSatellite() == nullptr)
        return nullptr;
    return database->CurrentTransponder();
}

void CChannelPage::MarkSettingsChanged() const
{
    if (CMainDlg* mainDialog = MainDialog())
        mainDialog->MarkSettingsChanged(1);
}

void CChannelPage::PutFieldsIntoControls()
{
    CQuietFill quiet(fillingControls);
    UpdateData(false);
}

void CChannelPage::OnFieldEdited()
{
    if (fillingControls)
        return;
    UpdateData(true);
    MarkSettingsChanged();
}
