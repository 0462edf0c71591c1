#include "common/FieldText.h"
#include "database/SatelliteListRules.h"
#include "tuning/ImportSummary.h"
#include "tuning/TuningListImport.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every satellite with its transponders and values, the current ones marked
// with "*": what an import must leave alone when it fails.
std::string Describe(const CChannelDatabase& database)
{
    std::string text;
    for (const SatelliteRecord* s = database.Root()->firstSatellite; s; s = s->next) {
        text += (s == database.CurrentSatellite() ? "*" : "") + std::string(FieldText(s->name)) + "(" +
                std::to_string(s->degree) + "):";
        for (const TransponderRecord* t = s->firstTransponder; t; t = t->next) {
            text += (t == database.CurrentTransponder() ? " *" : " ") + std::string(FieldText(t->name)) + "=" +
                    std::to_string(t->frequency) + "/" + std::to_string(t->symbolRate) + "/" +
                    std::to_string(t->polarity);
        }
        text += ";";
    }
    return text;
}

// The list imported into one satellite or channel, Describe() afterwards and the counts.
struct ImportCase {
    const char* label;
    int deviceKind;
    const char *list, *expected;
    std::size_t added, already, refused, other;
};

// A database with one satellite holding one transponder, or the "Default" channel.
void LoadOneEntry(CChannelDatabase& database, int deviceKind)
{
    database.Load("");
    if (deviceKind == kSatelliteCard)
        ImportTuningList(database, deviceKind, "S 11000000 V 27500000", "Astra.ini");
    EnsureDefaultChannel(database, deviceKind);
}

const ImportCase kImportCases[] = {
    {"ini with comments, CR LF, a wrong count, circular and S2 entries", kSatelliteCard,
     "; list\r\n[SATTYPE]\r\n1=0192\r\n2=Astra\r\n\r\n[DVB]\r\n0=9\r\n1=10714,H,22000,56\r\n2=10729,L,22000\r\n"
     "3=11000,R,27500\r\n4=10744,V,22000,23,S2,8PSK\r\n",
     "*Astra(0): 11000V/27500=11000/27500/0 *10714H/22000=10714/22000/1 10729H/22000=10729/22000/1 "
     "10744V/22000=10744/22000/0;",
     3, 1, 0, 0},
    {"ini: broken, out-of-range and overflowing lines refused", kSatelliteCard,
     "[DVB]\n1=949,H,22000\n2=10714,X,22000\n3=99999999999999999999999,V,22000\n4=10714,H,45001\nfoo\n5=12000,V,900\n",
     "*Astra(0): 11000V/27500=11000/27500/0 *12000V/900=12000/900/0;", 1, 0, 5, 0},
    {"blocks: kHz and Hz satellite frequencies, other systems apart", kSatelliteCard,
     "[A]\nDELIVERY_SYSTEM = DVBS2\nFREQUENCY = 12551500\nPOLARIZATION = VERTICAL\nSYMBOL_RATE = 22000000\n"
     "[B]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 474000000\n[C]\nDELIVERY_SYSTEM = ISDBT\n"
     "[D]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 10714000000\n\tPOLARIZATION = LEFT\n\tSYMBOL_RATE = 22000000\n",
     "*Astra(0): 11000V/27500=11000/27500/0 *12552V/22000=12552/22000/0 10714H/22000=10714/22000/1;", 2, 0, 0, 2},
    {"lines: satellite list on a cable card", kCableCard, "S 12551500 V 22000000 5/6\nS2 10714000 H 22000000\n",
     "*Default(3600): *=473000/6500/16;", 0, 0, 0, 2},
    {"blocks: cable channels named from the list, Auto and duplicates", kCableCard,
     "[News]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 482000000\nSYMBOL_RATE = 6900000\nMODULATION = QAM/AUTO\n"
     "[Sport]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 482000000\nSYMBOL_RATE = 6900000\n"
     "[default]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 490000000\nSYMBOL_RATE = 6900000\n"
     "[Far]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 874000000\nSYMBOL_RATE = 6900000\n"
     "[Odd]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 498000000\nSYMBOL_RATE = 6900000\nMODULATION = QAM/512\n"
     "[Bad]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 506000000\ngarbage\n"
     "[Wrap]\nDELIVERY_SYSTEM = DVBC/ANNEX_A\nFREQUENCY = 4295465296000\nSYMBOL_RATE = 6900000\n",
     "Default(3600): =473000/6500/16;*News(3600): *=482000/6900/0;", 1, 1, 5, 0},
    {"lines: terrestrial channels named by frequency", kTerrestrialCard,
     "# comment\nT 474000000 8MHz 2/3 NONE QAM64 8k 1/8 NONE\nT2 0 482000000 7MHz\nT 490000000 AUTO\n"
     "T 498000000 5MHz\nC 474000000 6900000 NONE QAM64\nX 1 2 3\n",
     "Default(3600): =51000/6/0;*474000 kHz(3600): *=474000/8/0;482000 kHz(3600): =482000/7/0;"
     "490000 kHz(3600): =490000/0/0;",
     3, 0, 2, 1},
};

class TuningListImport : public testing::TestWithParam<ImportCase> {};

}   // namespace

TEST_P(TuningListImport, TakesSkipsRefusesAndCountsApart)
{
    const ImportCase& c = GetParam();
    CChannelDatabase database;
    LoadOneEntry(database, c.deviceKind);
    const ImportReport report = ImportTuningList(database, c.deviceKind, c.list, "Astra.ini");
    EXPECT_EQ(Describe(database), c.expected);
    EXPECT_EQ(report.added, c.added);
    EXPECT_EQ(report.alreadyThere, c.already);
    EXPECT_EQ(report.refused, c.refused);
    EXPECT_EQ(report.otherSystem, c.other);
    EXPECT_EQ(report.effects.markSettingsChanged, c.added > 0);
    EXPECT_EQ(report.outcome, c.added + c.already > 0 ? ImportOutcome::Imported : ImportOutcome::NothingUsable);
}

INSTANTIATE_TEST_SUITE_P(Lists, TuningListImport, testing::ValuesIn(kImportCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(TuningListImportSummary, CountsAndTheFirstRefusedLinesInTheLanguageOrEnglish)
{
    CChannelDatabase database;
    LoadOneEntry(database, kSatelliteCard);
    std::string list = "[DVB]\n1=11000,V,27500\n2=12000,H,27500\n";
    for (int i = 0; i < 6; ++i)
        list += "x=1\n";
    const ImportReport report = ImportTuningList(database, kSatelliteCard, list, "a.ini");
    const std::string summary = ImportSummaryText(report, [](const char* key, const char* english) {
        return std::string(key) == "String50" ? std::string("Neu:") : std::string(english);
    });
    EXPECT_EQ(summary,
              "Neu: 1\r\nAlready in the list, skipped: 1\r\nRefused: 6\r\nOf another delivery system, skipped: 0\r\n"
              "Line 4: unreadable or unsupported entry\r\nLine 5: unreadable or unsupported entry\r\n"
              "Line 6: unreadable or unsupported entry\r\nLine 7: unreadable or unsupported entry\r\n"
              "Line 8: unreadable or unsupported entry\r\n...\r\n");
}
