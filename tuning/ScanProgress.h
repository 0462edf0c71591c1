// What a scan's worker reports, kept until the user-interface thread takes
// it: the worker never waits for the window, which is woken once for
// everything that has come since it last took.
#pragma once

#include "tuning/ScanEngine.h"

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

class ScanProgressQueue final : public ScanReport {
public:
    // Called on the worker's thread when something waits and the window has
    // not been woken since it last took; empty (the window went): nobody.
    void SetWake(std::function<void()> wake);

    void Step(ScanStep step) override;
    void Ended(ScanEnd end) override;

    struct Taken {
        std::vector<ScanStep> steps;
        std::optional<ScanEnd> end;   // set once the scan has ended
    };
    Taken Take();

private:
    void WakeLocked();

    std::mutex mutex;
    std::function<void()> wake;
    bool woken = false;
    std::vector<ScanStep> steps;
    std::optional<ScanEnd> end;
};
