// The rules of the PID list page: the rows of the current transponder's PIDs,
// the card's load slots, loading and unloading PIDs into the card's filter,
// the Add, Remove, Load and Unload buttons, and the page's refreshes of the
// reception counters and the MAC column. The page builds one object once it
// has its database, hands each button to one call and puts the result back.
#pragma once

#include "database/ChannelDatabase.h"
#include "driver/ReceiverDriver.h"
#include "reception/PidListTexts.h"
#include "common/PageHost.h"
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
    PidPageRules(CChannelDatabase& database, PageHost& host);

    bool HasCurrentTransponder() const;

    // The rows of the current transponder's PIDs in list order; also counts
    // the loaded ones afresh. Empty without a current transponder.
    std::vector<PidRow> Refresh();

    // 8 loaded PIDs for device type 1, else 16; asked of the driver each time.
    int LoadLimit() const;
    int LoadedCount() const { return loadedCount; }
    // A PID of the current transponder is marked loaded and the card did not refuse it.
    bool HasAcceptedPid() const;

    // 1/0 rules of sending one PID: while the card is not locked, the filter
    // stopped or the tuning changed, LoadPid only marks the record, and
    // ReloadPids sends it after the next lock. A PID the card refused is sent
    // again; one it never took is unloaded without asking the card.
    PidOutcome LoadPid(PidRecord* record);
    PidOutcome UnloadPid(PidRecord* record);
    // After every successful lock and filter start: sends every PID marked
    // loaded. A PID the card refuses stays marked, as the wanted state, and
    // shows as refused until a later send succeeds.
    void ReloadPids();

    // The row image of a record of the current transponder.
    int Image(const PidRecord& record) const;

    // Add, after the PID Info dialog ended with OK, with its PID value.
    PidOutcome Add(int pidValue);
    // The buttons, with the selected row's record (null: nothing selected).
    // Remove runs after the user answered Yes to
    // ReceptionMessages::kConfirmRemovePid; the record is freed when done.
    // When the card refuses to unload it the record stays: the PID may still
    // be in the card's filter, and only this row could unload it later.
    PidOutcome Load(PidRecord* selected);
    PidOutcome Unload(PidRecord* selected);
    PidOutcome Remove(PidRecord* selected);

    // Timer 504: nothing without a current transponder.
    std::optional<StatisticsReading> RefreshStatistics();
    // Timer 505 and the list buttons: the MAC Address cell of each row, in
    // the order of the records given (the rows' item data).
    std::vector<std::string> RefreshPidMacs(const std::vector<const PidRecord*>& rows);

private:
    // A PID of a transponder that the card did not take at its last send.
    struct RefusedPid {
        const TransponderRecord* transponder;
        std::int32_t pid;
        std::int32_t type;
    };

    bool TakeLoadSlot();
    void GiveBackLoadSlot();
    std::vector<PidRecord*> CurrentPids() const;
    void TraceAndDebug(const std::string& line);
    // Traced as the card's answer; true when the card took the PID.
    bool SendPid(const PidRecord& record);
    bool IsRefused(const PidRecord& record) const;
    void SetRefused(const PidRecord& record, bool isRefused);

    CChannelDatabase& database;
    PageHost& host;
    ReceiverDriver& driver;   // the host's, behind its gate
    int loadedCount = 0;
    std::vector<RefusedPid> refused;
};
