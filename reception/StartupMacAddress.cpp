#include "reception/StartupMacAddress.h"

#include "reception/FormatText.h"

using namespace reception;

namespace {

MacAddress FilterAddress(ReceiverDriver& driver, const NetMacSetting& setting, const TextSink& trace)
{
    if (setting.enable != 0)
        return MacOf(setting);
    MacAddress card{};
    if (driver.GetMACAddr(card.data()) != 0) {
        trace("Get filter mac address failed!!\n");
        return MacOf(setting);
    }
    trace("Get filter mac address success!!\n");
    return card;
}

}   // namespace

MacAddress ApplyStartupMacAddresses(ReceiverDriver& driver, AdapterRegistry& registry, const TextSink& trace)
{
    NetMacSetting setting{};
    driver.GetNetMACAddr(&setting);
    MacAddress filter = FilterAddress(driver, setting, trace);

    WriteAdapterRegistry(registry, setting);
    driver.SetNetMACAddr(&setting);

    trace(FormatText("The filter mac address is:%s\n", MacTraceText(filter).c_str()));
    const MacAddress shown = filter;
    if (driver.SetFilterMAC(filter.data()) == 0)
        trace("Set filter mac address Success!!\n");
    else
        trace("Set filtermac address failed!!\n");
    return shown;
}
