// What happens around a scan that a tuning page starts. Reception pauses:
// the card must be free (else the user is told and nothing happens), the
// session's scan state pauses the periodic reads and the silent re-lock, the
// filter stops and the kept lock no longer counts. The progress dialog runs
// the scan. Afterwards the page's current transponder or channel is locked
// again with a full lock, unless the dialog was ended from outside (the
// program ends: nothing more reaches the card) or the card stayed busy.
#pragma once

#include "common/RuleResult.h"
#include "tuning/ScanEngine.h"

#include <vector>

class CLockingPage;
class TuningSession;

struct PageScanOutcome {
    bool ran = false;                // false: the card was busy and nothing was sent
    bool endedFromOutside = false;   // the program ends: no further driver call, no further window
    ScanEnd end = ScanEnd::Completed;
    std::vector<ScanStep> steps;
};

PageScanOutcome RunPageScan(CLockingPage& page, TuningSession& session, const ScanJob& job, const MessageRef& caption);
