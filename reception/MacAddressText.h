// MAC addresses as the PID page and the start-up show and trace them.
#pragma once

#include "driver/ReceiverDriver.h"

#include <array>
#include <cstdint>
#include <string>

using MacAddress = std::array<std::uint8_t, 6>;

// Six upper-case byte pairs joined by hyphens: "00-1A-2B-3C-4D-5E".
std::string MacDisplayText(const MacAddress& address);
// The same in lower case, as trace lines carry it.
std::string MacTraceText(const MacAddress& address);

MacAddress MacOf(const NetMacSetting& setting);

// After the MAC address dialog: hands the address to the card's filter and
// returns the text the page shows. The filter's result is not reported, as
// the page has nothing to show for it.
std::string ApplyFilterMac(ReceiverDriver& driver, const MacAddress& address);
