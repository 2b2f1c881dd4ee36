#include "report/bit_rate_estimates.h"

#include <algorithm>

namespace morvatix {

namespace {

constexpr std::int32_t kLowestSetting = 4'000;    // tenths of bit/s
constexpr std::int32_t kHighestSetting = 260'000;
constexpr std::uint32_t kSlowClock = 14'745'600;
constexpr std::uint32_t kFastClock = 100'000'000;

struct Candidate {
    std::uint32_t clock = 0;
    std::uint32_t divider = 0;
    std::uint64_t error = 0;  // millionths of bit/s
};

Candidate tryClock(std::uint32_t clock, std::uint32_t wholeRate)
{
    Candidate candidate;
    candidate.clock = clock;
    candidate.divider = (clock + 8 * wholeRate) / (16 * wholeRate);
    const std::int64_t divisor = 16 * std::int64_t{candidate.divider};
    const std::int64_t millionths = (std::int64_t{clock} * 1'000'000 + 8 * std::int64_t{candidate.divider}) / divisor;
    const std::int64_t difference = millionths - std::int64_t{wholeRate} * 1'000'000;
    candidate.error = static_cast<std::uint64_t>(difference < 0 ? -difference : difference);
    return candidate;
}

}  // namespace

LinBitRate estimateLinBitRate(std::int32_t linBaudRate)
{
    const std::int32_t clamped = std::clamp(linBaudRate, kLowestSetting, kHighestSetting);
    const auto wholeRate = static_cast<std::uint32_t>(clamped / 10);

    const Candidate slow = tryClock(kSlowClock, wholeRate);
    const Candidate fast = tryClock(kFastClock, wholeRate);
    const Candidate& chosen = fast.error < slow.error ? fast : slow;

    LinBitRate result;
    result.divider = chosen.divider;
    result.fastClock = &chosen == &fast;
    result.achievedRate =
        (std::int64_t{chosen.clock} * 1'000 + 8 * std::int64_t{chosen.divider}) / (16 * std::int64_t{chosen.divider});

    const std::int64_t setting = std::int64_t{linBaudRate} * 100;  // thousandths of bit/s, as stored
    if (setting != 0) {
        const std::int64_t difference = result.achievedRate - setting;
        result.deviation = static_cast<std::int32_t>((difference * 100'000 + setting / 2) / setting);
        result.deviationDefined = true;
    }
    return result;
}

}  // namespace morvatix
