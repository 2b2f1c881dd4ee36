#include "report/digit_writers.h"
#include "report/record_lines.h"

namespace morvatix {

namespace {

char markCharacter(std::uint32_t flags, std::uint32_t mark)
{
    return (flags & mark) != 0 ? '\'' : ' ';
}

// The five-character status text; none (five spaces) when nothing decides one.
const char* linStatus(MonitorRecord record, std::uint32_t flags, bool hasExpectedLength, int expectedLength)
{
    using namespace record_flags;
    const bool syncPresentFlag = (flags & syncPresent) != 0;
    const bool goodSync = linSyncByte(record) == kLinSyncByte;
    if (!syncPresentFlag) {
        return "     ";
    }
    if ((flags & idPresent) == 0) {
        return goodSync ? "     " : "  S  ";
    }
    const bool checksumShown = (flags & checksumPresent) != 0;
    const char* status = "  G  ";
    if (hasExpectedLength && (static_cast<int>(dataLength(record)) != expectedLength || !checksumShown)) {
        status = "  L  ";
    }
    if (!goodSync) {
        return "  S  ";
    }
    if ((flags & statusP) != 0) {
        return "  P  ";
    }
    if (dataLength(record) == 0 && !checksumShown) {
        return "  R  ";
    }
    if ((flags & statusC) != 0) {
        return "  C  ";
    }
    return status;
}

}  // namespace

void formatLinFrameLine(MonitorRecord record, LinLengthTable table, LineBuffer& line)
{
    using namespace record_flags;
    const std::uint32_t flags = recordFlags(record);
    const bool headerComplete = (flags & syncPresent) != 0 && (flags & idPresent) != 0;
    formatLineStart(record, line);

    if (headerComplete) {
        const std::uint8_t sync = linSyncByte(record);
        const std::uint8_t protectedId = linProtectedId(record);
        const auto identifier = static_cast<std::uint8_t>(linFrameIdentifier(record));
        appendPiece<10>(line, [=](char* out) {
            out[0] = ' ';
            writeHexByte(out + 1, sync);
            out[3] = markCharacter(flags, syncMark);
            writeHexByte(out + 4, protectedId);
            out[6] = markCharacter(flags, idMark);
            out[7] = ' ';
            writeHexByte(out + 8, identifier);
            return std::size_t{10};
        });
    } else if ((flags & syncPresent) != 0) {
        const std::uint8_t sync = linSyncByte(record);
        appendPiece<10>(line, [=](char* out) {
            out[0] = ' ';
            writeHexByte(out + 1, sync);
            out[3] = markCharacter(flags, syncMark);
            std::memset(out + 4, ' ', 6);
            return std::size_t{10};
        });
    } else {
        appendSpaces(line, 10);
    }

    const bool hasExpectedLength = headerComplete && table.entries != nullptr;
    const int expectedLength =
        hasExpectedLength ? static_cast<std::int8_t>(table.entries[4 * linFrameIdentifier(record)]) : 0;
    const char* status = linStatus(record, flags, hasExpectedLength, expectedLength);

    if ((flags & errorFlag) == 0) {
        appendSpaces(line, 8);
    } else if (headerComplete) {
        appendLiteral(line, " Frame  ");
    } else {
        appendLiteral(line, " Illegal");
    }
    if (hasExpectedLength) {
        appendPiece<6>(line, [expectedLength](char* out) {
            out[0] = ' ';
            out[1] = ' ';
            return 2 + writeSigned(out + 2, expectedLength);
        });
    } else {
        appendSpaces(line, 3);
    }
    appendChars(line, status, 5);

    formatDataColumn(record, flags, line);

    if ((flags & checksumPresent) != 0) {
        const std::uint8_t checksum = linChecksum(record);
        appendPiece<4>(line, [=](char* out) {
            out[0] = ' ';
            writeHexByte(out + 1, checksum);
            out[3] = markCharacter(flags, checksumMark);
            return std::size_t{4};
        });
    } else {
        appendSpaces(line, 4);
    }
    formatInputColumns(record, line);
}

}  // namespace morvatix
