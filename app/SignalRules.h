// The signal monitor's rules: what a signal reading shows (percentages, lock
// state, bar colour) and when the poll re-locks silently.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class ReceiverDriver;

struct SignalReading {
    int strength = 0;
    int quality = 0;
    int lockValue = 0;   // above 0: the card reports a lock
};

// GetSignalStrAndQu with five zeroed integers; nothing when the call fails,
// so that the display stays as it was and no re-lock is made.
std::optional<SignalReading> ReadSignal(ReceiverDriver& driver);

// What ShowSignal does with one reading, in this order: ShowLockState (when
// set), the trace line (when not empty), the page's silent Lock (when
// relock), then the bars and the "%d%%" texts.
struct SignalDisplay {
    std::optional<int> lockState;   // ShowLockState's argument; none keeps the display
    std::string trace;
    bool lockCounted = false;   // the reading counts as locked (after the weak-reading rule)
    bool relock = false;
    int strengthPercent = 0;
    int qualityPercent = 0;
};

struct SignalContext {
    bool hasCurrentTransponder = false;
    bool filterStarted = false;
    // GetDeviceType, asked only when the card reports no lock.
    std::function<int()> deviceType;
};

// Keeps the weak-reading counter: a card of device type 1 that reports no
// lock counts as locked until its fourth weak reading (strength or quality
// below 30) without a real lock in between.
class SignalMonitor {
public:
    SignalDisplay Show(const SignalReading& reading, const SignalContext& context);
    std::uint8_t WeakReadings() const { return weakReadings; }

private:
    // The lock value after the weak-reading rule; sets the lock state to show.
    int JudgeMissingLock(const SignalReading& reading, const SignalContext& context, SignalDisplay& display);

    std::uint8_t weakReadings = 0;
};

// 0..100, plus 20 (still at most 100) while the reading counts as locked.
int SignalPercent(int value, bool locked);

// ShowLockState's icon: 135 for result 0 (locked), 140 otherwise.
int LockIconId(int result);

struct BarColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};
// Green while locked, red otherwise.
BarColour LevelBarColour(bool locked);

struct BarRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// The part of the outer rectangle that the percentage fills, from the left;
// the width truncates.
BarRect BarFillRect(const BarRect& outer, int percent);

// "%d%%"
std::string PercentText(int percent);
