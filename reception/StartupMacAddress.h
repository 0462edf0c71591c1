// The MAC address step of the main dialog's start-up: the driver's adapter
// setting goes back into the adapters' registry values and to the driver, and
// the card's filter gets the address in use.
#pragma once

#include "reception/AdapterRegistry.h"
#include "reception/MacAddressText.h"
#include "common/TextSink.h"

// Failures are traced only; start-up goes on. Returns the address the
// filter was given, which the PID page shows: the adapter's when enabled,
// else the card's own, else (the card giving none) the adapter's.
MacAddress ApplyStartupMacAddresses(ReceiverDriver& driver, AdapterRegistry& registry, const TextSink& trace);
