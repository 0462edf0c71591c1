#include "SimulatorTestSupport.h"

#include "simulator/OrbitalPosition.h"
#include "simulator/Positioner.h"
#include "simulator/Usals.h"

#include <gtest/gtest.h>

using namespace quarlink;

TEST(SimulatorUsals, MatchesTheKnownPointings)
{
    const DishPointing astra = PointDish(19.2, 5.0, 52.0);
    EXPECT_NEAR(astra.motorAngle, 15.6, 0.05);
    EXPECT_NEAR(astra.elevation, 29.1, 0.1);
    EXPECT_NEAR(astra.azimuth, 162.2, 0.05);
    EXPECT_NEAR(PointDish(-30.0, 5.0, 52.0).motorAngle, -38.3, 0.05);
    EXPECT_NEAR(PointDish(-101.0, -75.0, 40.0).motorAngle, -29.2, 0.05);
    EXPECT_LT(PointDish(-101.0, 5.0, 52.0).elevation, 0.0);
    EXPECT_NEAR(PointDish(5.0, 5.0, 0.0).elevation, 90.0, 1e-9) << "straight overhead at the equator";
}

TEST(SimulatorUsals, GotoAngleBytesFollowTheSixteenthsTable)
{
    EXPECT_EQ(GotoAngleBytes(15.64), (std::array<std::uint8_t, 2>{0xE0, 0xFA}));
    EXPECT_EQ(GotoAngleBytes(-38.3), (std::array<std::uint8_t, 2>{0xD2, 0x65}));
    EXPECT_EQ(GotoAngleBytes(0.0), (std::array<std::uint8_t, 2>{0xE0, 0x00}));
    EXPECT_EQ(GotoAngleBytes(-0.01), (std::array<std::uint8_t, 2>{0xE0, 0x00}));
    EXPECT_EQ(GotoAngleBytes(1.9), (std::array<std::uint8_t, 2>{0xE0, 0x1E}));
}

TEST(SimulatorOrbitalPosition, TenthsEastAndWestAsThreeSixHundredMinus)
{
    EXPECT_EQ(ParseOrbitalPosition("19.2E"), 192);
    EXPECT_EQ(ParseOrbitalPosition("30.0w"), 3300);
    EXPECT_EQ(ParseOrbitalPosition("192"), 192);
    EXPECT_EQ(ParseOrbitalPosition("3600"), 0);
    EXPECT_EQ(ParseOrbitalPosition("0.0W"), 0);
    EXPECT_FALSE(ParseOrbitalPosition("3601"));
    EXPECT_FALSE(ParseOrbitalPosition("-5"));
    EXPECT_FALSE(ParseOrbitalPosition("180.1E"));
    EXPECT_FALSE(ParseOrbitalPosition("E"));
    EXPECT_FALSE(ParseOrbitalPosition("19.2X"));
    EXPECT_EQ(OrbitalPositionText(3300), "30.0W");
    EXPECT_EQ(OrbitalPositionText(1800), "180.0E");
    EXPECT_DOUBLE_EQ(LongitudeOfPosition(3300), -30.0);
    EXPECT_DOUBLE_EQ(LongitudeOfPosition(192), 19.2);
}

TEST(SimulatorGotoSat, ReportsAnglesAndRefusesBelowTheHorizon)
{
    SimulatedCard sim(kSatelliteLineUp);
    double angle = 0.0, elevation = 0.0;
    ASSERT_EQ(sim.card.GotoSat(192, 5.0, 52.0, &angle, &elevation), 0);
    EXPECT_NEAR(angle, 15.6, 0.05);
    EXPECT_NEAR(elevation, 29.1, 0.1);
    ASSERT_EQ(sim.card.GotoSat(3300, 5.0, 52.0, &angle, &elevation), 0);
    EXPECT_NEAR(angle, -38.3, 0.05);
    ASSERT_EQ(sim.card.GotoSat(3600 - 1010, -75.0, 40.0, &angle, &elevation), 0);
    EXPECT_NEAR(angle, -29.2, 0.05);

    sim.clock.Advance(60000);
    const double before = sim.card.MotorAngle();
    EXPECT_EQ(sim.card.GotoSat(3600 - 1010, 5.0, 52.0, &angle, &elevation), 1);
    EXPECT_LT(elevation, 0.0) << "the outputs are filled all the same";
    EXPECT_NEAR(angle, -111.0, 0.05);
    sim.clock.Advance(60000);
    EXPECT_DOUBLE_EQ(sim.card.MotorAngle(), before) << "the motor does not move";

    angle = elevation = 123.0;
    EXPECT_EQ(sim.card.GotoSat(192, 5.0, 91.0, &angle, &elevation), 1);
    EXPECT_EQ(sim.card.GotoSat(3601, 5.0, 52.0, &angle, &elevation), 1);
    EXPECT_EQ(sim.card.GotoSat(192, 5.0, 52.0, nullptr, &elevation), 1);
    EXPECT_EQ(angle, 123.0) << "bad input leaves the outputs alone";
}

TEST(SimulatorMotor, DrivesAtItsRateWithinLimits)
{
    Positioner motor(0.0, 2.0);
    motor.DriveEast(0);
    EXPECT_DOUBLE_EQ(motor.Angle(1500), 3.0);
    motor.Stop(2000);
    EXPECT_DOUBLE_EQ(motor.Angle(9000), 4.0);
    motor.SetEastLimit(9000);
    motor.DriveWest(9000);
    motor.Stop(14000);
    EXPECT_DOUBLE_EQ(motor.Angle(14000), -6.0);
    motor.SetWestLimit(14000);

    motor.EnableLimits(14000);
    motor.DriveEast(14000);
    EXPECT_DOUBLE_EQ(motor.Angle(100000), 4.0) << "stops at the east limit";
    motor.GotoAngle(-30.0, 100000);
    EXPECT_DOUBLE_EQ(motor.Angle(200000), -6.0) << "a goto stays inside the limits";
    motor.CancelLimits(200000);
    motor.GotoAngle(-30.0, 200000);
    EXPECT_DOUBLE_EQ(motor.Angle(300000), -30.0);
    motor.DriveWest(300000);
    EXPECT_DOUBLE_EQ(motor.Angle(900000), -kMotorMechanicalLimit);
    motor.GotoZero(900000);
    EXPECT_TRUE(motor.IsMoving(900001));
    EXPECT_DOUBLE_EQ(motor.Angle(1000000), 0.0);
}

TEST(SimulatorMotor, StoredPositionsOneToEight)
{
    SimulatedCard sim(kSatelliteLineUp);
    EXPECT_EQ(sim.card.GotoSatPosition(3), kCardRefused) << "never stored";
    sim.card.DriveEast();
    sim.clock.Advance(5000);
    sim.card.StopMotor();
    EXPECT_EQ(sim.card.StoreSatPosition(3), 0);
    EXPECT_EQ(sim.card.StoreSatPosition(0), kCardFailed);
    EXPECT_EQ(sim.card.StoreSatPosition(9), kCardFailed);
    sim.card.GotoZero();
    sim.clock.Advance(10000);
    EXPECT_DOUBLE_EQ(sim.card.MotorAngle(), 0.0);
    EXPECT_EQ(sim.card.GotoSatPosition(3), 0);
    sim.clock.Advance(10000);
    EXPECT_DOUBLE_EQ(sim.card.MotorAngle(), 10.0);
    EXPECT_EQ(sim.card.GotoSatPosition(0), 0) << "0 is the reference";
    EXPECT_EQ(sim.card.GotoSatPosition(9), kCardFailed);
}

TEST(SimulatorMotor, MotorisedDishSeesWhatItPointsAt)
{
    SimulatedCard sim(kSatelliteLineUp);
    EXPECT_NE(sim.LockSatellite(11494, 22000, 1, 3), 0) << "the motor starts at 0 degrees";
    double angle = 0.0, elevation = 0.0;
    ASSERT_EQ(sim.card.GotoSat(192, 5.0, 52.0, &angle, &elevation), 0);
    sim.clock.Advance(4000);
    EXPECT_NE(sim.LockSatellite(11494, 22000, 1, 3), 0) << "still turning";
    sim.clock.Advance(4000);
    EXPECT_EQ(sim.LockSatellite(11494, 22000, 1, 3), 0);
    EXPECT_TRUE(sim.Locked());

    sim.card.DriveWest();
    sim.clock.Advance(1000);
    sim.card.StopMotor();
    EXPECT_FALSE(sim.Locked()) << "two degrees off the satellite";

    ASSERT_EQ(sim.card.GotoSat(130, 5.0, 52.0, &angle, &elevation), 0);
    sim.clock.Advance(10000);
    EXPECT_EQ(sim.LockSatellite(11034, 27500, 0, 3), 0);
}
