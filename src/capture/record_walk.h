// Goes through the monitor slots record by record: slots without the head
// flag are stepped over one at a time, and a record cut short by the end of
// the slots ends the walk.
#pragma once

#include "capture/capture_image.h"
#include "capture/monitor_record.h"

#include <cstddef>
#include <cstdint>

namespace morvatix {

struct RecordWalk {
    const std::uint8_t* slot = nullptr;
    std::uint32_t slotsLeft = 0;
    bool cutShort = false;  // the walk ended at a record the slots could not hold
};

inline RecordWalk startRecordWalk(const MonitorSlotArray& slotArray)
{
    return RecordWalk{slotArray.slots.get(), slotArray.slotCount, false};
}

// The next whole record, or false when none is left.
inline bool nextRecord(RecordWalk& walk, MonitorRecord& record)
{
    while (walk.slotsLeft > 0) {
        if (!isHeadSlot(walk.slot)) {
            walk.slot += kSlotSize;
            --walk.slotsLeft;
            continue;
        }
        record = MonitorRecord{walk.slot};
        const unsigned slotsTaken = slotsOfRecord(record);
        if (walk.slotsLeft < slotsTaken) {
            walk.slotsLeft = 0;
            walk.cutShort = true;
            return false;
        }
        walk.slot += std::size_t{slotsTaken} * kSlotSize;
        walk.slotsLeft -= slotsTaken;
        return true;
    }
    return false;
}

constexpr unsigned kContinuationDataBytes = 28;
constexpr unsigned kMaxRecordDataBytes = kHeadSlotDataBytes + 2 * kContinuationDataBytes;  // 64

// Copies the record's data bytes into `out`: eight from the head slot, then 28
// from each continuation slot after its first word. Returns how many: the
// record's data length, at most what its slots can hold (64). Only for a
// record whose slots all lie in the slot array, as nextRecord gives them.
inline unsigned recordDataBytes(MonitorRecord record, std::uint8_t (&out)[kMaxRecordDataBytes])
{
    unsigned count = dataLength(record);
    if (count > kMaxRecordDataBytes) {
        count = kMaxRecordDataBytes;
    }
    for (unsigned index = 0; index < count; ++index) {
        if (index < kHeadSlotDataBytes) {
            out[index] = dataBytes(record)[index];
        } else {
            const unsigned later = index - kHeadSlotDataBytes;
            const std::uint8_t* continuation = record.slot + kSlotSize * (1 + later / kContinuationDataBytes);
            out[index] = continuation[4 + later % kContinuationDataBytes];
        }
    }
    return count;
}

}  // namespace morvatix
