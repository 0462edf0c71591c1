#include "tuning/MotorCommands.h"

#include "driver/ReceiverDriver.h"

#include <thread>
#include <utility>

namespace {

int HoldButtonId(std::int64_t tag) { return static_cast<int>(tag & 0xFFFF); }

std::uint8_t DriverPosition(int positionIndex) { return static_cast<std::uint8_t>(positionIndex + 1); }

} // namespace

void SleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

MotorCommands::MotorCommands(ReceiverDriver& driver, MotorHost& host, MotorSettings& settings, SleepFunction sleep)
    : driver(driver), host(host), settings(settings), sleep(std::move(sleep))
{
}

void MotorCommands::HoldPressed(std::int64_t tag)
{
    host.StopSignalTimer();
    if (HoldButtonId(tag) == kDriveEastButtonId)
        driver.DriveEast();
    else if (HoldButtonId(tag) == kDriveWestButtonId)
        driver.DriveWest();
    host.MarkSettingsChanged();
    host.StartSignalTimer();
}

void MotorCommands::HoldReleased(std::int64_t tag)
{
    host.StopSignalTimer();
    const int id = HoldButtonId(tag);
    if (id == kDriveEastButtonId || id == kDriveWestButtonId) {
        // The positioner may miss a single stop command while it moves.
        driver.StopMotor();
        sleep(kStopMotorRepeatDelay);
        driver.StopMotor();
    }
    host.MarkSettingsChanged();
    host.StartSignalTimer();
}

void MotorCommands::GotoZero()
{
    host.StopSignalTimer();
    driver.GotoZero();
    host.StartSignalTimer();
    host.MarkSettingsChanged();
}

void MotorCommands::SetEastLimit() { SetLimit(kEastLimitSet, &ReceiverDriver::SetEastLimit); }

void MotorCommands::SetWestLimit() { SetLimit(kWestLimitSet, &ReceiverDriver::SetWestLimit); }

void MotorCommands::SetLimit(std::uint32_t flag, int (ReceiverDriver::*command)())
{
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
    if (!PositionIndexValid())
        return;
    host.StopSignalTimer();
    driver.GotoSatPosition(DriverPosition(settings.positionIndex));
    host.StartSignalTimer();
}

void MotorCommands::StorePosition(bool haveSatellite, int satelliteDishType)
{
    if (!haveSatellite || satelliteDishType == kDishFixed || !PositionIndexValid())
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
