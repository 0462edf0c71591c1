#include "tuning/ScanProgress.h"

void ScanProgressQueue::SetWake(std::function<void()> function)
{
    std::lock_guard<std::mutex> guard(mutex);
    wake = std::move(function);
    woken = false;
    if (!steps.empty() || end)
        WakeLocked();
}

void ScanProgressQueue::Step(ScanStep step)
{
    std::lock_guard<std::mutex> guard(mutex);
    steps.push_back(std::move(step));
    WakeLocked();
}

void ScanProgressQueue::Ended(ScanEnd scanEnd)
{
    std::lock_guard<std::mutex> guard(mutex);
    end = scanEnd;
    WakeLocked();
}

ScanProgressQueue::Taken ScanProgressQueue::Take()
{
    std::lock_guard<std::mutex> guard(mutex);
    woken = false;
    Taken taken{std::move(steps), end};
    steps.clear();
    return taken;
}

// Under the guard, so that a window clearing the wake as it goes is never
// woken after.
void ScanProgressQueue::WakeLocked()
{
    if (woken || !wake)
        return;
    woken = true;
    wake();
}
