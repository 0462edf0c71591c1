#include "tuning/MotorCommands.h"

#include <thread>
#include <utility>

namespace {

int HoldButtonId(std::int64_t tag) { return static_cast<int>(tag & 0xFFFF); }

std::uint8_t DriverPosition(int positionIndex) { return static_cast<std::uint8_t>(positionIndex + 1); }

}   // namespace

void SleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

void StopMotorTwice(ReceiverDriver& driver, const SleepFunction& sleep)
{
    driver.StopMotor();
    sleep(kStopMotorRepeatDelay);
    driver.StopMotor();
}

MotorCommands::MotorCommands(DriverGate& gate, MotorHost& host, MotorSettings& settings, SleepFunction sleep)
    : gate(gate), driver(gate.Driver()), host(host), settings(settings), sleep(std::move(sleep))
{
}

void MotorCommands::HoldPressed(std::int64_t tag)
{
    const int id = HoldButtonId(tag);
    if ((id == kDriveEastButtonId || id == kDriveWestButtonId) && !host.AwaitCard())
        return;
    host.StopSignalTimer();
    if (id == kDriveEastButtonId || id == kDriveWestButtonId) {
        host.SetDishDriving(true);
        host.DishMoved();
        if (id == kDriveEastButtonId)
            driver.DriveEast();
        else
            driver.DriveWest();
    }
    host.MarkSettingsChanged();
    host.StartSignalTimer();
}

void MotorCommands::HoldReleased(std::int64_t tag)
{
    host.StopSignalTimer();
    const int id = HoldButtonId(tag);
    if (id == kDriveEastButtonId || id == kDriveWestButtonId) {
        if (gate.WaitUntilFree(gate.CallWait()))
            StopMotorTwice(driver, sleep);
        else
            gate.WhenFree([sleep = sleep](ReceiverDriver& card) { StopMotorTwice(card, sleep); });
        host.SetDishDriving(false);
    }
    host.MarkSettingsChanged();
    host.StartSignalTimer();
}

void MotorCommands::GotoZero()
{
    if (!host.AwaitCard())
        return;
    host.StopSignalTimer();
    host.DishMoved();
    driver.GotoZero();
    host.StartSignalTimer();
    host.MarkSettingsChanged();
}

void MotorCommands::SetEastLimit() { SetLimit(kEastLimitSet, &ReceiverDriver::SetEastLimit); }

void MotorCommands::SetWestLimit() { SetLimit(kWestLimitSet, &ReceiverDriver::SetWestLimit); }

void MotorCommands::SetLimit(std::uint32_t flag, int (ReceiverDriver::*command)())
{
    if (!host.AwaitCard())
        return;
    host.StopSignalTimer();
    settings.limitFlags |= flag;
    host.UpdateLimitButtons(settings.limitFlags);
    (driver.*command)();
    if (BothLimitsSet(settings.limitFlags))
        driver.EnableLimit();
    host.MarkSettingsChanged();
    host.StartSignalTimer();
}

void MotorCommands::CancelLimit()
{
    if (!host.AwaitCard())
        return;
    host.StopSignalTimer();
    settings.limitFlags = 0;
    host.UpdateLimitButtons(settings.limitFlags);
    driver.CancelLimit();
    host.StartSignalTimer();
    host.MarkSettingsChanged();
}

void MotorCommands::PositionChosen(int positionIndex)
{
    settings.positionIndex = positionIndex;
    host.UpdatePositionControls();
    host.MarkSettingsChanged();
}

void MotorCommands::GotoPosition()
{
    if (!PositionIndexValid() || !host.AwaitCard())
        return;
    host.StopSignalTimer();
    host.DishMoved();
    driver.GotoSatPosition(DriverPosition(settings.positionIndex));
    host.StartSignalTimer();
}

void MotorCommands::StorePosition(bool haveSatellite, int satelliteDishType)
{
    if (!haveSatellite || satelliteDishType == kDishFixed || !PositionIndexValid() || !host.AwaitCard())
        return;
    settings.storedPositions |= 1U << settings.positionIndex;
    host.UpdatePositionControls();
    host.StopSignalTimer();
    driver.StoreSatPosition(DriverPosition(settings.positionIndex));
    host.StartSignalTimer();
    host.MarkSettingsChanged();
}

bool MotorCommands::PositionIndexValid() const
{
    return settings.positionIndex >= 0 && settings.positionIndex < kMotorPositionCount;
}
