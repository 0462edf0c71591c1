#include "tuning/BandPlans.h"

#include "common/BlankTrim.h"
#include "common/DecimalText.h"
#include "tuning/TerrestrialRules.h"

namespace {

constexpr std::int32_t kMegahertz = 1000;

// from, from + step, ... up to and including `to`.
void AppendRange(std::vector<std::int32_t>& plan, std::int32_t from, std::int32_t to, std::int32_t step)
{
    for (std::int32_t frequency = from; frequency <= to; frequency += step)
        plan.push_back(frequency);
}

}   // namespace

std::vector<std::int32_t> TerrestrialRaster()
{
    std::vector<std::int32_t> plan;
    AppendRange(plan, 177500, 226500, 7 * kMegahertz);
    AppendRange(plan, 474000, 858000, 8 * kMegahertz);
    return plan;
}

std::vector<std::int32_t> CableRaster()
{
    std::vector<std::int32_t> plan{73000, 81000};
    AppendRange(plan, 113000, 169000, 8 * kMegahertz);
    AppendRange(plan, 314000, 858000, 8 * kMegahertz);
    return plan;
}

ScanStepEntry ReadScanStep(std::string_view text)
{
    const std::string_view entry = Trim(text);
    if (entry.empty())
        return {true, std::nullopt};
    const std::optional<std::uint32_t> step = ParseDigits(entry);
    if (!step || *step < static_cast<std::uint32_t>(kMinScanStepMHz) ||
        *step > static_cast<std::uint32_t>(kMaxScanStepMHz))
        return {};
    return {true, static_cast<int>(*step)};
}

std::vector<std::int32_t> TerrestrialPlan(const ScanStepEntry& entry)
{
    if (!entry.accepted)
        return {};
    if (!entry.stepMHz)
        return TerrestrialRaster();
    std::vector<std::int32_t> plan;
    AppendRange(plan, kTerrestrialFrequencyRange.minimum, kTerrestrialFrequencyRange.maximum,
                *entry.stepMHz * kMegahertz);
    return plan;
}

std::int32_t ChannelHalfWidthKhz(bool terrestrial, std::int32_t bandwidthMHz)
{
    if (!terrestrial)
        return 4 * kMegahertz;
    const bool known = bandwidthMHz >= 6 && bandwidthMHz <= 8;
    return (known ? bandwidthMHz : 6) * kMegahertz / 2;
}
