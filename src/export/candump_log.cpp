#include "export/format_writers.h"
#include "report/digit_writers.h"

namespace morvatix {

namespace {

// "(0000000012.345600) can0 " and the seconds, ten digits, then six of microseconds.
std::size_t writeCandumpStart(char* out, std::uint64_t microseconds)
{
    out[0] = '(';
    writeZeroPadded(out + 1, microseconds / 1'000'000, 10);
    out[11] = '.';
    writeZeroPadded(out + 12, microseconds % 1'000'000, 6);
    std::memcpy(out + 18, ") can0 ", 7);
    return 25;
}

}  // namespace

bool writeCandumpFrame(const ExportedCanFrame& frame, ReportFile& output)
{
    char line[25 + 8 + 3 + 2 * kMaxRecordDataBytes + 1];
    std::size_t length = writeCandumpStart(line, frame.microseconds);
    length += writeHexDigits(line + length, frame.identifier, frame.extended ? 8 : 3);
    line[length++] = '#';
    if (frame.remote) {
        line[length++] = 'R';
        line[length++] = static_cast<char>('0' + frame.remoteLength);
    } else {
        if (frame.fd) {
            // The flags nibble: the record does not say whether the bit rate was switched.
            line[length++] = '#';
            line[length++] = '0';
        }
        for (unsigned index = 0; index < frame.length; ++index) {
            length += writeHexByte(line + length, frame.data[index]);
        }
    }
    line[length++] = '\n';
    return writeBytes(output, line, length);
}

}  // namespace morvatix
