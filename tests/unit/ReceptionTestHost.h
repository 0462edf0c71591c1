// The main dialog as the PID page's rules see it, for tests: settable lock
// state, and a record of what the rules traced and how often they enabled
// Apply.
#pragma once

#include "database/ChannelDatabase.h"
#include "reception/PidPageHost.h"
#include "tests/unit/TestKit.h"

#include <string>
#include <vector>

class ReceptionTestHost final : public PidPageHost {
public:
    bool locked = false;
    bool filterStarted = false;
    bool tuningChanged = false;
    int settingsChangedMarks = 0;
    std::vector<std::string> traces;

    bool IsLocked() const override { return locked; }
    bool IsFilterStarted() const override { return filterStarted; }
    bool IsTuningChanged() const override { return tuningChanged; }
    void MarkSettingsChanged() override { ++settingsChangedMarks; }
    void Trace(const std::string& line) override { traces.push_back(line); }
    void DebugOutput(const std::string&) override {}

    void LockWithFilter()
    {
        locked = true;
        filterStarted = true;
        tuningChanged = false;
    }
};

// A loaded database with one satellite and one current transponder.
inline void AddCurrentTransponder(CChannelDatabase& database)
{
    database.Load(std::string());
    Added(database, Satellite("Test", 0));
    Added(database, Transponder(12000, 27500, 0));
}

inline PidRecord* AddStoredPid(CChannelDatabase& database, int pid, int type = 2, int loaded = 0)
{
    return Added(database, Pid(pid, type, "", loaded), 0);
}
