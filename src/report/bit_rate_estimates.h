// What each port's clock divider really achieves for its set bit rate.
#pragma once

#include <cstdint>

namespace morvatix {

struct CanBitTiming {
    std::uint32_t clockDivider = 0;
    std::uint32_t quantaPerBit = 0;
    std::uint32_t achievedRate = 0;  // tenths of bit/s
    std::int32_t deviation = 0;      // thousandths of a percent
};

// `canBaudRate` in bit/s, from a 40 MHz reference clock.
CanBitTiming estimateCanBitTiming(std::int32_t canBaudRate);

struct LinBitRate {
    std::uint32_t divider = 0;
    bool fastClock = false;         // the 100 MHz candidate clock was chosen
    std::int64_t achievedRate = 0;  // thousandths of bit/s
    std::int32_t deviation = 0;     // thousandths of a percent
    bool deviationDefined = false;  // false for a setting of 0
};

// `linBaudRate` in tenths of bit/s.
LinBitRate estimateLinBitRate(std::int32_t linBaudRate);

}  // namespace morvatix
