// The receiver's devices, found through their two device interface classes,
// always taken in this order.
#pragma once

#include "setup/win/DeviceServices.h"

extern const GUID kReceiverInterfaceClasses[2];

// Opens the first present device of the class; INVALID_HANDLE_VALUE when
// there is none or it cannot be opened.
HANDLE OpenFirstInterfaceDevice(CDeviceServices& services, const GUID& interfaceClass);

// 1 when a device of each class can be opened, else 0. Both are tried.
int CheckReceiverDrivers(CDeviceServices& services);

// Removes the first present device of the class. No device counts as done;
// a failed removal does not, and ERROR_INVALID_PARAMETER is also shown.
bool RemoveFirstInterfaceDevice(CDeviceServices& services, const GUID& interfaceClass);

// Removes the device of the first class and, only if that succeeded, the one
// of the second. 1 when both were removed (or absent), else 0.
int RemoveReceiverDevices(CDeviceServices& services);
