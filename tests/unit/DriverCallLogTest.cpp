#include "app/DriverCallLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using std::chrono::milliseconds;

// The log's lines as the sink received them; `taking` false stands for a log
// that is off or full.
struct LoggedLines {
    DriverCallLog log{[this](const std::string& line) {
        offered.push_back(line);
        if (taking)
            lines.push_back(line);
        return taking;
    }};
    std::vector<std::string> offered;
    std::vector<std::string> lines;
    bool taking = true;

    void Returned(std::string_view name, const std::string& arguments, int result, const std::string& outputs,
                  bool periodic, int ms = 1)
    {
        log.OnDriverCallReturned({name, arguments, result, outputs, milliseconds(ms), periodic});
    }
    void Poll(const std::string& outputs) { Returned("GetSignalStrAndQu", "", 0, outputs, true); }
};

TEST(DriverCallLog, CallsThatMayHangAreLoggedWhenTheyStartAndEveryAnswerWhenItArrives)
{
    LoggedLines logged;
    logged.log.OnDriverCallStarted("LockChannel3", "11494,22000,1,1,1,9750,10600", false);
    logged.log.OnDriverCallStarted("SetDataPID", "256,2,1", false);
    logged.log.OnDriverCallStarted("GetSignalStrAndQu", "", true);
    EXPECT_EQ(logged.lines, std::vector<std::string>{"Driver: LockChannel3(11494,22000,1,1,1,9750,10600) started"})
        << "commands that answer at once and polls have no start line";
    logged.Returned("SetDataPID", "256,2,1", 0, "", false, 3);
    logged.Returned("LockChannel3", "11494,22000,1,1,1,9750,10600", 7, "", false, 1503);
    logged.Returned("GetStatsCounters", "", 0, "250000,0,250000,1329,0,1329,512000", true, 0);
    logged.log.OnDriverCallRefused("DriveEast", "", "the card is busy");
    EXPECT_EQ(logged.lines, (std::vector<std::string>{
                                "Driver: LockChannel3(11494,22000,1,1,1,9750,10600) started",
                                "Driver: SetDataPID(256,2,1) = 0 in 3 ms",
                                "Driver: LockChannel3(11494,22000,1,1,1,9750,10600) = 7 in 1503 ms",
                                "Driver: GetStatsCounters() = 0 -> 250000,0,250000,1329,0,1329,512000 in 0 ms",
                                "Driver: DriveEast() refused: the card is busy",
                            }));
}

TEST(DriverCallLog, PeriodicCallsAreLoggedOnlyWhenTheirAnswerChanges)
{
    LoggedLines logged;
    for (const char* outputs : {"71,64,0,0,1", "71,64,0,0,1", "71,64,0,0,1", "70,64,0,0,1", "70,64,0,0,1"})
        logged.Poll(outputs);
    // Each PID's addresses on their own; a failed read is an answer too.
    logged.Returned("GetDataPIDMAC", "256", 0, "6:01-00-5E-01-01-01", true);
    logged.Returned("GetDataPIDMAC", "257", 0, "6:01-00-5E-01-01-01", true);
    logged.Returned("GetDataPIDMAC", "256", 0, "6:01-00-5E-01-01-01", true);
    logged.Returned("GetDataPIDMAC", "256", 1, "", true);
    logged.Returned("GetDataPIDMAC", "256", 1, "", true);
    logged.Returned("GetDataPIDMAC", "256", 2, "", true);
    // Commands are logged however often they repeat.
    logged.Returned("StopMotor", "", 0, "", false);
    logged.Returned("StopMotor", "", 0, "", false);
    EXPECT_EQ(logged.lines, (std::vector<std::string>{
                                "Driver: GetSignalStrAndQu() = 0 -> 71,64,0,0,1 in 1 ms",
                                "Driver: GetSignalStrAndQu() = 0 -> 70,64,0,0,1 in 1 ms "
                                "(2 unchanged answers not logged)",
                                "Driver: GetDataPIDMAC(256) = 0 -> 6:01-00-5E-01-01-01 in 1 ms",
                                "Driver: GetDataPIDMAC(257) = 0 -> 6:01-00-5E-01-01-01 in 1 ms",
                                "Driver: GetDataPIDMAC(256) = 1 in 1 ms (1 unchanged answer not logged)",
                                "Driver: GetDataPIDMAC(256) = 2 in 1 ms (1 unchanged answer not logged)",
                                "Driver: StopMotor() = 0 in 1 ms",
                                "Driver: StopMotor() = 0 in 1 ms",
                            }));
}

TEST(DriverCallLog, AnAnswerTheLogDidNotTakeIsLoggedAgainNextTime)
{
    LoggedLines logged;
    logged.taking = false;
    logged.Poll("71,64,0,0,1");
    logged.taking = true;
    logged.Poll("71,64,0,0,1");
    logged.Poll("71,64,0,0,1");
    EXPECT_EQ(logged.offered.size(), 2u);
    EXPECT_EQ(logged.lines, std::vector<std::string>{"Driver: GetSignalStrAndQu() = 0 -> 71,64,0,0,1 in 1 ms"});
}

}   // namespace
