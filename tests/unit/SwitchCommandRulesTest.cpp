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

    std::string SwitchCall(std::int32_t port, std::int32_t polarity)
    {
        satellite.diseqcPort = port;
        transponder.polarity = polarity;
        driver.ClearCalls();
        SendDiseqcSwitch(driver, &satellite, &transponder, nullptr, nullptr);
        const auto calls = driver.Calls();
        return calls.empty() ? std::string() : calls.back();
    }
};

}   // namespace

// Committed switch command E0 10 38 with the port's bits and the
// polarisation's; a port outside 1 to 4 (0 is Disable) sends port 1.
TEST_F(SwitchCommandRules, DataByteByPortAndPolarity)
{
    const std::tuple<int, int, const char*> calls[] = {
        {0, 1, "SetDiseCom2(E0,10,38,F0)"}, {1, 1, "SetDiseCom2(E0,10,38,F2)"}, {2, 9, "SetDiseCom2(E0,10,38,F6)"},
        {3, 0, "SetDiseCom2(E0,10,38,F8)"}, {4, 1, "SetDiseCom2(E0,10,38,FE)"}, {5, 1, "SetDiseCom2(E0,10,38,F0)"},
        {4, 0, "SetDiseCom2(E0,10,38,FC)"}};
    for (const auto& [port, polarity, call] : calls)
        EXPECT_EQ(SwitchCall(port, polarity), call) << port << " " << polarity;
}

// Tone and supply are on for values above 0; the card's answer is not the
// caller's business.
TEST_F(SwitchCommandRules, TonePowerArguments)
{
    const std::tuple<int, int, int, const char*> cases[] = {
        {1, 0, 0, "SetDiseCom1(1,0,0,0)"}, {7, -1, 5, "SetDiseCom1(1,0,0,0)"}, {0, 1, 0, "SetDiseCom1(0,0,0,1)"}};
    for (const auto& [tone, power, answer, call] : cases) {
        satellite.tone22k = tone;
        satellite.lnbPower = power;
        driver.SetResult("SetDiseCom1", answer);
        driver.ClearCalls();
        EXPECT_EQ(SendTonePower(driver, &satellite, &transponder, nullptr), 1) << call;
        EXPECT_EQ(driver.Calls(), std::vector<std::string>{call});
    }
}
