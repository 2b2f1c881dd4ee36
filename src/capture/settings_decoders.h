// Decoders of the DINF settings body. Each takes a block's first byte and a
// bound: the bytes from there to the end of the enclosing group or block, all
// of which the caller guarantees to be readable. They return 0, or
// kMalformedSettings and nothing more; they never print.
#pragma once

#include "capture/capture_settings.h"

#include <cstdint>

namespace morvatix {

constexpr std::int32_t kMalformedSettings = -104;

std::int32_t decodeCopyBlock(const std::uint8_t* block, std::uint32_t bound, std::uint8_t* field,
                             std::uint32_t capacity);
std::int32_t decodePortBlock(const std::uint8_t* block, std::uint32_t bound, std::uint8_t modelCode,
                             CaptureSettings& settings);
std::int32_t decodeVariantBlock(const std::uint8_t* block, std::uint32_t bound, std::uint8_t layoutSelector,
                                CaptureSettings& settings);
std::int32_t decodeMarkedBlock(const std::uint8_t* block, std::uint32_t bound, std::uint16_t groupAMark,
                               CaptureSettings& settings);
std::int32_t decodeCountedList(const std::uint8_t* block, std::uint32_t bound, std::uint32_t entrySize,
                               std::uint8_t* field);
std::int32_t decodeGroupA(const std::uint8_t* group, std::uint32_t bound, CaptureSettings& settings);
std::int32_t decodeGroupB(const std::uint8_t* block, std::uint32_t bound, CaptureSettings& settings);

}  // namespace morvatix
