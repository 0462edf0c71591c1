#include "app/ReceiverSession.h"

#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr int kSatelliteCard = 0;
constexpr int kCableCard = 5;

// The main dialog as the session sees it: every call but the traces logged in
// order, every question answered yes, the saves' outcomes scripted.
class RecordingView final : public ReceiverView {
public:
    explicit RecordingView(CallLog& log) : log(log) {}

    bool motorSaves = true;
    bool settingsSave = true;
    std::string errorText;

    void ShowLockDisplay(bool) override {}
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
    std::string Text(const MessageRef& message) const override { return std::string("<") + message.key + ">"; }
    bool AskYesNo(const MessageRef& question) override { log.Add(std::string("AskYesNo(") + question.key + ")"); return true; }
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
    ReceiverSession session{driver, view};
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

}  // namespace
