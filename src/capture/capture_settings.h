// The analyzer's settings as decoded from a capture's DINF chunk. The fields
// are kept as the raw bytes the decoders copy, because a short block fills only
// the front of a field; the accessors below read the members others need.
#pragma once

#include "capture/byte_order.h"

#include <cstdint>

namespace morvatix {

struct CaptureSettings {
    std::uint16_t groupAMark = 0;
    std::uint8_t layoutSelector = 0;  // model block byte 4
    std::uint8_t modelCode = 0;       // model block byte 5
    std::uint8_t modelBlockTail[2] = {};
    std::uint8_t blockA2Data[4] = {};
    std::uint8_t canPortSettings[24] = {};
    std::uint8_t linPortSettings[272] = {};
    std::uint8_t blockA4Data[8] = {};
    std::uint8_t blockA6Data[8] = {};
    std::uint8_t blockB0Data[68] = {};
    std::uint8_t blockB1Data[48] = {};
    std::uint8_t blockB2Data[8] = {};
    std::uint8_t blockB3Records[32] = {};
    std::uint8_t blockB4Entries[24] = {};
};

constexpr std::uint8_t kExpectedModelCode = 22;

// Bit/s.
inline std::int32_t canBaudRate(const CaptureSettings& settings)
{
    return readI32(settings.canPortSettings);
}

inline std::int16_t canSamplePoint(const CaptureSettings& settings)
{
    return readI16(settings.canPortSettings + 8);
}

// Tenths of bit/s.
inline std::int32_t linBaudRate(const CaptureSettings& settings)
{
    return readI32(settings.linPortSettings);
}

inline std::uint8_t linLengthCheck(const CaptureSettings& settings)
{
    return settings.linPortSettings[6];
}

// The expected data length of LIN frame identifier `identifier` (0 to 63).
inline std::int8_t linExpectedLength(const CaptureSettings& settings, unsigned identifier)
{
    return static_cast<std::int8_t>(settings.linPortSettings[16 + 4 * identifier]);
}

}  // namespace morvatix
