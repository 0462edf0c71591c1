#include "app/DataRate.h"

#include <cstdio>

std::optional<double> DataRateMeter::Add(std::int64_t tickMs, std::optional<std::int64_t> bytesReceived)
{
    const std::optional<Read> previous = last;
    last.reset();
    if (!bytesReceived)
        return std::nullopt;
    last = Read{tickMs, *bytesReceived};
    if (!previous || *bytesReceived < previous->bytes || tickMs <= previous->tickMs)
        return std::nullopt;
    // In doubles: counts from a card are not trusted to stay clear of the ends of the range.
    const double bytes = static_cast<double>(*bytesReceived) - static_cast<double>(previous->bytes);
    return bytes * 8.0 / static_cast<double>(tickMs - previous->tickMs);
}

double RateScaleTop(double highestKbps)
{
    // Steps close enough that a rate a little above a round figure does not
    // leave most of the plot empty.
    static constexpr double kSteps[] = {1, 1.25, 1.5, 2, 2.5, 3, 4, 5, 6, 8};
    // Bounded: a rate beyond any card's reach ends at the last decade.
    double decade = 1;
    for (int decades = 0; decades < 18; ++decades, decade *= 10) {
        for (const double step : kSteps) {
            if (step * decade >= highestKbps)
                return step * decade;
        }
    }
    return decade;
}

std::string KbpsText(double kbps)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", kbps);
    return text;
}
