// The main dialog, the page that locks and the PID page as the session sees
// them, recording into one log with the scripted card, and a session started
// on a card whose database file lives in a scratch folder.
#pragma once

#include "app/ReceiverSession.h"

#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using Log = std::vector<std::string>;

// Every call logged in order but the lock display, which keeps its state
// and logs the note when it changes; the questions' answers are scripted.
class RecordingView final : public ReceiverView {
public:
    explicit RecordingView(CallLog& log) : log(log) {}

    bool answerYes = true;
    bool replaceUnreadFile = true;   // the answer to the question that starts with String74
    std::string errorText;
    std::string questionText;
    bool displaysLocked = false;
    std::string note;

    void ShowLockDisplay(const LockDisplayState& state) override
    {
        if (state.note != note)
            log.Add("LockNote(" + state.note + ")");
        displaysLocked = state.locked;
        note = state.note;
    }
    void EnableApply(bool enabled) override { log.Add(enabled ? "EnableApply(1)" : "EnableApply(0)"); }
    void SetTimerRunning(SessionTimer timer, bool running, std::chrono::milliseconds delay) override
    {
        static const char* const names[] = {"SignalTimer", "StatisticsTimer", "PidMacTimer", "RestoreTimer"};
        const std::string name = names[static_cast<int>(timer)];
        if (running && timer == SessionTimer::Restore)
            log.Add(name + "(" + std::to_string(delay.count()) + ")");
        else
            log.Add((running ? "Start" : "Stop") + name);
    }
    void ShowWaitDialog(const MessageRef* text) override { log.Add(text ? "ShowWaitDialog" : "HideWaitDialog"); }
    // The key in brackets; a text with a number keeps the English token.
    std::string Text(const MessageRef& message) const override
    {
        const std::string english = message.english;
        return std::string("<") + message.key + ">" + (english.find("{0}") != std::string::npos ? "{0}" : "");
    }
    bool Ask(const std::string& question) override
    {
        const std::string firstLine = question.substr(0, question.find('\n'));
        log.Add("Ask(" + firstLine + ")");
        questionText = question;
        return firstLine == "<String74>" ? replaceUnreadFile : answerYes;
    }
    void Tell(const std::string& error) override
    {
        log.Add("Tell");
        errorText = error;
    }
    void Refresh(unsigned parts) override
    {
        std::string named;
        for (const auto& [part, name] : {std::pair{kSatelliteListPart, "satellites"},
                                         {kLanguageListPart, "languages"},
                                         {kPagesPart, "pages"},
                                         {kAddedSatellitesPart, "added"}})
            if (parts & part)
                named += (named.empty() ? "" : ",") + std::string(name);
        log.Add("Refresh(" + named + ")");
    }
    void HideToTray() override { log.Add("HideToTray"); }
    void ShowBalloon(const std::string& text) override { log.Add("Balloon(" + text + ")"); }
    void RecordSignalEvent(SignalEvent event) override
    {
        log.Add(std::string("Event(") + SignalEventName(event).english + ")");
    }
    void CloseForRemoval() override { log.Add("CloseForRemoval"); }

private:
    CallLog& log;
};

// The Dish Setting page's part: its locks and motor values; it never reports a lock of its own.
class RecordingLockingPage final : public LockingPageLink {
public:
    explicit RecordingLockingPage(CallLog& log) : log(log) {}

    bool motorSaves = true;

    void LockCurrent(bool silent) override { log.Add(silent ? "LockCurrent(1)" : "LockCurrent(0)"); }
    void OnLockWorkerDone(std::uint32_t) override {}
    void ForgetKeptResult() override { log.Add("ForgetKeptLock"); }
    bool HasLocked() const override { return false; }
    bool SaveMotorSettings() override
    {
        log.Add("SaveMotorSettings");
        return motorSaves;
    }

private:
    CallLog& log;
};

// The PID page's part: counters to hand out, with a PID always loaded.
class RecordingPidPage final : public PidPageLink {
public:
    explicit RecordingPidPage(CallLog& log) : log(log) {}

    std::optional<StatsCounters> counters;

    void ReloadPids() override { log.Add("ReloadPids"); }
    bool HasLoadedPid() const override { return true; }
    std::optional<StatsCounters> RefreshStatistics() override { return counters; }
    void RefreshPidMacs() override { log.Add("RefreshPidMacs"); }
    void ShowMacAddress(const MacAddress&) override {}

private:
    CallLog& log;
};

// The settings key with each opening for writing logged as "WriteSettings".
class LoggedKeyOpener final : public MapKeyOpener {
public:
    explicit LoggedKeyOpener(CallLog& log) : log(log) {}

    std::unique_ptr<SettingsStore> Open(bool write) override
    {
        if (write)
            log.Add("WriteSettings");
        return MapKeyOpener::Open(write);
    }

private:
    CallLog& log;
};

class ReceiverSessionTest : public testing::Test {
protected:
    ReceiverSessionTest()
    {
        session.RegisterLockingPage(&lockingPage);
        session.RegisterPidPage(&pidPage);
    }

    // A card of the kind with its database file in the scratch folder (or a
    // folder in it), a current satellite at 19.2 degrees, and the start-up's
    // state: Apply disabled and the card not locked.
    void StartCard(int kind, const std::string& folder = "")
    {
        Start(session, kind, folder);
        Added(session.Database(), Satellite("Astra", 192));
        log.Clear();
    }
    void Start(ReceiverSession& started, int kind, const std::string& folder = "")
    {
        driver.SetResult("GetCIInfo", kind);
        settingsKey.store.strings["PATH"] = scratch.Path(folder) + "/";
        started.LoadSettings(scratch.Path());
        ASSERT_TRUE(started.StartCard());
        started.SetPendingChanges(false);
    }
    // The card locked to the current records, as after a lock.
    void Lock()
    {
        session.SetTuningChanged(0);
        session.ShowLockState(0);
        log.Clear();
    }
    // One signal poll with the card's lock value as GetSignalStrAndQu reports it.
    void Poll(int lockValue)
    {
        driver.signal = {80, 80, 0, 0, lockValue};
        session.PollSignal();
    }
    // Statistics readings two seconds apart with the packet count.
    DataWatchdog::Clock::time_point ReadStatistics(int readings, std::int64_t packets,
                                                   DataWatchdog::Clock::time_point now, std::int64_t growth = 0)
    {
        for (int reading = 0; reading < readings; ++reading, now += std::chrono::seconds(2)) {
            StatsCounters counters{};
            counters.packetsReceived = packets + growth * reading;
            pidPage.counters = counters;
            session.ReadStatistics(now);
        }
        return now;
    }

    ScratchDirectory scratch;
    CallLog log;
    ScriptedDriver driver{log};
    RecordingView view{log};
    RecordingLockingPage lockingPage{log};
    RecordingPidPage pidPage{log};
    LoggedKeyOpener settingsKey{log};
    std::vector<std::string> traces;
    ReceiverSession session{driver,
                            view,
                            settingsKey,
                            [this](const std::string& line) { traces.push_back(line); },
                            [](const std::string&) {},
                            std::chrono::milliseconds(50)};
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
