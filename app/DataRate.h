// The data rate the signal window plots, from the card's count of bytes
// received at each read of its reception counters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class DataRateMeter {
public:
    // A read of the counters at tickMs; none when the read failed. Gives the
    // rate since the previous read in kbit/s (bits per millisecond), or none:
    // for the first read, after a failed one, when the count fell (the card
    // starts it again with the filter) and when no time passed.
    std::optional<double> Add(std::int64_t tickMs, std::optional<std::int64_t> bytesReceived);

private:
    struct Read {
        std::int64_t tickMs;
        std::int64_t bytes;
    };
    std::optional<Read> last;
};

// "%.2f", as the Filter page shows the card's speed.
std::string KbpsText(double kbps);

// The top of the plot's data-rate scale: the smallest round figure (1, 1.25,
// 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten) that reaches the highest
// rate, and 1 kbit/s at least.
double RateScaleTop(double highestKbps);
