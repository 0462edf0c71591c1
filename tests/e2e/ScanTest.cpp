// The scans with the simulator holding a few carriers on the air: the band
// scans find exactly those on their plan, a cancel stops within one step,
// the channels found are pending until Apply; the satellite check reports
// exactly the transponders the card locks and removes the others only when
// asked. Every scan pauses reception and locks the current channel or
// transponder again at its end. (The plans themselves, the Step's among
// them, are the unit tests'.)
#include "tests/e2e/Scenario.h"

#include <cstdlib>
#include <set>

namespace {

using Frequencies = std::set<int>;

int FrequencyOf(const std::string& lockLine)
{
    return std::atoi(lockLine.c_str() + std::string("LockChannel3(").size());
}

// The calls of a scan: from the filter's stop to the lock that follows its last step.
struct ScanCalls {
    Frequencies tried;
    Frequencies locked;
    Lines others;   // every call but the locks and the reading after each
    bool readingAfterEachLockOnly = true;
};

ScanCalls CallsBetween(const Lines& lines, size_t from, size_t to)
{
    ScanCalls calls;
    for (size_t i = from; i < to && i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.rfind("LockChannel3(", 0) == 0) {
            calls.tried.insert(FrequencyOf(line));
            if (line.find(") = 0") != std::string::npos)
                calls.locked.insert(FrequencyOf(line));
        } else if (line.rfind("GetSignalStrAndQu(", 0) == 0) {
            // A poll of the signal timer would come without a lock before it.
            calls.readingAfterEachLockOnly =
                calls.readingAfterEachLockOnly && i > from && lines[i - 1].rfind("LockChannel3(", 0) == 0;
        } else {
            calls.others.push_back(line);
        }
    }
    return calls;
}

Frequencies TerrestrialRaster()
{
    Frequencies raster;
    for (int frequency = 177500; frequency <= 226500; frequency += 7000)
        raster.insert(frequency);
    for (int frequency = 474000; frequency <= 858000; frequency += 8000)
        raster.insert(frequency);
    return raster;
}

std::string TerrestrialCarrier(int frequency, int bandwidth)
{
    return "[Channel]\nFrequency=" + std::to_string(frequency) + "\nBandwidth=" + std::to_string(bandwidth) + "\n";
}

std::string CableCarrier(int frequency, int symbolRate, int qam)
{
    return "[Channel]\nFrequency=" + std::to_string(frequency) + "\nSymbolRate=" + std::to_string(symbolRate) +
           "\nQAM=" + std::to_string(qam) + "\n";
}

std::string TextOnClipboard()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            char bytes[4096] = {};
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}   // namespace

TEST(Scans, TerrestrialRasterFindsExactlyTheCarriersOnItAndKeepsThemUntilApply)
{
    LumisatRun run("scan_terrestrial");
    // 533 MHz lies between two channels of the raster: no lock finds it there.
    run.WriteIni(CardIni(kTerrestrialKind,
                         TerrestrialCarrier(177500, 7) + TerrestrialCarrier(506000, 8) + TerrestrialCarrier(626000, 8) +
                             TerrestrialCarrier(858000, 8) + TerrestrialCarrier(533000, 8),
                         30));
    const FileSatellite home = Channel("Home", 506000, 8, 0);
    run.WriteFile(DatabaseFile(kTerrestrialKind), SatelliteFileBytes({home}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));

    // The Step is no setting: typing in it leaves Apply off; a step out of range is refused.
    HWND step = run.Control(IDC_DTT_STEP);
    SetText(step, "9");
    EXPECT_FALSE(run.ApplyEnabled());
    size_t from = run.LogSize();
    Click(run.Control(IDC_DTT_FULL_SCAN));
    EXPECT_EQ(run.AnswerNextBox(IDOK),
              "Step must be a whole number of MHz from 1 to 8, or empty for the European channel raster.");
    EXPECT_EQ(FindLine(run.CallLogLines(), "StopFilter(", from), std::string::npos) << "nothing reached the card";
    SetText(step, "");

    from = run.LogSize();
    Click(run.Control(IDC_DTT_FULL_SCAN));
    HWND progress = run.WaitForDialogWith(IDC_SCAN_PROGRESS_BAR, "Channel scan", seconds(30));
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(progress, IDC_SCAN_NOTE)), "Reception pauses while the scan runs.");
    EXPECT_EQ(run.AnswerNextBox(IDOK, seconds(60)),
              "Frequencies tried: 56\r\nAdded: 3\r\nAlready in the list, skipped: 1\r\n\r\n"
              "The new channels are kept until Apply or OK; Restore takes them back.");

    const Lines lines = run.CallLogLines();
    const size_t stop = FindLine(lines, "StopFilter(", from);
    const size_t relock = FindLine(lines, "LockChannel3(506000,", from);
    ASSERT_NE(relock, std::string::npos) << "the current channel is locked again";
    EXPECT_TRUE(HasInOrder(
        lines, {"StopFilter(", "LockChannel3(177500,", "LockChannel3(506000,8,0,0,0,0,0) = 0", "StartFilter() = 0"},
        from))
        << "reception pauses before the first step and goes on after the last";
    const ScanCalls scan = CallsBetween(lines, stop + 1, relock);
    Frequencies raster = TerrestrialRaster();
    raster.erase(506000);
    EXPECT_EQ(scan.tried, raster) << "the raster but the channel in the list";
    EXPECT_EQ(scan.locked, (Frequencies{177500, 626000, 858000}));
    EXPECT_TRUE(scan.readingAfterEachLockOnly) << "no signal poll while the scan runs";
    EXPECT_EQ(scan.others, Lines{}) << "no statistics or other call while the scan runs";

    // Pending until Apply, the channel locked before still current.
    HWND channels = run.Control(IDC_MAIN_SATELLITE_COMBO);
    EXPECT_EQ(ComboTexts(channels), (Lines{"Home", "177500 kHz", "626000 kHz", "858000 kHz"}));
    EXPECT_EQ(ComboSelection(channels), 0);
    EXPECT_TRUE(run.ApplyEnabled());
    EXPECT_EQ(run.ReadFile(DatabaseFile(kTerrestrialKind)), SatelliteFileBytes({home}));
    ASSERT_TRUE(run.Apply());
    EXPECT_EQ(run.ReadFile(DatabaseFile(kTerrestrialKind)),
              SatelliteFileBytes({home, Channel("177500 kHz", 177500, 7, 0), Channel("626000 kHz", 626000, 8, 0),
                                  Channel("858000 kHz", 858000, 8, 0)}))
        << "named as imports name them, with the bandwidth that locked";
}

TEST(Scans, CableCancelStopsWithinOneStepAndKeepsWhatItFound)
{
    LumisatRun run("scan_cable_cancel");
    run.WriteIni(CardIni(kCableKind,
                         CableCarrier(73000, 6900, 64) + CableCarrier(121000, 6875, 256) +
                             CableCarrier(330000, 6900, 64) + CableCarrier(474000, 6900, 256),
                         80));
    const FileSatellite home = Channel("Home", 474000, 6900, 256);
    run.WriteFile(DatabaseFile(kCableKind), SatelliteFileBytes({home}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();

    const size_t from = run.LogSize();
    Click(run.Control(IDC_CABLE_FULL_SCAN));
    HWND progress = run.WaitForDialogWith(IDC_SCAN_PROGRESS_BAR, "Channel scan", seconds(30));
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(run.WaitForCall("LockChannel3(121000,0,256,0,0,0,0) = 0", from, seconds(30)));
    SendNotification(GetDlgItem(progress, IDCANCEL), BN_CLICKED);
    const size_t cancelled = run.LogSize();
    const std::string summary = run.AnswerNextBox(IDOK, seconds(30));
    EXPECT_EQ(summary.rfind("Frequencies tried: ", 0), 0u) << summary;
    EXPECT_NE(
        summary.find("\r\nAdded: 2\r\nAlready in the list, skipped: 1\r\n\r\nCancelled: the rest was not tried.\r\n"),
        std::string::npos)
        << summary;

    const Lines lines = run.CallLogLines();
    const size_t relock = FindLine(lines, "LockChannel3(474000,6900,256,0,0,0,0) = 0", cancelled);
    ASSERT_NE(relock, std::string::npos) << "the current channel is locked again";
    const ScanCalls afterCancel = CallsBetween(lines, cancelled, relock);
    EXPECT_LE(afterCancel.tried.size(), 1u) << "only the step in flight finishes";
    const ScanCalls scan = CallsBetween(lines, FindLine(lines, "StopFilter(", from), relock);
    EXPECT_EQ(scan.locked, (Frequencies{73000, 121000}));
    EXPECT_EQ(scan.tried.count(330000), 0u);

    EXPECT_EQ(ComboTexts(run.Control(IDC_MAIN_SATELLITE_COMBO)), (Lines{"Home", "73000 kHz", "121000 kHz"}))
        << "what was found before the cancel is kept";
}

TEST(Scans, SatelliteCheckReportsWhatLocksRemovesTheRestWhenAskedAndLocksTheCurrentAgain)
{
    LumisatRun run("scan_satellite_check");
    const std::string onAir = "[Switch]\nLNB A=19.2E\nLNB B=13.0E\n"
                              "[Transponder]\nSatellite=19.2E\nFrequency=11494\nPolarity=H\nSymbolRate=22000\n"
                              "[Transponder]\nSatellite=19.2E\nFrequency=11836\nPolarity=H\nSymbolRate=27500\n"
                              "[Transponder]\nSatellite=19.2E\nFrequency=12188\nPolarity=V\nSymbolRate=27500\n"
                              // On the air, but on the other input: not what this satellite's switch input receives.
                              "[Transponder]\nSatellite=13.0E\nFrequency=10744\nPolarity=H\nSymbolRate=22000\n";
    run.WriteIni(CardIni(kSatelliteKind, onAir, 50));
    FileSatellite astra{.name = "Astra", .degree = 192, .diseqcPort = 1};
    astra.transponders = {{"11494H/22000", 11494, 22000, 1, {}},
                          {"10744H/22000", 10744, 22000, 1, {}},
                          {"11836H/27500", 11836, 27500, 1, {}},
                          {"12188V/27500", 12188, 27500, 0, {}},
                          {"12603V/22000", 12603, 22000, 0, {}}};
    run.WriteFile(DatabaseFile(kSatelliteKind), SatelliteFileBytes({astra}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_SCAN));

    const size_t from = run.LogSize();
    Click(run.Control(IDC_DISH_SCAN));
    HWND results = run.WaitForDialogWith(IDC_SCAN_RESULT_LIST, "Satellite check", seconds(30));
    ASSERT_NE(results, nullptr);
    HWND list = GetDlgItem(results, IDC_SCAN_RESULT_LIST);
    EXPECT_EQ(ListViewTexts(list, 0),
              (Lines{"11494H/22000", "10744H/22000", "11836H/27500", "12188V/27500", "12603V/22000"}));
    EXPECT_EQ(ListViewTexts(list, 1), (Lines{"Yes", "No", "Yes", "Yes", "No"}));
    EXPECT_EQ(WindowText(GetDlgItem(results, IDC_SCAN_RESULT_SUMMARY)), "3 of 5 transponders locked.");

    // The switch commands go out when the polarisation changes, and the current transponder receives again.
    const Lines lines = run.CallLogLines();
    const size_t stop = FindLine(lines, "StopFilter(", from);
    size_t lastCheckLock = stop;
    for (int lock = 0; lock < 5; ++lock)
        lastCheckLock = FindLine(lines, "LockChannel3(", lastCheckLock + 1);
    ASSERT_NE(lastCheckLock, std::string::npos);
    EXPECT_EQ(CallsBetween(lines, stop, lastCheckLock + 1).tried, (Frequencies{10744, 11494, 11836, 12188, 12603}));
    Lines switches;
    for (size_t i = stop; i < lastCheckLock; ++i) {
        if (lines[i].rfind("SetDiseCom2(", 0) == 0)
            switches.push_back(lines[i].substr(0, lines[i].find(')') + 1));
    }
    EXPECT_EQ(switches, (Lines{"SetDiseCom2(E0,10,38,F2)", "SetDiseCom2(E0,10,38,F0)"}));
    EXPECT_TRUE(HasInOrder(
        lines, {"SetDiseCom2(E0,10,38,F2)", "LockChannel3(11494,22000,1,1,1,9750,10600) = 0", "StartFilter() = 0"},
        lastCheckLock + 1));

    // Copy: the table as tabbed lines.
    Click(GetDlgItem(results, IDC_SCAN_COPY));
    std::string copied;
    EXPECT_TRUE(WaitFor([&] { return (copied = TextOnClipboard()).find("12603V/22000") != std::string::npos; }));
    EXPECT_EQ(copied.rfind("Transponder\tLocked\tStrength\tQuality\tLock time (ms)\r\n11494H/22000\tYes\t", 0), 0u)
        << copied;

    // Removed only on Yes, pending until Apply.
    HWND frequencies = run.Control(IDC_DISH_FREQUENCY_COMBO);
    Click(GetDlgItem(results, IDC_SCAN_REMOVE_UNLOCKED));
    EXPECT_EQ(run.AnswerNextBox(IDNO), "Remove the 2 transponders that did not lock from the satellite? Nothing is "
                                       "saved until Apply, and Restore brings them back.");
    EXPECT_EQ(ComboTexts(frequencies).size(), 5u);
    Click(GetDlgItem(results, IDC_SCAN_REMOVE_UNLOCKED));
    run.AnswerNextBox(IDYES);
    EXPECT_TRUE(WaitFor([&] { return ComboTexts(frequencies) == Lines{"11494", "11836", "12188"}; }));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(results, IDC_SCAN_REMOVE_UNLOCKED)));
    EXPECT_EQ(WindowText(frequencies), "11494") << "the current transponder stays current";
    EXPECT_EQ(run.ReadFile(DatabaseFile(kSatelliteKind)), SatelliteFileBytes({astra}));
    Click(GetDlgItem(results, IDC_SCAN_CLOSE));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(results); }));
    ASSERT_TRUE(run.Apply());
    astra.transponders = {astra.transponders[0], astra.transponders[2], astra.transponders[3]};
    EXPECT_EQ(run.ReadFile(DatabaseFile(kSatelliteKind)), SatelliteFileBytes({astra}));
}

// Another program asks Lumisat to end during a scan: the progress window
// goes, the step in flight is the last thing the scan sends, nothing locks
// the channel again, and the card is released last.
TEST(Scans, ExitRequestDuringAScanEndsItAndNothingMoreReachesTheCard)
{
    LumisatRun run("scan_exit");
    run.WriteIni(CardIni(kTerrestrialKind, TerrestrialCarrier(506000, 8), 300));
    run.WriteFile(DatabaseFile(kTerrestrialKind), SatelliteFileBytes({Channel("Home", 506000, 8, 0)}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    Click(run.Control(IDC_DTT_FULL_SCAN));
    ASSERT_NE(run.WaitForDialogWith(IDC_SCAN_PROGRESS_BAR, "Channel scan", seconds(30)), nullptr);
    ASSERT_TRUE(run.WaitForCall("LockChannel3(184500,"));
    const size_t before = run.LogSize();
    ASSERT_TRUE(run.ExitsCleanly());

    const Lines lines = run.CallLogLines();
    const size_t end = FindLine(lines, "SetDiseCom1(0,0,0,0)", before);
    ASSERT_NE(end, std::string::npos);
    const ScanCalls rest = CallsBetween(lines, before, end);
    EXPECT_LE(rest.tried.size(), 1u) << "only the step in flight";
    EXPECT_EQ(rest.tried.count(506000), 0u) << "no lock after the scan";
    EXPECT_EQ(rest.others, Lines{});
}
