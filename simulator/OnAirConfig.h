// The list sections of the card configuration: what is on air ([Transponder]
// for satellite cards, [Channel] for cable and terrestrial ones) and the
// injected faults ([Fault <call name>]).
#pragma once

#include "simulator/CardConfig.h"
#include "simulator/IniText.h"
#include "simulator/IniValueReader.h"

#include <vector>

namespace quarlink {

constexpr std::uint32_t kHighestPidKbps = 200000;

std::vector<Carrier> ReadCarriers(const IniText& ini, CardKind kind, IniValueReader& reader);
FaultRules ReadFaultRules(const IniText& ini, IniValueReader& reader);

}   // namespace quarlink
