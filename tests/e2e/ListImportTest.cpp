// Import... on each kind of card, through the system's Open dialog: the
// summary counts what was taken, skipped and counted apart, and a channel or
// transponder taken from the list locks with Lock Test.
#include "tests/e2e/Scenario.h"

namespace {

struct ImportScenario {
    const char* name;
    const char* lineUp;   // simulator line-up of the demo folder
    const char* onAir;    // further channels on air
    const char* list;     // a file of the demo folder, or "name|text" written for the run
    int importButton;
    int lockButton;
    const char* summary;
    const char* lock;   // the LockChannel3 call the taken entry makes
};

const ImportScenario kScenarios[] = {
    {"ImportSatelliteIni", "Quarlink.ini", "", "Astra 19.2E.ini", IDC_DISH_IMPORT, IDC_DISH_LOCK_TEST,
     "Added: 1\r\nAlready in the list, skipped: 2\r\nRefused: 0\r\n", "LockChannel3(11836,27500,1,"},
    {"ImportCableBlocks", "cable.ini", "", "cable-channels.conf", IDC_CABLE_IMPORT, IDC_CABLE_LOCK_TEST,
     "Added: 2\r\nAlready in the list, skipped: 1\r\nRefused: 0\r\nOf another delivery system, "
     "skipped: 1",
     "LockChannel3(498000,6900,64,"},
    {"ImportTerrestrialLines", "terrestrial.ini", "[Channel 546000]\nFrequency=546000\nBandwidth=8\n",
     "dtt.txt|T 546000000 8MHz 2/3 NONE QAM64 8k 1/8 NONE\nT 506000000 8MHz\nT 900000000 8MHz\n"
     "S 11836000 H 27500000 3/4\n",
     IDC_DTT_IMPORT, IDC_DTT_LOCK_TEST,
     "Added: 1\r\nAlready in the list, skipped: 1\r\nRefused: 1\r\nOf another delivery system, skipped: 1\r\n"
     "Line 3: value outside the accepted range",
     "LockChannel3(546000,8,"},
};

class ListImport : public testing::TestWithParam<ImportScenario> {};

}   // namespace

TEST_P(ListImport, OpenDialogToSummaryAndATakenEntryLocks)
{
    const ImportScenario& s = GetParam();
    LumisatRun run(s.name);
    std::string list = s.list;
    if (const size_t bar = list.find('|'); bar != std::string::npos) {
        run.WriteFile(list.substr(0, bar), list.substr(bar + 1));
        list = list.substr(0, bar);
    } else {
        run.WriteFile(list, DemoFile(list));
    }
    ASSERT_TRUE(StartDemo(run, s.lineUp, s.onAir));
    run.WaitForStartupLock();
    if (s.importButton == IDC_DISH_IMPORT)
        ASSERT_TRUE(run.ShowTab(kDishTab, s.importButton));

    Click(run.Control(s.importButton));
    ASSERT_TRUE(run.AnswerFileDialog(run.PathOf(list)));
    const std::string summary = run.AnswerNextBox(IDOK);
    EXPECT_NE(summary.find(s.summary), std::string::npos) << summary;
    EXPECT_TRUE(run.ApplyEnabled());

    const size_t from = run.LogSize();
    Click(run.Control(s.lockButton));
    ASSERT_TRUE(run.WaitForCall(s.lock, from));
    const std::string lock = run.CallsFrom(s.lock, from).front();
    EXPECT_NE(lock.find(") = 0"), std::string::npos) << lock;
}

INSTANTIATE_TEST_SUITE_P(Cards, ListImport, testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });
