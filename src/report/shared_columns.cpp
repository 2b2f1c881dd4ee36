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

std::size_t formatDataBytes(const std::uint8_t* bytes, unsigned count, std::uint32_t marks, LineBuffer& line)
{
    std::size_t written = 0;
    for (unsigned index = 0; index < count; ++index, marks >>= 1) {
        const char mark = (marks & 1) != 0 ? '\'' : ' ';
        const std::uint8_t value = bytes[index];
        written += appendPiece<3>(line, [value, mark](char* out) {
            writeHexByte(out, value);
            out[2] = mark;
            return std::size_t{3};
        });
    }
    return written;
}

void formatInputColumns(MonitorRecord record, LineBuffer& line)
{
    for (unsigned index = 0; index < 4; ++index) {
        const std::int16_t raw = inputValue(record, index);
        const auto value = static_cast<unsigned>(raw < 0 ? 0 : raw);
        appendPiece<9>(line, [value](char* out) {
            out[0] = ' ';
            out[1] = ' ';
            std::size_t length = 2 + writeUnsigned(out + 2, value / 100);
            out[length] = '.';
            return length + 1 + writeTwoDigits(out + length + 1, value % 100);
        });
    }
    const std::uint32_t flags = recordFlags(record);
    appendPiece<7>(line, [flags](char* out) {
        out[0] = ' ';
        out[1] = ' ';
        out[2] = static_cast<char>('0' + ((flags >> 28) & 1));
        for (int bit = 0; bit < 4; ++bit) {
            out[3 + bit] = static_cast<char>('0' + ((flags >> (24 + bit)) & 1));
        }
        return std::size_t{7};
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
