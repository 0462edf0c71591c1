#include "reception/win/PidPageMainHost.h"

#include "app/win/MainDlg.h"
#include "app/win/TabPage.h"

#include <windows.h>

CMainDlg* CPidPageMainHost::MainDialog() const
{
    return page.MainDialog();
}

bool CPidPageMainHost::IsLocked() const
{
    const CMainDlg* mainDialog = MainDialog();
    return mainDialog != nullptr && mainDialog->IsLocked() != 0;
}

bool CPidPageMainHost::IsFilterStarted() const
{
    const CMainDlg* mainDialog = MainDialog();
    return mainDialog != nullptr && mainDialog->IsFilterStarted() != 0;
}

bool CPidPageMainHost::IsTuningChanged() const
{
    const CMainDlg* mainDialog = MainDialog();
    return mainDialog != nullptr && mainDialog->IsTuningChanged() != 0;
}

void CPidPageMainHost::MarkSettingsChanged()
{
    if (CMainDlg* mainDialog = MainDialog())
        mainDialog->MarkSettingsChanged(0);
}

void CPidPageMainHost::Trace(const std::string& line)
{
    if (CMainDlg* mainDialog = MainDialog())
        mainDialog->Trace(line);
}

void CPidPageMainHost::DebugOutput(const std::string& line)
{
    OutputDebugStringA(line.c_str());
}
