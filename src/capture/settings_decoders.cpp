#include "capture/settings_decoders.h"

#include <algorithm>
#include <cstring>

namespace morvatix {

namespace {

constexpr std::uint32_t kLengthWordSize = 4;

// Reads the length word of a block and checks it against the bound. A length
// shorter than the word itself is malformed too: it would make a walk stand still.
bool readBlockLength(const std::uint8_t* block, std::uint32_t bound, std::uint32_t& length)
{
    if (bound < kLengthWordSize) {
        return false;
    }
    length = readU32(block);
    return length >= kLengthWordSize && length <= bound;
}

// Goes through a fixed sequence of blocks, handing block i to decodeBlock(i,
// position, bound). A sequence may end before any block: fewer than 4 bytes
// left means the remaining blocks are absent.
template <typename DecodeBlock>
std::int32_t walkBlocks(const std::uint8_t* position, std::uint32_t remaining, int blockCount,
                        DecodeBlock decodeBlock)
{
    for (int index = 0; index < blockCount; ++index) {
        if (remaining < kLengthWordSize) {
            return 0;
        }
        std::uint32_t length = 0;
        if (!readBlockLength(position, remaining, length)) {
            return kMalformedSettings;
        }
        const std::int32_t result = decodeBlock(index, position, remaining);
        if (result < 0) {
            return result;
        }
        remaining -= length;
        position += length;
    }
    return 0;
}

std::int32_t decodeModelBlock(const std::uint8_t* block, std::uint32_t bound, CaptureSettings& settings)
{
    std::uint8_t field[4] = {settings.layoutSelector, settings.modelCode, settings.modelBlockTail[0],
                             settings.modelBlockTail[1]};
    const std::int32_t result = decodeCopyBlock(block, bound, field, sizeof field);
    settings.layoutSelector = field[0];
    settings.modelCode = field[1];
    settings.modelBlockTail[0] = field[2];
    settings.modelBlockTail[1] = field[3];
    if (result < 0) {
        return result;
    }
    const bool knownLayout = settings.layoutSelector == 0 || settings.layoutSelector == 4;
    return knownLayout && settings.modelCode == kExpectedModelCode ? 0 : kMalformedSettings;
}

// Blocks A4 and A6 wrap an inner block of eight data bytes, which must fit
// inside the outer one; `field` is null where the bytes are not stored.
std::int32_t decodeInnerBlock(const std::uint8_t* block, std::uint32_t outerLength, std::uint8_t (*field)[8])
{
    if (outerLength - kLengthWordSize < kLengthWordSize) {
        return 0;
    }
    const std::uint32_t innerLength = readU32(block + kLengthWordSize);
    if (innerLength < kLengthWordSize || innerLength > outerLength - kLengthWordSize) {
        return kMalformedSettings;
    }
    if (field == nullptr) {
        return 0;
    }
    return decodeCopyBlock(block + kLengthWordSize, outerLength - kLengthWordSize, *field, sizeof *field);
}

void spreadBlockB0(CaptureSettings& settings)
{
    std::memcpy(settings.blockB2Data, settings.blockB0Data, sizeof settings.blockB2Data);
    std::memcpy(settings.blockB3Records, settings.blockB0Data + 8, sizeof settings.blockB3Records);
    std::memcpy(settings.blockB4Entries, settings.blockB0Data + 40, sizeof settings.blockB4Entries);
}

}  // namespace

std::int32_t decodeCopyBlock(const std::uint8_t* block, std::uint32_t bound, std::uint8_t* field,
                             std::uint32_t capacity)
{
    std::uint32_t length = 0;
    if (!readBlockLength(block, bound, length)) {
        return kMalformedSettings;
    }
    std::memcpy(field, block + kLengthWordSize, std::min(length - kLengthWordSize, capacity));
    return 0;
}

std::int32_t decodePortBlock(const std::uint8_t* block, std::uint32_t bound, std::uint8_t modelCode,
                             CaptureSettings& settings)
{
    std::uint32_t length = 0;
    if (!readBlockLength(block, bound, length) || modelCode != kExpectedModelCode) {
        return kMalformedSettings;
    }
    return walkBlocks(block + kLengthWordSize, length - kLengthWordSize, 2,
                      [&settings](int index, const std::uint8_t* position, std::uint32_t remaining) {
                          if (index == 0) {
                              return decodeCopyBlock(position, remaining, settings.canPortSettings,
                                                     sizeof settings.canPortSettings);
                          }
                          return decodeCopyBlock(position, remaining, settings.linPortSettings,
                                                 sizeof settings.linPortSettings);
                      });
}

std::int32_t decodeVariantBlock(const std::uint8_t* block, std::uint32_t bound, std::uint8_t layoutSelector,
                                CaptureSettings& settings)
{
    std::uint32_t length = 0;
    if (!readBlockLength(block, bound, length) || (layoutSelector != 0 && layoutSelector != 4)) {
        return kMalformedSettings;
    }
    return decodeInnerBlock(block, length, layoutSelector == 4 ? &settings.blockA4Data : nullptr);
}

std::int32_t decodeMarkedBlock(const std::uint8_t* block, std::uint32_t bound, std::uint16_t groupAMark,
                               CaptureSettings& settings)
{
    std::uint32_t length = 0;
    const unsigned markHigh = groupAMark >> 8;
    if (!readBlockLength(block, bound, length) || (markHigh != 0x20 && markHigh != 0x21)) {
        return kMalformedSettings;
    }
    return decodeInnerBlock(block, length, &settings.blockA6Data);
}

std::int32_t decodeCountedList(const std::uint8_t* block, std::uint32_t bound, std::uint32_t entrySize,
                               std::uint8_t* field)
{
    std::uint32_t length = 0;
    if (!readBlockLength(block, bound, length)) {
        return kMalformedSettings;
    }
    if (length < 2 * kLengthWordSize) {
        return 0;
    }
    const std::uint64_t count = readU32(block + kLengthWordSize);
    const std::uint64_t listSize = count * entrySize;  // cannot overflow 64 bits
    if (length - 2 * kLengthWordSize < listSize) {
        return kMalformedSettings;
    }
    const std::uint64_t stored = std::min<std::uint64_t>(listSize, 2u * entrySize);
    std::memcpy(field, block + 2 * kLengthWordSize, static_cast<std::size_t>(stored));
    return 0;
}

std::int32_t decodeGroupA(const std::uint8_t* group, std::uint32_t bound, CaptureSettings& settings)
{
    constexpr std::uint32_t kGroupHeadSize = 8;
    if (bound < kLengthWordSize) {
        return kMalformedSettings;
    }
    const std::uint32_t groupLength = readU32(group);
    if (groupLength > bound || groupLength < kGroupHeadSize) {
        return kMalformedSettings;
    }
    std::uint8_t markLow = group[6];
    std::uint8_t markHigh = group[7];
    // Older analyzers left the high byte zero; their mark is the low byte twice.
    if (markHigh == 0 && (markLow == 0x20 || markLow == 0x21)) {
        markHigh = markLow;
    }
    settings.groupAMark = static_cast<std::uint16_t>(markLow | (markHigh << 8));

    return walkBlocks(group + kGroupHeadSize, groupLength - kGroupHeadSize, 6,
                      [&settings](int index, const std::uint8_t* position, std::uint32_t remaining) {
                          switch (index) {
                          case 0:
                              return decodeModelBlock(position, remaining, settings);
                          case 1:
                              return decodeCopyBlock(position, remaining, settings.blockA2Data,
                                                     sizeof settings.blockA2Data);
                          case 2:
                              return decodePortBlock(position, remaining, settings.modelCode, settings);
                          case 3:
                              return decodeVariantBlock(position, remaining, settings.layoutSelector, settings);
                          case 4:
                              return std::int32_t{0};  // block A5: the walk's length test is all
                          default:
                              return decodeMarkedBlock(position, remaining, settings.groupAMark, settings);
                          }
                      });
}

std::int32_t decodeGroupB(const std::uint8_t* block, std::uint32_t bound, CaptureSettings& settings)
{
    if (bound < kLengthWordSize) {
        return 0;
    }
    std::uint32_t length = 0;
    if (!readBlockLength(block, bound, length)) {
        return kMalformedSettings;
    }
    std::memcpy(settings.blockB0Data, block + kLengthWordSize,
                std::min<std::uint32_t>(length - kLengthWordSize, sizeof settings.blockB0Data));
    spreadBlockB0(settings);

    return walkBlocks(block + length, bound - length, 4,
                      [&settings](int index, const std::uint8_t* position, std::uint32_t remaining) {
                          switch (index) {
                          case 0:
                              std::memset(settings.blockB1Data, 0, sizeof settings.blockB1Data);
                              return decodeCopyBlock(position, remaining, settings.blockB1Data,
                                                     sizeof settings.blockB1Data);
                          case 1:
                              return decodeCopyBlock(position, remaining, settings.blockB2Data,
                                                     sizeof settings.blockB2Data);
                          case 2:
                              return decodeCountedList(position, remaining, 16, settings.blockB3Records);
                          default:
                              return decodeCountedList(position, remaining, 12, settings.blockB4Entries);
                          }
                      });
}

}  // namespace morvatix
