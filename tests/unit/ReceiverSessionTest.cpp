#include "app/ReceiverSession.h"

#include "app/UnreadDatabaseFile.h"
#include "common/FileIo.h"

#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr int kSatelliteCard = 0;
constexpr int kCableCard = 5;

// The main dialog as the session sees it: every call but the traces logged in
// order, the questions' answers and the saves' outcomes scripted.
class RecordingView final : public ReceiverView {
public:
    explicit RecordingView(CallLog& log) : log(log) {}

    bool motorSaves = true;
    bool settingsSave = true;
    bool answerYes = true;
    bool textAnswer = true;
    std::string errorText;
    std::string questionText;

    void ShowLockDisplay(bool locked) override { displaysLocked = locked; }
    void ShowBalloon(const std::string& text) override { log.Add("Balloon(" + text + ")"); }
    void RecordSignalEvent(SignalEvent event) override
    {
        log.Add(std::string("Event(") + SignalEventName(event).english + ")");
    }
    void StartRestoreTimer(std::chrono::milliseconds delay) override
    {
        log.Add("RestoreTimer(" + std::to_string(delay.count()) + ")");
    }
    void StopRestoreTimer() override { log.Add("StopRestoreTimer"); }
    void ForgetKeptLock() override { log.Add("ForgetKeptLock"); }
    void CloseForRemoval() override { log.Add("CloseForRemoval"); }
    void ShowLockNote(const std::string& text) override
    {
        if (text != note)
            log.Add("LockNote(" + text + ")");
        note = text;
    }
    bool displaysLocked = false;
    std::string note;
    void EnableApply(bool enabled) override { log.Add(enabled ? "EnableApply(1)" : "EnableApply(0)"); }
    void StartSignalTimer() override { log.Add("StartSignalTimer"); }
    void StopSignalTimer() override { log.Add("StopSignalTimer"); }
    void StartStatisticsTimer() override { log.Add("StartStatisticsTimer"); }
    void StopStatisticsTimer() override { log.Add("StopStatisticsTimer"); }
    void StartPidMacTimer() override { log.Add("StartPidMacTimer"); }
    void StopPidMacTimer() override { log.Add("StopPidMacTimer"); }
    void ShowWaitDialog(const MessageRef&) override { log.Add("ShowWaitDialog"); }
    void DestroyWaitDialog() override { log.Add("DestroyWaitDialog"); }
    void RefreshPages() override { log.Add("RefreshPages"); }
    void ReloadPids() override { log.Add("ReloadPids"); }
    void ShowAddedSatellites() override { log.Add("ShowAddedSatellites"); }
    void FillSatelliteList() override { log.Add("FillSatelliteList"); }
    void FillLanguageList() override { log.Add("FillLanguageList"); }
    void LockCurrent(bool silent) override { log.Add(silent ? "LockCurrent(1)" : "LockCurrent(0)"); }
    void HideToTray() override { log.Add("HideToTray"); }
    void LoadSettings() override { log.Add("LoadSettings"); }
    bool SaveSettings() override { log.Add("SaveSettings"); return settingsSave; }
    std::string SettingsKeyName() const override { return "HKEY_CURRENT_USER\\Key"; }
    bool SaveMotorSettings() override { log.Add("SaveMotorSettings"); return motorSaves; }
    // The key in brackets; a text with a number keeps the English token.
    std::string Text(const MessageRef& message) const override
    {
        const std::string english = message.english;
        return std::string("<") + message.key + ">" + (english.find("{0}") != std::string::npos ? "{0}" : "");
    }
    bool AskYesNo(const MessageRef& question) override { log.Add(std::string("AskYesNo(") + question.key + ")"); return answerYes; }
    bool AskYesNoText(const std::string& text) override
    {
        log.Add("AskYesNoText");
        questionText = text;
        return textAnswer;
    }
    void ShowError(const std::string& text) override { log.Add("ShowError"); errorText = text; }
    void Trace(const std::string&) override {}
    void DebugOutput(const std::string&) override {}

private:
    CallLog& log;
};

class ReceiverSessionTest : public testing::Test {
protected:
    // A card of the kind with its database file in the scratch directory, a
    // current satellite at 19.2 degrees, and the start-up's state: Apply
    // disabled and the card not locked.
    void StartCard(int kind, const std::string& folder = "")
    {
        session.SetDeviceKind(kind);
        session.Settings().installationPath = scratch.Path(folder) + "/";
        session.LoadDatabase();
        Added(session.Database(), Satellite("Astra", 192));
        session.SetPendingChanges(false);
        log.Clear();
    }
    // The card locked to the current records, as after a lock.
    void Lock()
    {
        session.SetTuningChanged(0);
        session.ShowLockState(0);
        log.Clear();
    }

    ScratchDirectory scratch;
    CallLog log;
    ScriptedDriver driver{log};
    RecordingView view{log};
    ReceiverSession session{driver, view, std::chrono::milliseconds(50)};
};

// A lock worker inside LockChannel3, as the lock sequence starts one: it holds
// the card's gate until the driver answers.
class TuningWorker {
public:
    TuningWorker(ReceiverSession& session, ScriptedDriver& driver) : driver(driver)
    {
        driver.HoldLocks();
        std::optional<DriverLease> lease = session.Gate().TryLease();
        lease->HandOver();
        thread = std::thread([&session, held = std::move(*lease)]() mutable {
            held.Adopt();
            session.Driver().LockChannel3(11494, 22000, 1, 1, 1, 9750, 10600);
        });
        while (!driver.LockInFlight())
            std::this_thread::yield();
    }
    ~TuningWorker()
    {
        driver.ReleaseLocks();
        thread.join();
    }

private:
    ScriptedDriver& driver;
    std::thread thread;
};

// Apply and OK run a lock with the wait dialog when the card is not locked,
// or when changes are pending that marked the settings changed.
TEST_F(ReceiverSessionTest, ApplyAndOkRelockExactlyWhenTheRuleSays)
{
    struct Case { const char* name; bool locked; int mark; bool restore; bool relocks; };  // mark: -1 none
    const Case cases[] = {
        {"not locked, nothing changed", false, -1, false, true}, {"locked, nothing changed", true, -1, false, false},
        {"locked, a setting changed", true, 1, false, true},     {"locked, Apply only enabled", true, 0, false, false},
        {"locked, a change then Restore", true, 1, true, false},
    };
    for (const bool ok : {false, true}) {
        for (const Case& test : cases) {
            SCOPED_TRACE(std::string(ok ? "OK: " : "Apply: ") + test.name);
            ReceiverSession fresh{driver, view};
            fresh.SetDeviceKind(kCableCard);
            fresh.Settings().installationPath = scratch.Path("") + "/";
            fresh.SetPendingChanges(false);
            fresh.ShowLockState(test.locked ? 0 : 1);
            if (test.mark >= 0)
                fresh.MarkSettingsChanged(test.mark);
            if (test.restore)
                fresh.Restore();
            log.Clear();
            EXPECT_TRUE(ok ? fresh.Ok() : fresh.Apply());
            EXPECT_EQ(log.Count("LockCurrent(0)"), test.relocks ? 1 : 0);
        }
    }
}

TEST_F(ReceiverSessionTest, ApplySavesMotorThenLocksThenSavesAndDisablesApply)
{
    StartCard(kSatelliteCard);
    session.MarkSettingsChanged(1);
    log.Clear();

    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(log.Entries(), (Log{"SaveMotorSettings", "LockCurrent(0)", "SaveSettings", "EnableApply(0)"}));
    EXPECT_FALSE(session.HasPendingChanges());
    EXPECT_EQ(session.Settings().currentDegree, 192) << "the current satellite's degree is saved";
    EXPECT_FALSE(scratch.Read("satedata.dll").empty()) << "the database reached its file";
}

// Nothing that failed to save may look saved: Apply stays on, the dialog
// stays shown, and the user is told what failed and where.
TEST_F(ReceiverSessionTest, FailedSavesKeepChangesPendingAndNameWhatFailed)
{
    struct Case { const char* name; bool ok, channelsFail, settingsFail, motorFails; const char* text; };
    const Case cases[] = {
        {"Apply, settings", false, false, true, false, "<String42>\n\n<String44>\nHKEY_CURRENT_USER\\Key\n\n<String45>"},
        {"OK, motor values", true, false, false, true, "<String42>\n\n<String44>\nHKEY_CURRENT_USER\\Key\n\n<String45>"},
        {"OK, channel file", true, true, false, false, "<String42>\n\n<String43>\n$FILE\n\n<String45>"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        // A folder name in the system's code page (here 1252, where F6 is "\u00F6").
        StartCard(kSatelliteCard, test.channelsFail ? "missing-f\xF6lder" : "");
        Lock();
        session.MarkSettingsChanged(1);
        view.settingsSave = !test.settingsFail;
        view.motorSaves = !test.motorFails;
        log.Clear();

        EXPECT_FALSE(test.ok ? session.Ok() : session.Apply());
        EXPECT_EQ(log.Count("HideToTray"), 0);
        EXPECT_EQ(log.Count("ShowError"), 1);
        EXPECT_TRUE(session.HasPendingChanges());
        std::string expected = test.text;
        // The path joins the language texts in their encoding, UTF-8.
        if (const auto at = expected.find("$FILE"); at != std::string::npos) {
            std::string path = session.Database().FilePath();
            path.replace(path.find('\xF6'), 1, "\xC3\xB6");
            expected.replace(at, 5, path);
        }
        EXPECT_EQ(view.errorText, expected);
        // The settings-changed mark went with the attempt: a locked card is not locked again.
        log.Clear();
        view.settingsSave = view.motorSaves = true;
        EXPECT_EQ(test.channelsFail, !session.Apply());
        EXPECT_EQ(log.Count("LockCurrent"), 0);
    }
}

// Only Yes saves, and the program goes on to its end unless that failed;
// the question neither locks nor touches Apply.
TEST_F(ReceiverSessionTest, ExitQuestionSavesOnlyOnYes)
{
    struct Case { bool yes, settingsSave, exits; Log calls; };
    const Case cases[] = {
        {false, true, true, {"AskYesNo(String25)"}},
        {true, true, true, {"AskYesNo(String25)", "SaveMotorSettings", "SaveSettings"}},
        {true, false, false, {"AskYesNo(String25)", "SaveMotorSettings", "SaveSettings", "ShowError"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.calls));
        std::filesystem::remove(scratch.Path("satedata.dll"));
        StartCard(kSatelliteCard);
        session.MarkSettingsChanged(1);
        log.Clear();
        view.answerYes = test.yes;
        view.settingsSave = test.settingsSave;
        EXPECT_EQ(session.RunExitQuestion(), test.exits);
        EXPECT_EQ(log.Entries(), test.calls);
        EXPECT_EQ(std::filesystem::exists(scratch.Path("satedata.dll")), test.yes) << "the channel database";
    }
}

TEST_F(ReceiverSessionTest, RestoreReloadsEverythingOnYesOnly)
{
    StartCard(kCableCard);
    session.MarkSettingsChanged(1);
    log.Clear();
    view.answerYes = false;
    EXPECT_FALSE(session.Restore());
    EXPECT_EQ(log.Entries(), (Log{"AskYesNo(String26)"}));
    EXPECT_TRUE(session.HasPendingChanges());
    EXPECT_NE(session.Database().CurrentSatellite(), nullptr);

    log.Clear();
    view.answerYes = true;
    EXPECT_TRUE(session.Restore());
    EXPECT_EQ(log.Entries(), (Log{"AskYesNo(String26)", "LoadSettings", "EnableApply(0)", "FillSatelliteList",
                                  "FillLanguageList", "RefreshPages"}));
    EXPECT_FALSE(session.HasPendingChanges());
    EXPECT_EQ(session.Database().CurrentSatellite(), nullptr) << "the unsaved channel went with the reload";
}

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
    EXPECT_EQ(session.Driver().StopFilter(), kDriverCallRefused) << "the tune that came back late finds the gate closed";
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
// wait, and the tips say so while it lasts.
TEST_F(ReceiverSessionTest, ATuneThatHoldsTheCardTooLongRefusesCommandsAndShowsInTheTips)
{
    StartCard(kSatelliteCard);
    {
        TuningWorker hanging(session, driver);
        log.Clear();
        session.CheckCardAnswers();
        EXPECT_EQ(log.Count("LockNote"), 0) << "not yet past the wait";
        EXPECT_FALSE(session.AwaitCard());
        EXPECT_EQ(view.errorText, "<String130>");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));   // past the wait, not just at it
        session.CheckCardAnswers();
        session.CheckCardAnswers();
        EXPECT_EQ(log.Matching("LockNote"), Log{"LockNote(<String131>)"}) << "told once";
    }
    log.Clear();
    EXPECT_TRUE(session.AwaitCard());
    session.CheckCardAnswers();
    EXPECT_EQ(log.Matching("LockNote"), Log{"LockNote()"});
}

// A lock kept for where the dish pointed says nothing once it moved: the
// icons say "not locked", no re-lock runs while a hold button drives it, and
// the first lock the card reports afterwards locks the selection again.
TEST_F(ReceiverSessionTest, MovingTheDishEndsTheLockShownAndReLocksOnTheNextReportedLock)
{
    StartCard(kSatelliteCard);
    Added(session.Database(), Transponder(11494, 22000, 1));
    Lock();
    ASSERT_TRUE(view.displaysLocked);

    session.SetDishDriving(true);
    session.DishMoved();
    EXPECT_FALSE(view.displaysLocked);
    EXPECT_FALSE(session.ShouldRelockSilently(true, false)) << "held: no re-lock";
    EXPECT_FALSE(session.ShouldRelockSilently(false, true)) << "held: no re-lock";
    session.SetDishDriving(false);
    EXPECT_TRUE(session.ShouldRelockSilently(false, true)) << "the first reported lock after the move";
    EXPECT_FALSE(session.ShouldRelockSilently(false, true)) << "once";
    EXPECT_TRUE(session.ShouldRelockSilently(true, false)) << "an unlocked poll as always";
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
    session.SetScanRunning(true);
    EXPECT_TRUE(session.SkipsTimerTurn(true));
    EXPECT_TRUE(session.SkipsTimerTurn(false));
    EXPECT_FALSE(session.ShouldRelockSilently(true, false));
    // Nor does the data watchdog re-lock a card that the scan tunes elsewhere.
    Added(session.Database(), Transponder(11494, 22000, 1));
    Lock();
    session.SetFilterStarted(1);
    session.SetWatchdogTime(std::chrono::seconds(4));
    DataWatchdog::Clock::time_point now{};
    for (int reading = 0; reading < 4; ++reading, now += std::chrono::seconds(2))
        session.OnStatisticsReading(1000, true, now);
    EXPECT_EQ(log.Count("LockCurrent"), 0);
    session.DishMoved();
    EXPECT_FALSE(session.ShouldRelockSilently(false, true));
    session.SetScanRunning(false);
    EXPECT_FALSE(session.SkipsTimerTurn(true));
    EXPECT_TRUE(session.ShouldRelockSilently(true, false)) << "the poll's re-lock as before";
}

TEST_F(ReceiverSessionTest, RestoreLocksTheRestoredSelectionWhenTheCardIsTunedToAnother)
{
    StartCard(kSatelliteCard);
    Added(session.Database(), Transponder(11494, 22000, 1));
    ASSERT_TRUE(session.Apply());
    Lock();
    EXPECT_TRUE(session.Restore());
    EXPECT_EQ(log.Count("LockCurrent"), 0) << "the same transponder: nothing to tune";

    Added(session.Database(), Transponder(11034, 27500, 0));   // added, locked, never saved
    Lock();
    EXPECT_TRUE(session.Restore());
    EXPECT_EQ(log.Matching("LockCurrent"), Log{"LockCurrent(1)"}) << "the added one went: the saved one is locked";
}

TEST_F(ReceiverSessionTest, LockedToAnotherThanTheSelectionTheTipsSayWhatTheCardReceives)
{
    StartCard(kSatelliteCard);
    Added(session.Database(), Transponder(11494, 22000, 1));
    Lock();
    EXPECT_EQ(view.note, "");
    Added(session.Database(), Satellite("Hotbird", 130));
    Added(session.Database(), Transponder(11034, 27500, 0));
    session.ApplyEffects(MainDialogEffects{true, false, false});
    EXPECT_FALSE(view.displaysLocked);
    EXPECT_EQ(view.note, "Astra: 11494 MHz H 22000\n<String85>");
    session.ShowLockState(1);
    EXPECT_EQ(view.note, "") << "not locked at all";
}

// A database file that could not be read whole is reported, and the first
// save over it asks: No saves nothing and keeps the changes pending, also at
// the exit question and the end of the Windows session; Yes keeps the old
// bytes as "<name>.bak", replacing an older backup, and is not asked again.
TEST_F(ReceiverSessionTest, UnreadDatabaseFileIsReplacedOnlyWithTheUsersConsent)
{
    const std::string damaged = std::string("\1\0\0\0", 4) + "Astra";   // one satellite, cut in its block
    ASSERT_TRUE(scratch.Write("satedata.dll", damaged));
    ASSERT_TRUE(scratch.Write("satedata.dll.bak", "an older backup"));
    StartCard(kSatelliteCard);
    const std::string file = session.Database().FilePath();
    ReportUnreadDatabaseFile(session.Database(), view);
    EXPECT_EQ(view.errorText, "<String74>\n" + file + "\n\n<String75>");

    view.textAnswer = false;
    session.MarkSettingsChanged(1);
    log.Clear();
    EXPECT_FALSE(session.Apply());
    EXPECT_FALSE(session.Ok());
    EXPECT_FALSE(session.RunExitQuestion()) << "the program goes on";
    EXPECT_EQ(log.Count("AskYesNoText"), 3);
    EXPECT_EQ(view.questionText,
              "<String74>\n" + file + "\n\n<String76>\n" + BackupFilePath(file) + "\n\n<String77>");
    EXPECT_EQ(log.Count("SaveSettings") + log.Count("ShowError") + log.Count("HideToTray"), 0);
    EXPECT_TRUE(session.HasPendingChanges());
    EXPECT_FALSE(session.SaveWithoutAsking());
    EXPECT_EQ(log.Count("AskYesNoText"), 3) << "no question at the end of the session";
    EXPECT_EQ(log.Count("SaveSettings"), 1) << "the settings are saved then";
    EXPECT_EQ(scratch.Read("satedata.dll"), damaged);
    EXPECT_EQ(scratch.Read("satedata.dll.bak"), "an older backup");

    view.textAnswer = true;
    log.Clear();
    EXPECT_TRUE(session.Ok());
    EXPECT_EQ(log.Count("AskYesNoText"), 1);
    EXPECT_EQ(log.Count("HideToTray"), 1);
    EXPECT_FALSE(session.HasPendingChanges());
    EXPECT_EQ(scratch.Read("satedata.dll.bak"), damaged);
    EXPECT_EQ(scratch.Read("satedata.dll").size(), 4u + 68u) << "the list shown: Astra";

    session.MarkSettingsChanged(1);
    log.Clear();
    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(log.Count("AskYesNoText"), 0) << "asked once";
    EXPECT_EQ(scratch.Read("satedata.dll.bak"), damaged);
}

// Restore reads the file again: still not whole, the user hears it again;
// whole, saving it asks nothing.
TEST_F(ReceiverSessionTest, RestoreThatReadsTheFileWholeEndsTheGuard)
{
    ASSERT_TRUE(scratch.Write("satedata.dll", std::string("\1\0\0\0", 4)));
    StartCard(kSatelliteCard);
    ASSERT_FALSE(session.Database().UnreadFile().empty());
    EXPECT_TRUE(session.Restore());
    EXPECT_EQ(log.Count("ShowError"), 1);

    ASSERT_TRUE(scratch.Write("satedata.dll", std::string(4, '\0')));
    log.Clear();
    EXPECT_TRUE(session.Restore());
    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(log.Count("ShowError") + log.Count("AskYesNoText"), 0);
    EXPECT_FALSE(std::filesystem::exists(scratch.Path("satedata.dll.bak")));
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
    session.SetFilterMacAddress({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
    DataWatchdog::Clock::time_point now{};
    for (int reading = 0; reading < 3; ++reading, now += std::chrono::seconds(2))
        session.OnStatisticsReading(1000, true, now);
    EXPECT_EQ(log.Entries(), (Log{"Event(No data)", "Balloon(<String90>4)", "LockCurrent(1)"}));
    log.Clear();
    session.ReloadPids();   // the re-lock's worker locked and the filter started
    EXPECT_EQ(log.Entries(), (Log{"ReloadPids", "SetFilterMAC"}));
    EXPECT_EQ(driver.filterMacsSet.back(), (std::array<std::uint8_t, 6>{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    log.Clear();
    session.ReloadPids();
    EXPECT_EQ(log.Entries(), Log{"ReloadPids"}) << "only after the watchdog's own re-lock";

    // Growing counts: the data is back, and no re-lock however long.
    log.Clear();
    for (int reading = 0; reading < 50; ++reading, now += std::chrono::seconds(2))
        session.OnStatisticsReading(2000 + reading, true, now);
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
    EXPECT_EQ(log.Entries(),
              (Log{"Event(Resume)", "StartSignalTimer", "StartStatisticsTimer", "StartPidMacTimer", "RestoreTimer(2000)"}))
        << "once for both broadcasts";
    EXPECT_FALSE(session.ShouldRelockSilently(true, false)) << "the poll's re-lock waits for the restore";

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
    EXPECT_TRUE(session.ShouldRelockSilently(true, false));
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

}  // namespace

