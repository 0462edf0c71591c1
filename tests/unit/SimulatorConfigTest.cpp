#include "SimulatorTestSupport.h"

#include "simulator/CardConfig.h"
#include "simulator/ConfigValues.h"
#include "simulator/IniText.h"
#include "tests/unit/SourceTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace quarlink;

namespace {

bool AnyWarningContains(const std::vector<std::string>& warnings, const std::string& part)
{
    for (const std::string& warning : warnings) {
        if (warning.find(part) != std::string::npos)
            return true;
    }
    return false;
}

std::string ReadDemo(const std::string& name)
{
    std::ifstream file(SourceFolder() / "simulator" / "demo" / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

TEST(SimulatorIni, ReadsAllLineEndsCommentsAndRepeatedEntries)
{
    const IniText ini = IniText::Parse("\xEF\xBB\xBF[Card]\r\nKind = 5\r\n; note\n# note\r[Transponder]\n"
                                       "Pid=1\nPid=2\n[transponder 2]\nPid=3\n[Card]\nkind=7");
    EXPECT_TRUE(ini.Warnings().empty());
    ASSERT_NE(ini.Find("card", "KIND"), nullptr);
    EXPECT_EQ(ini.Find("card", "KIND")->value, "7") << "the last value wins";
    EXPECT_EQ(ini.Find("Card", "Kind")->line, 11);
    const auto transponders = ini.SectionsNamed("Transponder");
    ASSERT_EQ(transponders.size(), 2u);
    EXPECT_EQ(transponders[0]->entries.size(), 2u);
    EXPECT_EQ(transponders[1]->entries[0].value, "3");
    EXPECT_TRUE(ini.SectionsNamed("Trans").empty());
}

TEST(SimulatorIni, ReportsAndSkipsHostileLines)
{
    const std::string overlong = "Kind=" + std::string(kMaxIniLineLength, '7');
    const IniText ini = IniText::Parse("Kind=1\n[Card\nKind=2\n[]\nKind=3\n[Card]\njust words\n=5\n" + overlong
                                       + "\nKind=\x01" "4\nDeviceType=\n");
    EXPECT_EQ(ini.Find("Card", "Kind"), nullptr) << "nothing reached a valid [Card]";
    ASSERT_NE(ini.Find("Card", "DeviceType"), nullptr);
    EXPECT_EQ(ini.Find("Card", "DeviceType")->value, "");
    EXPECT_EQ(ini.Warnings().size(), 9u);
    EXPECT_TRUE(AnyWarningContains(ini.Warnings(), "line 1: entry outside"));
    EXPECT_TRUE(AnyWarningContains(ini.Warnings(), "line 2: bad section header"));
    EXPECT_TRUE(AnyWarningContains(ini.Warnings(), "line 9: longer than 1024"));
    EXPECT_TRUE(AnyWarningContains(ini.Warnings(), "line 10: control characters"));

    const std::string binary("\0\0[Card]\0Kind=3", 15);
    EXPECT_NO_THROW(IniText::Parse(binary));
    EXPECT_TRUE(IniText::Parse("").Sections().empty());
}

TEST(SimulatorIni, ValueReadersTakeWholeValuesOnly)
{
    EXPECT_EQ(ParseInteger("0x1FFE"), 0x1FFE);
    EXPECT_EQ(ParseInteger("-12"), -12);
    EXPECT_FALSE(ParseInteger("12abc"));
    EXPECT_FALSE(ParseInteger("--1"));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_EQ(ParseDecimal("-5.5"), -5.5);
    EXPECT_EQ(ParseDecimal(".5"), 0.5);
    EXPECT_FALSE(ParseDecimal("nan"));
    EXPECT_FALSE(ParseDecimal("inf"));
    EXPECT_FALSE(ParseDecimal("1e400"));
    EXPECT_TRUE(ParseMac("00:1a:2B-3c:4D:5e"));
    EXPECT_FALSE(ParseMac("00-1A-2B-3C-4D"));
    EXPECT_FALSE(ParseMac("00-1A-2B-3C-4D-5G"));
    EXPECT_FALSE(ParseMac("00-1A-2B-3C-4D-5E-"));
    EXPECT_EQ(ParsePolarity("l"), 1);
    EXPECT_EQ(ParsePolarity("R"), 0);
    EXPECT_FALSE(ParsePolarity("X"));
}

TEST(SimulatorConfig, MissingKeysKeepTheDefaults)
{
    const CardConfig config = ReadCardConfig("");
    EXPECT_TRUE(config.warnings.empty());
    EXPECT_EQ(config.ciInfo, 0);
    EXPECT_EQ(config.deviceType, 2);
    EXPECT_EQ(config.lockTimeMs, 300u);
    EXPECT_TRUE(config.carriers.empty());
    EXPECT_TRUE(config.switchInputs.empty());
    EXPECT_EQ(config.direct, kNoSatellite);
    EXPECT_EQ(config.Kind(), CardKind::Satellite);
}

TEST(SimulatorConfig, BadValuesWarnAndKeepTheDefaults)
{
    const CardConfig config = ReadCardConfig(
        "[Card]\nKind=abc\nLockTimeMs=-5\nMAC=zz\nColour=blue\n[Signal]\nNoise=1000\n[Site]\nLatitude=91\n"
        "[Switch]\nLNB A=19.2Q\nLNB B=Motor\n[Weather]\nRain=1\n");
    EXPECT_EQ(config.ciInfo, 0);
    EXPECT_EQ(config.lockTimeMs, 300u);
    EXPECT_EQ(config.cardMac[0], 0x00);
    EXPECT_EQ(config.signal.noise, 3);
    EXPECT_EQ(config.motor.siteLatitude, 52.0);
    ASSERT_EQ(config.switchInputs.size(), 4u);
    EXPECT_EQ(config.switchInputs[0], kNoSatellite);
    EXPECT_EQ(config.switchInputs[1], kMotorisedDish);
    EXPECT_EQ(config.warnings.size(), 8u);
    EXPECT_TRUE(AnyWarningContains(config.warnings, "line 2: Kind = \"abc\""));
    EXPECT_TRUE(AnyWarningContains(config.warnings, "unknown key in [Card]"));
    EXPECT_TRUE(AnyWarningContains(config.warnings, "unknown section [Weather]"));
}

TEST(SimulatorConfig, IncompleteCarriersAndBadPidsAreLeftOut)
{
    const CardConfig config = ReadCardConfig(
        "[Transponder]\nSatellite=19.2E\nFrequency=11494\nPolarity=H\n"
        "[Transponder]\nSatellite=19.2E\nFrequency=11494\nPolarity=H\nSymbolRate=22000\n"
        "Pid=256 2000 02-00-5E-00-01-01,02-00-5E-00-01-02\nPid=256 100\nPid=8192 10\nPid=300\n"
        "Pid=301 10 02-00-5E\n"
        "[Channel]\nFrequency=474000\n");
    ASSERT_EQ(config.carriers.size(), 1u);
    const Carrier& carrier = config.carriers[0];
    EXPECT_EQ(carrier.satellite, 192);
    EXPECT_EQ(carrier.polarity, 1);
    ASSERT_EQ(carrier.pids.size(), 1u);
    EXPECT_EQ(carrier.pids[0].kbps, 2000u);
    EXPECT_EQ(carrier.pids[0].macs.size(), 2u);
    EXPECT_TRUE(AnyWarningContains(config.warnings, "has no SymbolRate"));
    EXPECT_TRUE(AnyWarningContains(config.warnings, "repeats a PID"));
    EXPECT_TRUE(AnyWarningContains(config.warnings, "is for cable and terrestrial cards"));
    EXPECT_EQ(config.warnings.size(), 6u);
}

TEST(SimulatorConfig, CableAndTerrestrialChannels)
{
    const CardConfig cable = ReadCardConfig("[Card]\nKind=5\n[Channel]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n"
                                            "[Channel]\nFrequency=482000\nBandwidth=8\n");
    EXPECT_EQ(cable.Kind(), CardKind::Cable);
    ASSERT_EQ(cable.carriers.size(), 1u);
    EXPECT_EQ(cable.carriers[0].qam, 64u);

    const CardConfig terrestrial = ReadCardConfig("[Card]\nKind=7\n[Channel 1]\nFrequency=506000\nBandwidth=8\n");
    EXPECT_EQ(terrestrial.Kind(), CardKind::Terrestrial);
    ASSERT_EQ(terrestrial.carriers.size(), 1u);
    EXPECT_EQ(terrestrial.carriers[0].bandwidth, 8u);
    EXPECT_EQ(KindOfCiInfo(4), CardKind::Satellite);
    EXPECT_EQ(KindOfCiInfo(-3), CardKind::Satellite);
    EXPECT_EQ(KindOfCiInfo(6), CardKind::Cable);
}

TEST(SimulatorConfig, DemoConfigurationsReadWithoutWarnings)
{
    for (const char* name : {"Quarlink.ini", "cable.ini", "terrestrial.ini"}) {
        const std::string text = ReadDemo(name);
        ASSERT_FALSE(text.empty()) << name;
        const CardConfig config = ReadCardConfig(text);
        EXPECT_TRUE(config.warnings.empty()) << name << ": " << (config.warnings.empty() ? "" : config.warnings[0]);
        EXPECT_GE(config.carriers.size(), 2u) << name;
    }
}

TEST(SimulatorConfig, DemoLineUpsLockTheDemoDatabases)
{
    SimulatedCard satellite(ReadDemo("Quarlink.ini"));
    EXPECT_EQ(satellite.LockSatellite(11494, 22000, 1, 1), 0);
    EXPECT_EQ(satellite.LockSatellite(11362, 22000, 1, 1), 0);
    EXPECT_EQ(satellite.LockSatellite(10971, 29700, 1, 2), 0);
    EXPECT_EQ(satellite.LockSatellite(11034, 27500, 0, 2), 0);
    EXPECT_EQ(satellite.LockSatellite(10773, 22000, 1, 3), 0);
    EXPECT_NE(satellite.LockSatellite(10773, 22000, 1, 1), 0);

    SimulatedCard cable(ReadDemo("cable.ini"));
    EXPECT_EQ(cable.card.LockChannel3(474000, 6900, 64, 0, 0, 0, 0), 0);
    EXPECT_EQ(cable.card.LockChannel3(482000, 6875, 256, 0, 0, 0, 0), 0);
    EXPECT_NE(cable.card.LockChannel3(330000, 0, 64, 0, 0, 0, 0), 0);
    EXPECT_EQ(cable.card.LockChannel3(330000, 0, 256, 0, 0, 0, 0), 0) << "found by the QAM search";

    SimulatedCard terrestrial(ReadDemo("terrestrial.ini"));
    EXPECT_EQ(terrestrial.card.LockChannel3(506000, 8, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(terrestrial.card.LockChannel3(626000, 8, 0, 0, 0, 0, 0), 0);
    EXPECT_NE(terrestrial.card.LockChannel3(177500, 6, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(terrestrial.card.LockChannel3(177500, 7, 0, 0, 0, 0, 0), 0) << "found by the bandwidth search";
}
