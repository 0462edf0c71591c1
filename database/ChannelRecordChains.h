// Freeing whole chains of records with everything below them.
#pragma once

#include "database/ChannelRecords.h"

void DeletePidChain(PidRecord* first);
void DeleteTransponderChain(TransponderRecord* first);
void DeleteSatelliteChain(SatelliteRecord* first);
