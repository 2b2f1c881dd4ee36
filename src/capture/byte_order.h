// Little-endian reads of capture bytes; the caller guarantees the bytes exist.
#pragma once

#include <cstdint>

namespace morvatix {

inline std::uint16_t readU16(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t readU32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline std::int16_t readI16(const std::uint8_t* bytes)
{
    return static_cast<std::int16_t>(readU16(bytes));
}

inline std::int32_t readI32(const std::uint8_t* bytes)
{
    return static_cast<std::int32_t>(readU32(bytes));
}

}  // namespace morvatix
