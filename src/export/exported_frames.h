// The CAN and LIN frames of a capture as the export formats need them: the
// whole payload from the record's slots, flags by name, and the record's time
// stamp (100 µs units from the start of the capture) in microseconds.
#pragma once

#include "capture/monitor_record.h"
#include "capture/record_walk.h"

#include <cstdint>

namespace morvatix {

struct ExportedCanFrame {
    std::uint64_t microseconds = 0;
    std::uint32_t identifier = 0;
    bool extended = false;
    bool remote = false;  // classic frames only
    bool fd = false;
    std::uint8_t remoteLength = 0;  // the length a remote frame asks for, 0 to 8
    std::uint8_t length = 0;        // payload bytes: 0 to 8 classic, a CAN FD length up to 64
    std::uint8_t data[kMaxRecordDataBytes] = {};
};

struct ExportedLinFrame {
    std::uint64_t microseconds = 0;
    std::uint8_t protectedId = 0;
    std::uint8_t checksum = 0;
    std::uint8_t errors = 0;  // the bits below
    std::uint8_t length = 0;  // 0 to 8
    std::uint8_t data[8] = {};
};

namespace lin_errors {
constexpr std::uint8_t noResponse = 0x01;
constexpr std::uint8_t framing = 0x02;
constexpr std::uint8_t parity = 0x04;
constexpr std::uint8_t checksum = 0x08;
}  // namespace lin_errors

ExportedCanFrame exportedCanFrame(MonitorRecord record);
ExportedLinFrame exportedLinFrame(MonitorRecord record);

}  // namespace morvatix
