// What the session asks of the page that locks the card of its kind (the
// Dish, Cable or Terrestrial Setting page), which registers itself with the
// session when it is made.
#pragma once

#include <cstdint>

class LockingPageLink {
public:
    virtual ~LockingPageLink() = default;

    // The lock of the current transponder or channel: with the wait dialog unless silent.
    virtual void LockCurrent(bool silent) = 0;
    // A lock worker's posted end reached the user-interface thread.
    virtual void OnLockWorkerDone(std::uint32_t run) = 0;
    // The card lost its lock or the dish moved: a kept lock no longer counts.
    virtual void ForgetKeptResult() = 0;
    // The last lock of the current records locked, and nothing changed since.
    virtual bool HasLocked() const = 0;
    // The Dish Setting page's motor values; false when one could not be
    // written. Other pages keep none.
    virtual bool SaveMotorSettings() { return true; }
};
