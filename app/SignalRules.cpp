#include "app/SignalRules.h"

#include "driver/ReceiverDriver.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kWeakLevel = 30;
constexpr int kWeakReadingsTolerated = 3;
constexpr int kLockedBonus = 20;
// The device type whose missing lock is judged by the signal levels.
constexpr int kLevelJudgedDeviceType = 1;

}   // namespace

std::optional<SignalReading> ReadSignal(ReceiverDriver& driver)
{
    int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, locked = 0;
    if (driver.GetSignalStrAndQu(&strength, &quality, &reserved1, &reserved2, &locked) != 0)
        return std::nullopt;
    return SignalReading{strength, quality, locked};
}

SignalDisplay SignalMonitor::Show(const SignalReading& reading, const SignalContext& context)
{
    SignalDisplay display;
    int lockValue = reading.lockValue;
    if (lockValue > 0) {
        display.lockState = context.hasCurrentTransponder ? 0 : 1;
        weakReadings = 0;
    } else {
        lockValue = JudgeMissingLock(reading, context, display);
        char line[96];
        std::snprintf(line, sizeof line, "nStrength = %d, nQuality = %d, nLock = %d\n", reading.strength,
                      reading.quality, lockValue);
        display.trace = line;
    }
    const bool counted = lockValue > 0;
    display.lockCounted = counted;
    display.relock = !counted || !context.filterStarted;
    display.strengthPercent = SignalPercent(reading.strength, counted);
    display.qualityPercent = SignalPercent(reading.quality, counted);
    return display;
}

int SignalMonitor::JudgeMissingLock(const SignalReading& reading, const SignalContext& context, SignalDisplay& display)
{
    if (!context.deviceType || context.deviceType() != kLevelJudgedDeviceType) {
        display.lockState = 1;
        return reading.lockValue;
    }
    if (reading.strength < kWeakLevel || reading.quality < kWeakLevel)
        ++weakReadings;
    if (weakReadings > kWeakReadingsTolerated) {
        display.lockState = 1;
        weakReadings = 0;
        return reading.lockValue;
    }
    return 1;
}

int SignalPercent(int value, bool locked)
{
    const int clamped = std::clamp(value, 0, 100);
    return locked ? std::min(clamped + kLockedBonus, 100) : clamped;
}

int LockIconId(int result) { return result == 0 ? IDI_LOCKED : IDI_UNLOCKED; }

BarColour LevelBarColour(bool locked) { return locked ? BarColour{0, 255, 0} : BarColour{255, 0, 0}; }

BarRect BarFillRect(const BarRect& outer, int percent)
{
    const long long width = outer.right - outer.left;
    const auto filled = static_cast<int>(width * std::clamp(percent, 0, 100) / 100);
    return BarRect{outer.left, outer.top, outer.left + filled, outer.bottom};
}

std::string PercentText(int percent)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    return text;
}
