// The dish motor commands of the Dish Setting page. Every command first waits
// for the card (a tune may hold it) and is refused when the wait runs out;
// it runs with the signal timer stopped, so that no signal poll reaches the
// driver while the motor is being commanded.
#pragma once

#include "driver/DriverGate.h"
#include "tuning/MotorSettings.h"

#include <chrono>
#include <cstdint>
#include <functional>

constexpr int kDriveEastButtonId = 1079;
constexpr int kDriveWestButtonId = 1080;
constexpr std::chrono::milliseconds kStopMotorRepeatDelay{100};

// What the commands need from the page and the session; called on the
// user-interface thread.
class MotorHost {
public:
    virtual ~MotorHost() = default;

    // Waits for the card within the command's bound; false, and the user was
    // told, when an earlier call still holds it.
    virtual bool AwaitCard() = 0;
    // From the press of a hold button to its release: no silent re-lock.
    virtual void SetDishDriving(bool driving) = 0;
    // The dish moved: a lock kept so far says nothing of where it points now.
    virtual void DishMoved() = 0;
    virtual void StopSignalTimer() = 0;
    virtual void StartSignalTimer() = 0;
    // The page passes 1: a motor change is a settings change.
    virtual void MarkSettingsChanged() = 0;
    virtual void UpdateLimitButtons(std::uint32_t limitFlags) = 0;
    virtual void UpdatePositionControls() = 0;
};

using SleepFunction = std::function<void(std::chrono::milliseconds)>;
void SleepFor(std::chrono::milliseconds duration);

// The positioner may miss a single stop command while it moves: two, 100 ms apart.
void StopMotorTwice(ReceiverDriver& driver, const SleepFunction& sleep);

class MotorCommands {
public:
    // settings is the page's copy, changed here by the limit and position commands.
    MotorCommands(DriverGate& gate, MotorHost& host, MotorSettings& settings, SleepFunction sleep = SleepFor);

    // tag: the hold button's tag (its control identifier) in the low 16 bits.
    void HoldPressed(std::int64_t tag);
    // Stops the motor twice, 100 ms apart, whatever holds the card: when a
    // tune keeps it past the wait, the stops go as soon as it is free.
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

    DriverGate& gate;
    ReceiverDriver& driver;
    MotorHost& host;
    MotorSettings& settings;
    SleepFunction sleep;
};
