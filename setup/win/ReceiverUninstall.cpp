#include "setup/win/ReceiverUninstall.h"

#include "setup/win/ReceiverDevices.h"

int UninstallReceiver(CDeviceServices& services, CInfFolder& folder, const char* infDirectory, int osFamily)
{
    const int removed = RemoveReceiverDevices(services);
    if (infDirectory != nullptr)
        DeleteReceiverInfFiles(folder, infDirectory, osFamily);
    return removed;
}
