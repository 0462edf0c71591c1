#include "tests/unit/ScriptedDriver.h"
#include "tuning/SwitchCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SwitchCommandRules : public testing::Test {
protected:
    ScriptedDriver driver;
    SatelliteRecord satellite;
    TransponderRecord transponder;
    std::vector<std::string> trace;
    std::vector<int> pauses;

    TraceSink Sink() { return [this](const std::string& line) { trace.push_back(line); }; }
    PauseFunction Pause() { return [this](int milliseconds) { pauses.push_back(milliseconds); }; }
    std::string SwitchCall(std::int32_t port, std::int32_t polarity)
    {
        satellite.diseqcPort = port;
        transponder.polarity = polarity;
        driver.ClearCalls();
        SendDiseqcSwitch(driver, &satellite, &transponder, Sink(), Pause());
        const auto calls = driver.Calls();
        return calls.empty() ? std::string() : calls.back();
    }
};

}  // namespace

// Committed switch command E0 10 38 with the port's bits and the
// polarisation's; a port outside 1 to 4 (0 is Disable) sends port 1.
TEST_F(SwitchCommandRules, DataByteByPortAndPolarity)
{
    const std::tuple<int, int, const char*> calls[] = {
        {0, 1, "SetDiseCom2(E0,10,38,F0)"}, {1, 1, "SetDiseCom2(E0,10,38,F2)"}, {2, 9, "SetDiseCom2(E0,10,38,F6)"},
        {3, 0, "SetDiseCom2(E0,10,38,F8)"}, {4, 1, "SetDiseCom2(E0,10,38,FE)"}, {5, 1, "SetDiseCom2(E0,10,38,F0)"},
        {-1, 1, "SetDiseCom2(E0,10,38,F0)"}, {4, 0, "SetDiseCom2(E0,10,38,FC)"}};
    for (const auto& [port, polarity, call] : calls)
        EXPECT_EQ(SwitchCall(port, polarity), call) << port << " " << polarity;
}

TEST_F(SwitchCommandRules, TonePowerArgumentsAndTrace)
{
    satellite.tone22k = 1;
    satellite.lnbPower = 0;
    EXPECT_EQ(SendTonePower(driver, &satellite, &transponder, Sink()), 1);
    EXPECT_EQ(driver.Calls(), (std::vector<std::string>{"SetDiseCom1(1,0,0,0)"}));
    EXPECT_EQ(trace, (std::vector<std::string>{".....Send 22Hz_LNBPower.....22kHz:Enable,LNBPower:Disable\n",
                                               "Send 22Hz_LNBPower Return Ok.\n"}));

    satellite.tone22k = 7;   // above 0 counts as on
    satellite.lnbPower = -1; // not above 0 counts as off
    trace.clear();
    driver.SetResult("SetDiseCom1", 5);
    EXPECT_EQ(SendTonePower(driver, &satellite, &transponder, Sink()), 1);
    EXPECT_EQ(driver.Calls().back(), "SetDiseCom1(1,0,0,0)");
    EXPECT_EQ(trace.back(), "Send 22Hz_LNBPower Return Fail.\n");

    satellite.tone22k = 0;
    satellite.lnbPower = 1;
    trace.clear();
    SendTonePower(driver, &satellite, &transponder, Sink());
    EXPECT_EQ(driver.Calls().back(), "SetDiseCom1(0,0,0,1)");
    EXPECT_EQ(trace.front(), ".....Send 22Hz_LNBPower.....22kHz:Disable,LNBPower:Enable\n");
}

TEST_F(SwitchCommandRules, LockOrderSendsTonePowerAroundTheSwitch)
{
    satellite.tone22k = 1;
    satellite.lnbPower = 0;
    satellite.diseqcPort = 4;
    transponder.polarity = 1;
    SendTonePower(driver, &satellite, &transponder, Sink());
    SendDiseqcSwitch(driver, &satellite, &transponder, Sink(), Pause());
    SendTonePower(driver, &satellite, &transponder, Sink());
    EXPECT_EQ(driver.Calls(), (std::vector<std::string>{"SetDiseCom1(1,0,0,0)", "SetDiseCom2(E0,10,38,FE)",
                                                        "SetDiseCom1(1,0,0,0)"}));
}
