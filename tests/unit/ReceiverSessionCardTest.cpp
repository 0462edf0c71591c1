// The session's work with the card: the exit's last calls, a card that a
// tune holds, the dish, a scan, the data watchdog, sleep and resume.
#include "tests/unit/ReceiverSessionFixture.h"

namespace {

TEST_F(ReceiverSessionTest, ExitStopsTheDishAndTheFilterAndReleasesTheDriverLast)
{
    StartCard(kSatelliteCard);
    session.SetFilterStarted(1);
    session.SetDishDriving(true);
    EXPECT_TRUE(session.ShutDownDriver([&] { log.Add("App End"); }));
    EXPECT_EQ(log.Entries(),
              (Log{"StopMotor", "StopMotor", "StopFilter", "App End", "SetDiseCom1(0,0,0,0)", "ReleaseDise"}));
    log.Clear();
    EXPECT_EQ(session.Driver().GetCIInfo(), kDriverCallRefused);
    EXPECT_EQ(log.Entries(), Log{}) << "nothing reaches the card after its release";
}

TEST_F(ReceiverSessionTest, ExitWithAHangingTuneSendsNothingMore)
{
    StartCard(kSatelliteCard);
    session.SetFilterStarted(1);
    {
        TuningWorker hanging(session, driver);
        log.Clear();
        EXPECT_FALSE(session.ShutDownDriver([&] { log.Add("App End"); }));
        EXPECT_EQ(log.Entries(), Log{"App End"});
    }
    log.Clear();
    EXPECT_EQ(session.Driver().StopFilter(), kDriverCallRefused)
        << "the tune that came back late finds the gate closed";
    EXPECT_EQ(log.Entries(), Log{});
    EXPECT_EQ(driver.Overlaps(), 0);
}

TEST_F(ReceiverSessionTest, ExitWaitsForATuneThatEndsWithinTheWait)
{
    StartCard(kSatelliteCard);
    TuningWorker tuning(session, driver);
    std::thread card([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        driver.ReleaseLocks();
    });
    EXPECT_TRUE(session.ShutDownDriver([] {}, std::chrono::seconds(5)));
    card.join();
    const Log entries = log.Entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back(), "ReleaseDise");
    EXPECT_EQ(driver.Overlaps(), 0);
}

// The user is told when a command meets a card that a tune holds past the
// wait, and the tips say so while it lasts; the polls meanwhile skip their
// turn and send nothing.
TEST_F(ReceiverSessionTest, ATuneThatHoldsTheCardTooLongRefusesCommandsAndShowsInTheTips)
{
    StartCard(kSatelliteCard);
    {
        TuningWorker hanging(session, driver);
        log.Clear();
        EXPECT_FALSE(session.PollSignal());
        EXPECT_EQ(log.Count("LockNote"), 0) << "not yet past the wait";
        EXPECT_FALSE(session.AwaitCard());
        EXPECT_EQ(view.errorText, "<String130>");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));   // past the wait, not just at it
        session.PollSignal();
        session.PollSignal();
        EXPECT_EQ(log.Matching("LockNote"), Log{"LockNote(<String131>)"}) << "told once";
        EXPECT_EQ(log.Count("GetSignalStrAndQu"), 0);
    }
    log.Clear();
    EXPECT_TRUE(session.AwaitCard());
    session.PollSignal();
    EXPECT_EQ(log.Matching("LockNote"), Log{"LockNote()"});
}

// A lock kept for where the dish pointed says nothing once it moved: the
// icons say "not locked", no re-lock runs while a hold button drives it, and
// the first lock the card reports afterwards locks the selection again.
TEST_F(ReceiverSessionTest, MovingTheDishEndsTheLockShownAndReLocksOnTheNextReportedLock)
{
    StartCard(kSatelliteCard);
    Added(session.Database(), Transponder(11494, 22000, 1));
    session.SetFilterStarted(1);
    Lock();
    ASSERT_TRUE(view.displaysLocked);

    session.SetDishDriving(true);
    session.DishMoved();
    EXPECT_FALSE(view.displaysLocked);
    Poll(0);
    Poll(1);
    EXPECT_EQ(log.Count("LockCurrent"), 0) << "held: no re-lock";
    session.SetDishDriving(false);
    Poll(1);
    EXPECT_EQ(log.Matching("LockCurrent"), Log{"LockCurrent(1)"}) << "the first reported lock after the move";
    Poll(1);
    EXPECT_EQ(log.Count("LockCurrent"), 1) << "once";
    Poll(0);
    EXPECT_EQ(log.Count("LockCurrent"), 2) << "an unlocked poll as always";
}

TEST_F(ReceiverSessionTest, WhileAScanHasTheCardNoTimerTakesItsTurnAndNoSilentRelockStarts)
{
    StartCard(kSatelliteCard);
    EXPECT_FALSE(session.SkipsTimerTurn(true));
    {
        std::optional<DriverLease> command = session.Gate().TryLease();
        EXPECT_TRUE(session.SkipsTimerTurn(true)) << "a read while a command holds the card";
        EXPECT_FALSE(session.SkipsTimerTurn(false)) << "the start-up lock is no read";
    }
    Added(session.Database(), Transponder(11494, 22000, 1));
    session.SetFilterStarted(1);
    Lock();
    session.SetScanRunning(true);
    EXPECT_TRUE(session.SkipsTimerTurn(true));
    EXPECT_TRUE(session.SkipsTimerTurn(false));
    Poll(0);
    // Nor does the data watchdog re-lock a card that the scan tunes elsewhere.
    session.SetWatchdogTime(std::chrono::seconds(4));
    ReadStatistics(4, 1000, {});
    session.DishMoved();
    Poll(1);
    EXPECT_EQ(log.Count("LockCurrent") + log.Count("GetSignalStrAndQu"), 0);
    session.SetScanRunning(false);
    EXPECT_FALSE(session.SkipsTimerTurn(true));
    Poll(0);
    EXPECT_EQ(log.Matching("LockCurrent"), Log{"LockCurrent(1)"}) << "the poll's re-lock as before";
}

// The card stays locked but the packets stop: one re-lock through the
// gate, told in a balloon, the filter's address sent again after it.
TEST_F(ReceiverSessionTest, DataWatchdogReLocksWhenThePacketsStopAndSendsTheFilterAddressAgain)
{
    StartCard(kSatelliteCard);
    Added(session.Database(), Transponder(11494, 22000, 1));
    Lock();
    session.SetFilterStarted(1);
    session.SetWatchdogTime(std::chrono::seconds(4));
    EXPECT_EQ(settingsKey.store.dwords["DataWatchdog"], 4u) << "stored at once";
    session.SetFilterMacAddress({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
    log.Clear();
    DataWatchdog::Clock::time_point now = ReadStatistics(3, 1000, {});
    EXPECT_EQ(log.Entries(), (Log{"Event(No data)", "Balloon(<String90>4)", "LockCurrent(1)"}));
    log.Clear();
    session.ReloadPids();   // the re-lock's worker locked and the filter started
    EXPECT_EQ(log.Entries(), (Log{"ReloadPids", "SetFilterMAC"}));
    EXPECT_EQ(driver.filterMacsSet.back(), (std::array<std::uint8_t, 6>{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    log.Clear();
    session.ReloadPids();
    EXPECT_EQ(log.Entries(), Log{"ReloadPids"}) << "only after the watchdog's own re-lock";

    // Still no data: the next re-lock after twice the time, without a second balloon.
    log.Clear();
    now = ReadStatistics(4, 1000, now);
    EXPECT_EQ(log.Entries(), Log{"LockCurrent(1)"});

    // Growing counts: the data is back, and no re-lock however long.
    log.Clear();
    ReadStatistics(50, 2000, now, 1);
    EXPECT_EQ(log.Entries(), Log{"Event(Data again)"});
}

TEST_F(ReceiverSessionTest, SleepStopsTheFilterAndResumeRestoresReceptionOnceBeforeAnyReLock)
{
    StartCard(kSatelliteCard);
    Added(session.Database(), Transponder(11494, 22000, 1));
    Lock();
    session.SetFilterStarted(1);
    PowerCycle::Clock::time_point now{};
    session.Suspending(now);
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "StopStatisticsTimer", "StopPidMacTimer", "StopRestoreTimer",
                                  "StopFilter", "Event(Sleep)"}));
    EXPECT_FALSE(session.RemovalEndsProgram(now)) << "a USB card goes with the sleep";

    log.Clear();
    session.Resumed(now + std::chrono::seconds(60));
    session.Resumed(now + std::chrono::seconds(60));
    EXPECT_EQ(log.Entries(), (Log{"Event(Resume)", "StartSignalTimer", "StartStatisticsTimer", "StartPidMacTimer",
                                  "RestoreTimer(2000)"}))
        << "once for both broadcasts";
    Poll(0);
    EXPECT_EQ(log.Count("LockCurrent"), 0) << "the poll's re-lock waits for the restore";

    log.Clear();
    session.OnRestoreTimer(now + std::chrono::seconds(62));
    EXPECT_EQ(log.Entries(), Log{"RestoreTimer(1000)"}) << "the card went with the sleep: waited for";
    session.ReceiverArrived();
    log.Clear();
    session.OnRestoreTimer(now + std::chrono::seconds(63));
    EXPECT_EQ(log.Entries(), (Log{"RestoreTimer(60000)", "ForgetKeptLock", "LockCurrent(1)"}))
        << "restored, and tried again after the watchdog time unless it locks";
    log.Clear();
    session.ReloadPids();
    EXPECT_EQ(log.Entries(), (Log{"ReloadPids", "SetFilterMAC", "StopRestoreTimer"}));
    Poll(0);
    EXPECT_EQ(log.Matching("LockCurrent"), Log{"LockCurrent(1)"}) << "the poll re-locks again";
}

TEST_F(ReceiverSessionTest, SleepLeavesABusyCardAlone)
{
    StartCard(kSatelliteCard);
    session.SetFilterStarted(1);
    TuningWorker tuning(session, driver);
    log.Clear();
    session.Suspending(PowerCycle::Clock::time_point{});
    EXPECT_EQ(log.Count("StopFilter"), 0);
    EXPECT_FALSE(session.IsFilterStarted()) << "the filter is restarted after the resume";
}

}   // namespace
