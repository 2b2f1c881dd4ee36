#include "report/digit_writers.h"
#include "report/record_lines.h"

namespace morvatix {

namespace {

// Byte counts of the CAN FD data length codes.
constexpr std::uint8_t kFdLengthTable[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 16, 20, 24, 32, 48, 64};

// The type column, " %-7s" of the frame type.
const char* typeColumn(std::uint32_t flags)
{
    using namespace record_flags;
    if ((flags & fdFrame) == 0) {
        return (flags & remoteFrame) != 0 ? " Remote " : " Data   ";
    }
    const bool asterisk = (flags & fdAsterisk) != 0;
    const bool exclamation = (flags & fdExclamation) != 0;
    if (asterisk) {
        return exclamation ? " FData*!" : " FData* ";
    }
    return exclamation ? " FData !" : " FData  ";
}

}  // namespace

void formatCanFrameLine(MonitorRecord record, LineBuffer& line)
{
    using namespace record_flags;
    const std::uint32_t flags = recordFlags(record);
    formatLineStart(record, line);

    const std::uint32_t identifier = canIdentifier(record);
    if ((flags & extendedId) != 0) {
        appendPiece<10>(line, [identifier](char* out) {
            out[0] = ' ';
            out[1] = ' ';
            return 2 + writeHexDigits(out + 2, identifier, 8);
        });
    } else {
        appendPiece<10>(line, [identifier](char* out) {
            std::memset(out, ' ', 7);
            return 7 + writeHexDigits(out + 7, identifier, 3);
        });
    }
    appendChars(line, typeColumn(flags), 8);

    const unsigned code = flags & lengthCode;
    const unsigned length = (flags & fdFrame) != 0 ? kFdLengthTable[code] : code;
    appendPiece<8>(line, [length](char* out) {
        out[0] = ' ';
        out[1] = length < 10 ? ' ' : static_cast<char>('0' + length / 10);
        out[2] = static_cast<char>('0' + length % 10);
        std::memcpy(out + 3, "  G  ", 5);
        return std::size_t{8};
    });
    formatDataColumn(record, 0, line);
    appendLiteral(line, "    ");
    formatInputColumns(record, line);
}

}  // namespace morvatix
