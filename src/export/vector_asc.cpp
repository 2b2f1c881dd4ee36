#include "export/format_writers.h"
#include "report/digit_writers.h"

#include <cstdio>

namespace morvatix {

namespace {

// "Fri Dec 11 03:04:05.000 pm 2026", as the format's date lines have it.
std::string ascDate(const LocalTime& now)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // Day of the week of a Gregorian date (0 is Sunday).
    static const int kMonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const unsigned month = now.month >= 1 && now.month <= 12 ? now.month : 1u;
    const int year = now.year - (month < 3 ? 1 : 0);
    const int sum = year + year / 4 - year / 100 + year / 400 + kMonthOffsets[month - 1] + now.day;
    const int weekday = (sum % 7 + 7) % 7;  // also for a clock that gives year 0
    const unsigned hour12 = now.hour % 12 == 0 ? 12u : now.hour % 12u;
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %02u %02u:%02u:%02u.000 %s %04u", kDays[weekday], kMonths[month - 1],
                  unsigned{now.day}, hour12, unsigned{now.minute}, unsigned{now.second}, now.hour < 12 ? "am" : "pm",
                  unsigned{now.year});
    return text;
}

// The time column: seconds with six decimals, right-aligned in ten characters.
std::size_t writeAscTime(char* out, std::uint64_t microseconds)
{
    char seconds[20];
    const std::size_t digits = writeUnsigned(seconds, microseconds / 1'000'000);
    std::size_t length = 0;
    for (std::size_t pad = digits; pad < 3; ++pad) {
        out[length++] = ' ';
    }
    std::memcpy(out + length, seconds, digits);
    length += digits;
    out[length++] = '.';
    return length + writeZeroPadded(out + length, microseconds % 1'000'000, 6);
}

std::size_t writeAscIdentifier(char* out, const ExportedCanFrame& frame)
{
    std::size_t length = writeHexDigits(out, frame.identifier, frame.extended ? 8 : 3);
    if (frame.extended) {
        out[length++] = 'x';
    }
    return length;
}

std::size_t writeAscData(char* out, const ExportedCanFrame& frame)
{
    std::size_t length = 0;
    for (unsigned index = 0; index < frame.length; ++index) {
        out[length++] = ' ';
        length += writeHexByte(out + length, frame.data[index]);
    }
    return length;
}

constexpr char kFdDataLengthCodes[] = "0123456789ABCDEF";

char fdLengthCode(unsigned length)
{
    constexpr std::uint8_t kFdLengths[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 16, 20, 24, 32, 48, 64};
    for (unsigned code = 0; code < 16; ++code) {
        if (kFdLengths[code] == length) {
            return kFdDataLengthCodes[code];
        }
    }
    return 'F';
}

bool writeText(ReportFile& output, const std::string& text)
{
    return writeBytes(output, text.data(), text.size());
}

}  // namespace

bool writeAscHeader(const LocalTime& now, ReportFile& output)
{
    const std::string date = ascDate(now);
    return writeText(output, "date " + date + "\n") && writeText(output, "base hex  timestamps absolute\n") &&
           writeText(output, "internal events logged\n") && writeText(output, "// version 9.0.0\n") &&
           writeText(output, "Begin Triggerblock " + date + "\n") &&
           writeText(output, "   0.000000 Start of measurement\n");
}

bool writeAscFrame(const ExportedCanFrame& frame, ReportFile& output)
{
    // The longest line, an FD frame of 64 bytes, has 342 characters.
    char line[512];
    std::size_t length = writeAscTime(line, frame.microseconds);
    if (!frame.fd) {
        // "   0.012300 1  123             Rx   d 8 11 22 ..."
        std::memcpy(line + length, " 1  ", 4);
        length += 4;
        const std::size_t idStart = length;
        length += writeAscIdentifier(line + length, frame);
        while (length < idStart + 15) {
            line[length++] = ' ';
        }
        std::memcpy(line + length, " Rx   ", 6);
        length += 6;
        line[length++] = frame.remote ? 'r' : 'd';
        line[length++] = ' ';
        line[length++] = kHexDigits[frame.remote ? frame.remoteLength : frame.length];
        length += writeAscData(line + length, frame);
    } else {
        // "   0.012300 CANFD   1 Rx        7E8  <name>  0 0 f 64 00 01 ... 0 0 1000 0 0 0 0 0"
        std::memcpy(line + length, " CANFD   1 Rx   ", 16);
        length += 16;
        char identifier[9];
        const std::size_t idLength = writeAscIdentifier(identifier, frame);
        for (std::size_t pad = idLength; pad < 9; ++pad) {
            line[length++] = ' ';
        }
        std::memcpy(line + length, identifier, idLength);
        length += idLength;
        std::memset(line + length, ' ', 34);  // an empty symbolic name
        length += 34;
        std::memcpy(line + length, " 0 0 ", 5);  // bit rate switch and error state: not recorded
        length += 5;
        line[length++] = fdLengthCode(frame.length);
        line[length++] = ' ';
        if (frame.length < 10) {
            line[length++] = ' ';
        }
        length += writeUnsigned(line + length, frame.length);
        length += writeAscData(line + length, frame);
        const char kTail[] = "        0    0     1000        0        0        0        0        0";
        std::memcpy(line + length, kTail, sizeof kTail - 1);
        length += sizeof kTail - 1;
    }
    line[length++] = '\n';
    return writeBytes(output, line, length);
}

bool writeAscFooter(ReportFile& output)
{
    return writeText(output, "End TriggerBlock\n");
}

}  // namespace morvatix
