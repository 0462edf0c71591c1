#include "tests/unit/ReceiverSessionFixture.h"

#include "common/FileIo.h"

#include <filesystem>

namespace {

// Apply and OK run a lock with the wait dialog when the card is not locked,
// or when changes are pending that marked the settings changed.
TEST_F(ReceiverSessionTest, ApplyAndOkRelockExactlyWhenTheRuleSays)
{
    struct Case {
        const char* name;
        bool locked;
        int mark;
        bool restore;
        bool relocks;
    };   // mark: -1 none
    const Case cases[] = {
        {"not locked, nothing changed", false, -1, false, true}, {"locked, nothing changed", true, -1, false, false},
        {"locked, a setting changed", true, 1, false, true},     {"locked, Apply only enabled", true, 0, false, false},
        {"locked, a change then Restore", true, 1, true, false},
    };
    for (const bool ok : {false, true}) {
        for (const Case& test : cases) {
            SCOPED_TRACE(std::string(ok ? "OK: " : "Apply: ") + test.name);
            ReceiverSession fresh{driver, view, settingsKey, [](const std::string&) {}, [](const std::string&) {}};
            fresh.RegisterLockingPage(&lockingPage);
            Start(fresh, kCableCard);
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
    EXPECT_EQ(log.Entries(), (Log{"SaveMotorSettings", "LockCurrent(0)", "WriteSettings", "EnableApply(0)"}));
    EXPECT_FALSE(session.HasPendingChanges());
    EXPECT_EQ(settingsKey.store.dwords["CurDegree"], 192u) << "the current satellite's degree is saved";
    EXPECT_FALSE(scratch.Read("satedata.dll").empty()) << "the database reached its file";
}

// Nothing that failed to save may look saved: Apply stays on, the dialog
// stays shown, and the user is told what failed and where.
TEST_F(ReceiverSessionTest, FailedSavesKeepChangesPendingAndNameWhatFailed)
{
    struct Case {
        const char* name;
        bool ok, channelsFail, settingsFail, motorFails;
        const char* text;
    };
    const Case cases[] = {
        {"Apply, settings", false, false, true, false,
         "<String42>\n\n<String44>\nHKEY_CURRENT_USER\\Key\n\n<String45>"},
        {"OK, motor values", true, false, false, true,
         "<String42>\n\n<String44>\nHKEY_CURRENT_USER\\Key\n\n<String45>"},
        {"OK, channel file", true, true, false, false, "<String42>\n\n<String43>\n$FILE\n\n<String45>"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        // A folder name in the system's code page (here 1252, where F6 is "\u00F6").
        StartCard(kSatelliteCard, test.channelsFail ? "missing-f\xF6lder" : "");
        Lock();
        session.MarkSettingsChanged(1);
        settingsKey.store.refused = test.settingsFail ? "Language" : "";
        lockingPage.motorSaves = !test.motorFails;
        log.Clear();

        EXPECT_FALSE(test.ok ? session.Ok() : session.Apply());
        EXPECT_EQ(log.Count("HideToTray"), 0);
        EXPECT_EQ(log.Count("Tell"), 1);
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
        settingsKey.store.refused.clear();
        lockingPage.motorSaves = true;
        EXPECT_EQ(test.channelsFail, !session.Apply());
        EXPECT_EQ(log.Count("LockCurrent"), 0);
    }
}

// Only Yes saves, and the program goes on to its end unless that failed;
// the question neither locks nor touches Apply.
TEST_F(ReceiverSessionTest, ExitQuestionSavesOnlyOnYes)
{
    struct Case {
        bool yes, settingsSave, exits;
        Log calls;
    };
    const Case cases[] = {
        {false, true, true, {"Ask(<String25>)"}},
        {true, true, true, {"Ask(<String25>)", "SaveMotorSettings", "WriteSettings"}},
        {true, false, false, {"Ask(<String25>)", "SaveMotorSettings", "WriteSettings", "Tell"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.calls));
        std::filesystem::remove(scratch.Path("satedata.dll"));
        StartCard(kSatelliteCard);
        session.MarkSettingsChanged(1);
        log.Clear();
        view.answerYes = test.yes;
        settingsKey.store.refused = test.settingsSave ? "" : "PATH";
        EXPECT_EQ(session.RunExitQuestion(), test.exits);
        EXPECT_EQ(log.Entries(), test.calls);
        EXPECT_EQ(std::filesystem::exists(scratch.Path("satedata.dll")), test.yes) << "the channel database";
    }
}

TEST_F(ReceiverSessionTest, RestoreReloadsEverythingOnYesOnly)
{
    StartCard(kCableCard);
    session.MarkSettingsChanged(1);
    settingsKey.store.strings["Language"] = "Deutsch";
    log.Clear();
    view.answerYes = false;
    EXPECT_FALSE(session.Restore());
    EXPECT_EQ(log.Entries(), (Log{"Ask(<String26>)"}));
    EXPECT_TRUE(session.HasPendingChanges());
    EXPECT_NE(session.Database().CurrentSatellite(), nullptr);

    log.Clear();
    view.answerYes = true;
    EXPECT_TRUE(session.Restore());
    EXPECT_EQ(log.Entries(), (Log{"Ask(<String26>)", "EnableApply(0)", "Refresh(satellites,languages,pages)"}));
    EXPECT_FALSE(session.HasPendingChanges());
    EXPECT_EQ(session.Settings().languageName, "Deutsch") << "the settings were read again";
    EXPECT_EQ(session.Database().CurrentSatellite(), nullptr) << "the unsaved channel went with the reload";
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
    std::snprintf(session.Database().CurrentSatellite()->name, 32,
                  "Astra S\xFC"
                  "d");   // code page 1252
    Lock();
    Added(session.Database(), Satellite("Hotbird", 130));
    Added(session.Database(), Transponder(11034, 27500, 0));
    session.ApplyEffects(MainDialogEffects{true, false, false});
    EXPECT_FALSE(view.displaysLocked);
    EXPECT_EQ(view.note, "Astra S\xC3\xBC"
                         "d: 11494 MHz H 22000\n<String85>")
        << "in UTF-8, as the texts it joins";
    session.ShowLockState(1);
    EXPECT_EQ(view.note, "") << "not locked at all";
}

// A database file that could not be read whole is reported, and the first
// save over it asks: No saves nothing and keeps the changes pending, also at
// the exit question; Yes keeps the old
// bytes as "<name>.bak", replacing an older backup, and is not asked again.
TEST_F(ReceiverSessionTest, UnreadDatabaseFileIsReplacedOnlyWithTheUsersConsent)
{
    const std::string damaged = std::string("\1\0\0\0", 4) + "Astra";   // one satellite, cut in its block
    ASSERT_TRUE(scratch.Write("satedata.dll", damaged));
    ASSERT_TRUE(scratch.Write("satedata.dll.bak", "an older backup"));
    StartCard(kSatelliteCard);
    const std::string file = session.Database().FilePath();
    session.ReportUnreadDatabase();
    EXPECT_EQ(view.errorText, "<String74>\n" + file + "\n\n<String75>");

    view.replaceUnreadFile = false;
    session.MarkSettingsChanged(1);
    log.Clear();
    EXPECT_FALSE(session.Apply());
    EXPECT_FALSE(session.Ok());
    EXPECT_FALSE(session.RunExitQuestion()) << "the program goes on";
    EXPECT_EQ(log.Count("Ask(<String74>)"), 3);
    EXPECT_EQ(view.questionText, "<String74>\n" + file + "\n\n<String76>\n" + BackupFilePath(file) + "\n\n<String77>");
    EXPECT_EQ(log.Count("WriteSettings") + log.Count("Tell") + log.Count("HideToTray"), 0);
    EXPECT_TRUE(session.HasPendingChanges());
    EXPECT_EQ(scratch.Read("satedata.dll"), damaged);
    EXPECT_EQ(scratch.Read("satedata.dll.bak"), "an older backup");

    view.replaceUnreadFile = true;
    log.Clear();
    EXPECT_TRUE(session.Ok());
    EXPECT_EQ(log.Count("Ask(<String74>)"), 1);
    EXPECT_EQ(log.Count("HideToTray"), 1);
    EXPECT_FALSE(session.HasPendingChanges());
    EXPECT_EQ(scratch.Read("satedata.dll.bak"), damaged);
    EXPECT_EQ(scratch.Read("satedata.dll").size(), 4u + 68u) << "the list shown: Astra";

    session.MarkSettingsChanged(1);
    log.Clear();
    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(log.Count("Ask(<String74>)"), 0) << "asked once";
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
    EXPECT_EQ(log.Count("Tell"), 1);

    ASSERT_TRUE(scratch.Write("satedata.dll", std::string(4, '\0')));
    log.Clear();
    EXPECT_TRUE(session.Restore());
    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(log.Count("Tell") + log.Count("Ask(<String74>)"), 0);
    EXPECT_FALSE(std::filesystem::exists(scratch.Path("satedata.dll.bak")));
}

}   // namespace
