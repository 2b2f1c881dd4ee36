#include "report/digit_writers.h"
#include "report/record_lines.h"

namespace morvatix {

void formatTimeStamp(std::uint32_t timeStamp, LineBuffer& line)
{
    appendPiece<12>(line, [timeStamp](char* out) {
        writeTwoDigits(out, timeStamp / 36'000'000u % 24);
        out[2] = ':';
        writeTwoDigits(out + 3, timeStamp / 600'000u % 60);
        out[5] = ':';
        writeTwoDigits(out + 6, timeStamp / 10'000u % 60);
        out[8] = '.';
        writeThreeDigits(out + 9, timeStamp / 10u % 1000);
        return std::size_t{12};
    });
}

namespace {

std::size_t writeDataBytes(char* out, const std::uint8_t* bytes, unsigned count, std::uint32_t marks)
{
    for (unsigned index = 0; index < count; ++index, marks >>= 1) {
        writeHexByte(out + 3 * index, bytes[index]);
        out[3 * index + 2] = (marks & 1) != 0 ? '\'' : ' ';
    }
    return 3 * std::size_t{count};
}

}  // namespace

std::size_t formatDataBytes(const std::uint8_t* bytes, unsigned count, std::uint32_t marks, LineBuffer& line)
{
    constexpr unsigned kBytesAtOnce = 8;
    std::size_t written = 0;
    while (count > 0) {
        const unsigned now = count < kBytesAtOnce ? count : kBytesAtOnce;
        written += appendPiece<3 * kBytesAtOnce>(
            line, [bytes, now, marks](char* out) { return writeDataBytes(out, bytes, now, marks); });
        bytes += now;
        count -= now;
        marks = now < 32 ? marks >> now : 0;
    }
    return written;
}

void formatInputColumns(MonitorRecord record, LineBuffer& line)
{
    // IN1 to IN4 ("  %u.%02u" each, at most 9 characters), two spaces and T1234.
    appendPiece<4 * 9 + 7>(line, [record](char* out) {
        std::size_t length = 0;
        for (unsigned index = 0; index < 4; ++index) {
            const std::int16_t raw = inputValue(record, index);
            const auto value = static_cast<unsigned>(raw < 0 ? 0 : raw);  // negative values show as 0.00
            out[length] = ' ';
            out[length + 1] = ' ';
            length += 2 + writeSmallUnsigned(out + length + 2, value / 100);
            out[length] = '.';
            length += 1 + writeTwoDigits(out + length + 1, value % 100);
        }
        const std::uint32_t flags = recordFlags(record);
        out[length] = ' ';
        out[length + 1] = ' ';
        out[length + 2] = static_cast<char>('0' + ((flags >> 28) & 1));
        for (unsigned bit = 0; bit < 4; ++bit) {
            out[length + 3 + bit] = static_cast<char>('0' + ((flags >> (24 + bit)) & 1));
        }
        return length + 7;
    });
}

void formatLineStart(MonitorRecord record, LineBuffer& line)
{
    line.length = 0;
    if ((recordFlags(record) & record_flags::tMark) != 0) {
        appendLiteral(line, "T ");
    } else {
        appendLiteral(line, "  ");
    }
    formatTimeStamp(timeStamp(record), line);
}

void formatDataColumn(MonitorRecord record, std::uint32_t marks, LineBuffer& line)
{
    constexpr std::size_t kDataColumnWidth = 24;
    const unsigned count = dataLength(record) < kHeadSlotDataBytes ? dataLength(record) : kHeadSlotDataBytes;
    const std::size_t written = formatDataBytes(dataBytes(record), count, marks, line);
    if (written < kDataColumnWidth) {
        appendSpaces(line, kDataColumnWidth - written);
    }
}

void formatInputRecordLine(MonitorRecord record, LineBuffer& line)
{
    formatLineStart(record, line);
    appendSpaces(line, 54);
    formatInputColumns(record, line);
}

}  // namespace morvatix
