#include "report/bit_rate_estimates.h"

namespace morvatix {

namespace {

constexpr std::uint32_t kDoubledClock = 80'000'000;            // cycles per bit, doubled for rounding
constexpr std::uint32_t kDoubledClockTenths = 800'000'000;     // achieved rate in tenths, doubled
constexpr std::uint32_t kMaxQuanta = 282;
constexpr std::uint32_t kMinQuanta = 4;
constexpr std::uint32_t kSmallPrimes[] = {2, 3, 5, 7, 11, 13};

// Removes small prime factors until the count drops below the quanta limit.
std::uint32_t reduceCycleCount(std::uint32_t cycles)
{
    std::uint32_t reduced = cycles;
    if (reduced < kMaxQuanta) {
        return reduced;
    }
    for (const std::uint32_t prime : kSmallPrimes) {
        while (reduced % prime == 0) {
            reduced /= prime;
            if (reduced < kMaxQuanta) {
                return reduced;
            }
        }
    }
    return reduced;
}

}  // namespace

CanBitTiming estimateCanBitTiming(std::int32_t canBaudRate)
{
    const std::uint32_t rate = canBaudRate < 1 ? 1u : static_cast<std::uint32_t>(canBaudRate);
    std::uint32_t cycles = (kDoubledClock / rate + 1) / 2;
    // Faster than the clock can divide: a bit never has fewer than four quanta.
    if (cycles < kMinQuanta) {
        cycles = kMinQuanta;
    }
    const std::uint32_t reduced = reduceCycleCount(cycles);
    const std::uint32_t extraFactor = (reduced + kMaxQuanta - 1) / kMaxQuanta;

    CanBitTiming timing;
    timing.clockDivider = cycles / reduced * extraFactor;
    timing.quantaPerBit = (2 * cycles / timing.clockDivider + 1) / 2;
    timing.achievedRate = (kDoubledClockTenths / (timing.clockDivider * timing.quantaPerBit) + 1) / 2;

    const std::int64_t difference = static_cast<std::int64_t>(timing.achievedRate) - 10 * std::int64_t{rate};
    const std::int64_t doubled = difference * 20'000 / rate;
    timing.deviation = static_cast<std::int32_t>((doubled + 1) / 2);
    return timing;
}

}  // namespace morvatix
