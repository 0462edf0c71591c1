#include "app/win/PowerSettings.h"

#include <windows.h>

namespace {
int IsActive(UINT query)
{
    BOOL active = FALSE;
    return SystemParametersInfoA(query, 0, &active, 0) && active ? 1 : 0;
}

void SetActive(UINT action, BOOL active) { SystemParametersInfoA(action, static_cast<UINT>(active), nullptr, 0); }
}   // namespace

void CPowerSettings::Suspend()
{
    screenSaverActive = IsActive(SPI_GETSCREENSAVEACTIVE);
    if (screenSaverActive)
        SetActive(SPI_SETSCREENSAVEACTIVE, FALSE);
    lowPowerActive = IsActive(SPI_GETLOWPOWERACTIVE);
    if (lowPowerActive)
        SetActive(SPI_SETLOWPOWERACTIVE, FALSE);
    powerOffActive = IsActive(SPI_GETPOWEROFFACTIVE);
    if (powerOffActive)
        SetActive(SPI_SETPOWEROFFACTIVE, FALSE);
}

void CPowerSettings::Restore()
{
    if (screenSaverActive)
        SetActive(SPI_SETSCREENSAVEACTIVE, TRUE);
    if (lowPowerActive)
        SetActive(SPI_SETLOWPOWERACTIVE, TRUE);
    if (powerOffActive)
        SetActive(SPI_SETPOWEROFFACTIVE, TRUE);
    screenSaverActive = lowPowerActive = powerOffActive = 0;
}
