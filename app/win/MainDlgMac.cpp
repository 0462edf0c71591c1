// The card's MAC addresses at start-up.
#include "app/win/MainDlg.h"
#include "reception/StartupMacAddress.h"
#include "reception/win/SetupApiAdapterRegistry.h"

void CMainDlg::SetUpMacAddresses()
{
    SetupApiAdapterRegistry adapters;
    ApplyStartupMacAddresses(session.Driver(), adapters, [this](const std::string& line) { Trace(line); });
}
