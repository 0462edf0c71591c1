// The rules of the PID list page: the rows of the current transponder's PIDs,
// the card's load slots, loading and unloading PIDs into the card's filter,
// the Add, Remove, Load and Unload buttons, and the page's refreshes of the
// reception counters and the MAC column. The page builds one object once it
// has its database, hands each button to one call and puts the result back.
#pragma once

#include "database/ChannelDatabase.h"
#include "driver/ReceiverDriver.h"
#include "reception/PidListTexts.h"
#include "reception/PidPageHost.h"
#include "reception/ReceptionMessages.h"
#include "reception/ReceptionStatistics.h"

#include <optional>
#include <string>
#include <vector>

struct PidOutcome {
    // Add, Remove: the list changed (rebuild it with Refresh and select the
    // new last row, or row 0 after Remove). Load, Unload: the selected row's
    // image becomes loaded, or not loaded.
    bool done = false;
    // To show with the exclamation icon, also when done; empty for none.
    MessageRef message;
};

class PidPageRules {
public:
    PidPageRules(CChannelDatabase& database, ReceiverDriver& driver, PidPageHost& host);

    bool HasCurrentTransponder() const;

    // The rows of the current transponder's PIDs in list order; also counts
    // the loaded ones afresh. Empty without a current transponder.
    std::vector<PidRow> Refresh();

    // 8 loaded PIDs for device type 1, else 16; asked of the driver each time.
    int LoadLimit() const;
    int LoadedCount() const { return loadedCount; }

    // 1/0 rules of sending one PID: while the card is not locked, the filter
    // stopped or the tuning changed, LoadPid only marks the record, and
    // ReloadPids sends it after the next lock.
    PidOutcome LoadPid(PidRecord* record);
    PidOutcome UnloadPid(PidRecord* record);
    // After every successful lock and filter start: sends every PID marked loaded.
    void ReloadPids();

    // Add, after the PID Info dialog ended with OK, with its PID value.
    PidOutcome Add(int pidValue);
    // The buttons, with the selected row's record (null: nothing selected).
    // Remove runs after the user answered Yes to
    // ReceptionMessages::kConfirmRemovePid; the record is freed then.
    PidOutcome Load(PidRecord* selected);
    PidOutcome Unload(PidRecord* selected);
    PidOutcome Remove(PidRecord* selected);

    // Timer 504: nothing without a current transponder.
    std::optional<StatisticsReading> RefreshStatistics();
    // Timer 505 and the list buttons: the MAC Address cell of each row, in
    // the order of the records given (the rows' item data).
    std::vector<std::string> RefreshPidMacs(const std::vector<const PidRecord*>& rows);

private:
    bool TakeLoadSlot();
    void GiveBackLoadSlot();
    std::vector<PidRecord*> CurrentPids() const;
    void TraceAndDebug(const std::string& line);

    CChannelDatabase& database;
    ReceiverDriver& driver;
    PidPageHost& host;
    int loadedCount = 0;
};
