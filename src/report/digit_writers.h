// Small writers of decimal and hexadecimal digits for the record lines, which
// are the hot path of a conversion. Each writes into `out` and returns the
// number of characters written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvatix {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

inline std::size_t writeHexByte(char* out, std::uint8_t value)
{
    out[0] = kHexDigits[value >> 4];
    out[1] = kHexDigits[value & 0xF];
    return 2;
}

// `digits` uppercase hexadecimal digits with leading zeros.
inline std::size_t writeHexDigits(char* out, std::uint32_t value, int digits)
{
    for (int index = digits - 1; index >= 0; --index) {
        out[index] = kHexDigits[value & 0xF];
        value >>= 4;
    }
    return static_cast<std::size_t>(digits);
}

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Two digits of a value below 100, with a leading zero.
inline std::size_t writeTwoDigits(char* out, unsigned value)
{
    out[0] = kDigitPairs[2 * value];
    out[1] = kDigitPairs[2 * value + 1];
    return 2;
}

inline std::size_t writeThreeDigits(char* out, unsigned value)
{
    out[0] = static_cast<char>('0' + value / 100);
    return 1 + writeTwoDigits(out + 1, value % 100);
}

// A value below 1000 without leading zeros.
inline std::size_t writeSmallUnsigned(char* out, unsigned value)
{
    if (value < 10) {
        out[0] = static_cast<char>('0' + value);
        return 1;
    }
    if (value < 100) {
        return writeTwoDigits(out, value);
    }
    return writeThreeDigits(out, value);
}

// Decimal without leading zeros; at most 20 characters.
inline std::size_t writeUnsigned(char* out, std::uint64_t value)
{
    char reversed[20];
    std::size_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (std::size_t index = 0; index < count; ++index) {
        out[index] = reversed[count - 1 - index];
    }
    return count;
}

// Exactly `width` decimal digits, leading zeros included; higher digits are dropped.
inline std::size_t writeZeroPadded(char* out, std::uint64_t value, int width)
{
    for (int index = width - 1; index >= 0; --index) {
        out[index] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return static_cast<std::size_t>(width);
}

// Signed decimal, a minus sign for negative values; at most 20 characters.
inline std::size_t writeSigned(char* out, std::int64_t value)
{
    if (value >= 0) {
        return writeUnsigned(out, static_cast<std::uint64_t>(value));
    }
    out[0] = '-';
    return 1 + writeUnsigned(out + 1, 0 - static_cast<std::uint64_t>(value));
}

}  // namespace morvatix
