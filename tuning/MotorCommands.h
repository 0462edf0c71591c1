// The dish motor commands of the Dish Setting page. Every command runs with
// the signal timer stopped, so that no signal poll reaches the driver while
// the motor is being commanded.
#pragma once

#include "tuning/MotorSettings.h"

#include <chrono>
#include <cstdint>
#include <functional>

class ReceiverDriver;

constexpr int kDriveEastButtonId = 1079;
constexpr int kDriveWestButtonId = 1080;
constexpr std::chrono::milliseconds kStopMotorRepeatDelay{100};

// What the commands need from the page and the main dialog; called on the
// user-interface thread.
class MotorHost {
public:
    virtual ~MotorHost() = default;

    virtual void StopSignalTimer() = 0;
    virtual void StartSignalTimer() = 0;
    // The page passes 1: a motor change is a settings change.
    virtual void MarkSettingsChanged() = 0;
    virtual void UpdateLimitButtons(std::uint32_t limitFlags) = 0;
    virtual void UpdatePositionControls() = 0;
};

using SleepFunction = std::function<void(std::chrono::milliseconds)>;
void SleepFor(std::chrono::milliseconds duration);

class MotorCommands {
public:
    // settings is the page's copy, changed here by the limit and position commands.
    MotorCommands(ReceiverDriver& driver, MotorHost& host, MotorSettings& settings,
                  SleepFunction sleep = SleepFor);

    // tag: the hold button's tag (its control identifier) in the low 16 bits.
    void HoldPressed(std::int64_t tag);
    // Stops the motor twice, 100 ms apart.
    void HoldReleased(std::int64_t tag);
    void GotoZero();
    void SetEastLimit();
    void SetWestLimit();
    void CancelLimit();
    void PositionChosen(int positionIndex);
    void GotoPosition();
    // Only for a current satellite whose dish type is not Fixed.
    void StorePosition(bool haveSatellite, int satelliteDishType);

private:
    void SetLimit(std::uint32_t flag, int (ReceiverDriver::*command)());
    bool PositionIndexValid() const;

    ReceiverDriver& driver;
    MotorHost& host;
    MotorSettings& settings;
    SleepFunction sleep;
};
