// The line formatters: each builds one record's whole line in the LineBuffer.
#pragma once

#include "capture/monitor_record.h"
#include "report/line_buffer.h"

#include <cstddef>
#include <cstdint>

namespace morvatix {

// Length table of the LIN frame lines: 64 entries of 4 bytes, or none when
// the settings switch the length check off.
struct LinLengthTable {
    const std::uint8_t* entries = nullptr;
};

// The 12-character "HH:MM:SS.mmm" of a time stamp in 100 µs units.
void formatTimeStamp(std::uint32_t timeStamp, LineBuffer& line);

// `count` bytes as two hexadecimal digits each, followed by an apostrophe where
// bit i of `marks` is set and a space otherwise. Returns the characters written.
std::size_t formatDataBytes(const std::uint8_t* bytes, unsigned count, std::uint32_t marks, LineBuffer& line);

// IN1 to IN4 and the five state characters.
void formatInputColumns(MonitorRecord record, LineBuffer& line);

// "T " or two spaces, then the time stamp: every record line opens so.
void formatLineStart(MonitorRecord record, LineBuffer& line);

// The data column: up to eight bytes, padded to 24 characters.
void formatDataColumn(MonitorRecord record, std::uint32_t marks, LineBuffer& line);

void formatInputRecordLine(MonitorRecord record, LineBuffer& line);
void formatCanFrameLine(MonitorRecord record, LineBuffer& line);
void formatLinFrameLine(MonitorRecord record, LinLengthTable table, LineBuffer& line);

// Any record, by its kind; kinds without a line of their own say so.
void formatRecord(MonitorRecord record, LinLengthTable table, LineBuffer& line);

}  // namespace morvatix
