// A local wall-clock time to the millisecond, as the diagnostic log and the
// signal history's CSV print it.
#pragma once

#include <string>

struct LocalTime {
    int year = 0;
    int month = 0;   // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// "2026-12-01 14:03:22.123"
std::string FormatLocalTime(const LocalTime& time);
