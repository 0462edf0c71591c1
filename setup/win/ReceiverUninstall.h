#pragma once

#include "setup/InfCleanup.h"
#include "setup/win/DeviceServices.h"

// Removes the receiver's devices, then its INF files from infDirectory (no
// trailing backslash; none searched when null). The file search runs
// whatever the removal gave and does not change the result: 1 when both
// devices were removed or absent, else 0.
int UninstallReceiver(CDeviceServices& services, CInfFolder& folder, const char* infDirectory, int osFamily);
