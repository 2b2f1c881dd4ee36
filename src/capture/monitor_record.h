// Reads the fields of a monitor record in place, from its 32-byte head slot.
#pragma once

#include "capture/byte_order.h"

#include <cstdint>

namespace morvatix {

enum RecordKind : unsigned {
    kInputRecord = 0,
    kCanFrame = 1,
    kLinFrame = 2,
    kOverrunMark = 7,
};

// Flags of the record's flag word (slot offset 12), by the kinds that read them.
namespace record_flags {
constexpr std::uint32_t tMark = 1u << 31;
constexpr int stateBitsShift = 24;

constexpr std::uint32_t lengthCode = 0xF;
constexpr std::uint32_t extendedId = 1u << 4;
constexpr std::uint32_t remoteFrame = 1u << 5;
constexpr std::uint32_t fdAsterisk = 1u << 6;
constexpr std::uint32_t fdFrame = 1u << 7;
constexpr std::uint32_t fdExclamation = 1u << 8;

constexpr std::uint32_t byteMarks = 0xFF;
constexpr std::uint32_t idMark = 1u << 8;
constexpr std::uint32_t syncMark = 1u << 9;
constexpr std::uint32_t checksumMark = 1u << 10;
constexpr std::uint32_t statusC = 1u << 11;
constexpr std::uint32_t statusP = 1u << 12;
constexpr std::uint32_t idPresent = 1u << 13;
constexpr std::uint32_t syncPresent = 1u << 14;
constexpr std::uint32_t checksumPresent = 1u << 15;
constexpr std::uint32_t errorFlag = 1u << 16;
}  // namespace record_flags

struct MonitorRecord {
    const std::uint8_t* slot;  // the head slot, 32 bytes
};

constexpr std::uint8_t kLinSyncByte = 0x55;
constexpr unsigned kHeadSlotDataBytes = 8;

inline bool isHeadSlot(const std::uint8_t* slot)
{
    return (slot[3] & 0x80) != 0;
}

inline unsigned dataLength(MonitorRecord record)
{
    return record.slot[0] & 0x7Fu;
}

// Slots the record takes: its data bytes beyond the eighth go into
// continuation slots of 28 bytes each.
inline unsigned slotsOfRecord(MonitorRecord record)
{
    const unsigned length = dataLength(record);
    return length <= 8 ? 1u : length <= 36 ? 2u : 3u;
}

inline std::uint32_t timeStamp(MonitorRecord record)
{
    return readU32(record.slot + 4);
}

inline std::uint32_t kindWord(MonitorRecord record)
{
    return readU32(record.slot + 8);
}

inline unsigned recordKind(MonitorRecord record)
{
    return record.slot[11] >> 5;
}

inline std::uint32_t recordFlags(MonitorRecord record)
{
    return readU32(record.slot + 12);
}

// IN1 to IN4, index 0 to 3, in hundredths.
inline std::int16_t inputValue(MonitorRecord record, unsigned index)
{
    return readI16(record.slot + 16 + 2 * index);
}

inline const std::uint8_t* dataBytes(MonitorRecord record)
{
    return record.slot + 24;
}

inline std::uint32_t canIdentifier(MonitorRecord record)
{
    const std::uint32_t word = kindWord(record);
    return (recordFlags(record) & record_flags::extendedId) != 0 ? word & 0x1FFFFFFFu : (word >> 18) & 0x7FFu;
}

inline std::uint8_t linProtectedId(MonitorRecord record)
{
    return record.slot[8];
}

inline std::uint8_t linSyncByte(MonitorRecord record)
{
    return record.slot[9];
}

inline std::uint8_t linChecksum(MonitorRecord record)
{
    return record.slot[10];
}

inline unsigned linFrameIdentifier(MonitorRecord record)
{
    return linProtectedId(record) & 0x3Fu;
}

}  // namespace morvatix
