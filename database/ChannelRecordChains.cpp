#include "database/ChannelRecordChains.h"

void DeletePidChain(PidRecord* first)
{
    while (first) {
        PidRecord* next = first->next;
        delete first;
        first = next;
    }
}

void DeleteTransponderChain(TransponderRecord* first)
{
    while (first) {
        TransponderRecord* next = first->next;
        DeletePidChain(first->firstPid);
        delete first;
        first = next;
    }
}

void DeleteSatelliteChain(SatelliteRecord* first)
{
    while (first) {
        SatelliteRecord* next = first->next;
        DeleteTransponderChain(first->firstTransponder);
        delete first;
        first = next;
    }
}
