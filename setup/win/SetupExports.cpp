// The functions the receiver's installation program calls, exported under
// their plain names by Setup.def. No exception may cross this boundary.
#include "setup/win/BitmapFile.h"
#include "setup/win/OsVersion.h"
#include "setup/win/ReceiverDevices.h"
#include "setup/win/ReceiverUninstall.h"
#include "setup/win/SystemInfFolder.h"

#include <new>

extern "C" {

// 1 when the devices of both receiver interface classes can be opened.
int CheckDriver()
{
    try {
        return CheckReceiverDrivers(SystemDeviceServices());
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

// Removes the receiver's devices and its INF files from infDirectory.
int __stdcall DeleteDTV(const char* infDirectory)
{
    try {
        return UninstallReceiver(SystemDeviceServices(), SystemInfFolder(), infDirectory, GetOsFamily());
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

// The top-left pixel's colour, 0 to 255 per component. On failure (0) the
// outputs are left as they were.
int __stdcall GetBmpRGB(const char* fileName, int* red, int* green, int* blue)
{
    if (fileName == nullptr || red == nullptr || green == nullptr || blue == nullptr)
        return 0;
    const std::optional<RgbColour> colour = ReadBitmapFileTopLeft(fileName);
    if (!colour)
        return 0;
    *red = colour->red;
    *green = colour->green;
    *blue = colour->blue;
    return 1;
}

}   // extern "C"
