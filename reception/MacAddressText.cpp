#include "reception/MacAddressText.h"

#include "reception/FormatText.h"

#include <algorithm>

using namespace reception;

std::string MacTraceText(const MacAddress& a)
{
    return FormatText("%02x-%02x-%02x-%02x-%02x-%02x", a[0], a[1], a[2], a[3], a[4], a[5]);
}

std::string MacDisplayText(const MacAddress& address) { return ToUpperAscii(MacTraceText(address)); }

MacAddress MacOf(const NetMacSetting& setting)
{
    MacAddress address{};
    std::copy(std::begin(setting.address), std::end(setting.address), address.begin());
    return address;
}

std::string ApplyFilterMac(ReceiverDriver& driver, const MacAddress& address)
{
    MacAddress sent = address;
    driver.SetFilterMAC(sent.data());
    return MacDisplayText(address);
}
