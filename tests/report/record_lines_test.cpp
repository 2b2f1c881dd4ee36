// Each record line against the lines the analyzer's users know, byte for byte.
#include "report/record_lines.h"

#include "capture/capture_settings.h"
#include "capture_writer.h"

#include <gtest/gtest.h>

namespace morvatix::testing {
namespace {

SlotFields withData(SlotFields slot, std::initializer_list<std::uint8_t> data)
{
    slot.dataLength = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.begin() + std::min<std::size_t>(data.size(), 8), slot.dataBytes.begin());
    return slot;
}

SlotFields withLength(SlotFields slot, std::uint8_t dataLength)
{
    slot.dataLength = dataLength;
    return slot;
}

// The LIN length table of the examples: identifier 10 (hexadecimal) expects 2 bytes.
CaptureSettings tableSettings()
{
    CaptureSettings settings = sampleSettings();
    setLinLengthCheck(settings, 1);
    for (unsigned identifier = 0; identifier < 64; ++identifier) {
        setLinExpectedLength(settings, identifier, 0);
    }
    setLinExpectedLength(settings, 0x10, 2);
    return settings;
}

struct LineCase {
    const char* label;
    SlotFields slot;
    bool table;
    std::string line;
};

std::string formatted(const SlotFields& fields, bool table, const CaptureSettings& settings = tableSettings())
{
    const Bytes slot = slotBytes(fields);
    LineBuffer line;
    setLine(line, "previous line", 13);
    formatRecord(MonitorRecord{slot.data()}, LinLengthTable{table ? settings.linPortSettings + 16 : nullptr}, line);
    return std::string(line.text, line.length);
}

void expectLines(const std::vector<LineCase>& cases)
{
    for (const LineCase& each : cases) {
        SCOPED_TRACE(each.label);
        EXPECT_EQ(formatted(each.slot, each.table), each.line);
    }
}

const std::string kTitle =
    "---Time stamp---------ID--Type---DLC-St------------Data----------CS----IN1---IN2---IN3---IN4--T1234";

TEST(InputRecordLine, WorkedExample)
{
    SlotFields input = inputSlot(123'456'789);
    input.recordFlags = kTMark | (1u << 28) | (1u << 27) | (1u << 25);
    input.inputValues = {330, 0, 499, 1};
    input.dataBytes = {1, 2, 3, 4, 5, 6, 7, 8};  // not read
    const std::string line = formatted(input, false);
    EXPECT_EQ(line, "T 03:25:45.678                                                        3.30  0.00  4.99  0.01  10101");
    EXPECT_EQ(line.size(), kTitle.size());
}

TEST(SharedColumns, TimeStamps)
{
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "00:00:00.000"},           {9, "00:00:00.000"},          {10, "00:00:00.001"},
        {863'999'999, "23:59:59.999"}, {864'000'000, "00:00:00.000"}, {4'294'967'295u, "23:18:16.729"},
        {472'251'230, "13:07:05.123"},
    };
    for (const auto& [time, text] : cases) {
        LineBuffer line;
        formatTimeStamp(time, line);
        EXPECT_EQ(std::string(line.text, line.length), text) << time;
    }
}

TEST(SharedColumns, InputValuesAndStateBits)
{
    struct Case {
        std::array<std::int16_t, 4> values;
        std::uint32_t flags;
        const char* columns;
    };
    const Case cases[] = {
        {{-1, -32768, 5, 999}, 0, "  0.00  0.00  0.05  9.99  00000"},
        {{1000, 32767, 1234, 7}, 0, "  10.00  327.67  12.34  0.07  00000"},
        {{0, 0, 0, 0}, (1u << 25) | (1u << 26) | (1u << 28), "  0.00  0.00  0.00  0.00  10110"},
        {{0, 0, 0, 0}, 0x1F000000u, "  0.00  0.00  0.00  0.00  11111"},
    };
    for (const Case& each : cases) {
        SlotFields slot = inputSlot(0);
        slot.inputValues = each.values;
        slot.recordFlags = each.flags;
        const Bytes bytes = slotBytes(slot);
        LineBuffer line;
        formatInputColumns(MonitorRecord{bytes.data()}, line);
        EXPECT_EQ(std::string(line.text, line.length), each.columns);
    }
}

TEST(SharedColumns, DataBytesWithMarks)
{
    const std::uint8_t bytes[] = {0xAA, 0xBB, 0xCC};
    LineBuffer line;
    EXPECT_EQ(formatDataBytes(bytes, 3, 5, line), 9u);
    EXPECT_EQ(std::string(line.text, line.length), "AA'BB CC'");
    EXPECT_EQ(formatDataBytes(bytes, 0, 0xFF, line), 0u);
    EXPECT_EQ(line.length, 9u);
}

TEST(SharedColumns, WritesStayWithinTheBuffer)
{
    LineBuffer line;
    line.length = kLineCapacity - 5;
    const std::uint8_t bytes[] = {0x12, 0x34, 0x56};
    EXPECT_EQ(formatDataBytes(bytes, 3, 0, line), 4u);
    EXPECT_EQ(line.length, kLineCapacity - 1);
    formatTimeStamp(0, line);
    appendSpaces(line, 100);
    EXPECT_EQ(line.length, kLineCapacity - 1);
}

TEST(CanFrameLine, WorkedExamples)
{
    SlotFields classic = withData(canSlot(472'251'230, 0x123, false, 8), {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88});
    SlotFields remote = canSlot(472'251'240, 0x18DAF110, true, kTMark | kRemote | 2);
    SlotFields fdAsterisk = withLength(canSlot(472'251'300, 0x7E8, false, kFd | kFdAsterisk | 15), 64);
    fdAsterisk.dataBytes = {0, 1, 2, 3, 4, 5, 6, 7};
    SlotFields fdExclamation = withLength(canSlot(472'251'320, 0xABC, true, kFd | kFdExclamation | 9), 12);
    fdExclamation.dataBytes = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};
    SlotFields lowBits = withData(canSlot(472'251'310, 0x7FF, false, 11), {0xDE, 0xAD, 0xBE});
    lowBits.kindBits |= 0x3FFFF;
    lowBits.inputValues[0] = 250;

    expectLines({
        {"classic data frame", classic, false,
         "  13:07:05.123       123 Data     8  G  11 22 33 44 55 66 77 88       0.00  0.00  0.00  0.00  00000"},
        {"remote frame, 29-bit", remote, false,
         "T 13:07:05.124  18DAF110 Remote   2  G                                0.00  0.00  0.00  0.00  00000"},
        {"FD frame with asterisk", fdAsterisk, false,
         "  13:07:05.130       7E8 FData*  64  G  00 01 02 03 04 05 06 07       0.00  0.00  0.00  0.00  00000"},
        {"FD frame with exclamation", fdExclamation, false,
         "  13:07:05.132  00000ABC FData ! 12  G  A0 A1 A2 A3 A4 A5 A6 A7       0.00  0.00  0.00  0.00  00000"},
        {"low identifier bits ignored", lowBits, false,
         "  13:07:05.131       7FF Data    11  G  DE AD BE                      2.50  0.00  0.00  0.00  00000"},
    });
}

TEST(CanFrameLine, TypeTextsAndLengthColumn)
{
    const std::string rest = std::string(24 + 4, ' ') + "  0.00  0.00  0.00  0.00  00000";
    struct Case {
        std::uint32_t flags;
        const char* typeAndLength;
    };
    const Case cases[] = {
        {0, "Data     0"},
        {kRemote | 2, "Remote   2"},
        {15, "Data    15"},                             // a classic code is shown as it is
        {kFdAsterisk | kFdExclamation | 9, "Data     9"},  // FD marks on a classic frame change nothing
        {kFd | 15, "FData   64"},
        {kFd | kRemote | 13, "FData   32"},  // remote is not read for FD frames
        {kFd | kFdAsterisk | kFdExclamation | 12, "FData*! 24"},
        {kFd | 8, "FData    8"},
    };
    for (const Case& each : cases) {
        const std::string line = formatted(canSlot(0, 0, false, each.flags), false);
        EXPECT_EQ(line, std::string("  00:00:00.000       000 ") + each.typeAndLength + "  G  " + rest);
    }
}

TEST(LinFrameLine, WorkedExamples)
{
    expectLines({
        {"good frame, table", withData(linSlot(472'251'400, 0x50, 0x55, 0x5A, kChecksumPresent | kLinHeader), {0x12, 0x34}),
         true, "  13:07:05.140 55 50  10          2  G  12 34                    5A   0.00  0.00  0.00  0.00  00000"},
        {"status C and marks, no table",
         withData(linSlot(472'251'500, 0x3C, 0x55, 0x9E, kChecksumPresent | kLinHeader | kChecksumMark | kStatusC | 0x04),
                  {1, 2, 3, 4, 5, 6, 7, 8}),
         false, "  13:07:05.150 55 3C  3C             C  01 02 03'04 05 06 07 08  9E'  0.00  0.00  0.00  0.00  00000"},
        {"header only, no table", linSlot(472'251'600, 0x50, 0x55, 0, kLinHeader), false,
         "  13:07:05.160 55 50  10             R                                0.00  0.00  0.00  0.00  00000"},
        {"only a sync byte 54 with marks and error", linSlot(472'251'700, 0, 0x54, 0, kSyncPresent | kSyncMark | kErrorFlag),
         false, "  13:07:05.170 54'       Illegal     S                                0.00  0.00  0.00  0.00  00000"},
        {"no header byte, error", linSlot(472'251'800, 0, 0, 0, kErrorFlag), false,
         "  13:07:05.180           Illegal                                      0.00  0.00  0.00  0.00  00000"},
        {"length differs from the table",
         withData(linSlot(472'251'900, 0x50, 0x55, 0x11, kChecksumPresent | kLinHeader), {0xA1, 0xB2, 0xC3}), true,
         "  13:07:05.190 55 50  10          2  L  A1 B2 C3                 11   0.00  0.00  0.00  0.00  00000"},
        {"frame error with status P",
         withData(linSlot(472'252'000, 0x50, 0x55, 0, kTMark | kErrorFlag | kStatusP | kLinHeader | kIdMark | 0x01), {0x77}),
         true, "T 13:07:05.200 55 50' 10 Frame    2  P  77'                           0.00  0.00  0.00  0.00  00000"},
        {"only a sync byte 55", linSlot(472'252'100, 0, 0x55, 0, kSyncPresent), false,
         "  13:07:05.210 55                                                     0.00  0.00  0.00  0.00  00000"},
    });
}

TEST(LinFrameLine, StatusDecisions)
{
    // Status letter (column 37) and expected-length column (32-34) of one frame.
    struct Case {
        const char* label;
        std::uint8_t sync;
        std::uint32_t flags;
        std::uint8_t dataLength;
        bool table;
        const char* lengthAndStatus;
    };
    const Case cases[] = {
        {"bad sync beats everything", 0x54, kLinHeader | kStatusP | kStatusC | kChecksumPresent, 2, true, "  2  S  "},
        {"P beats C", 0x55, kLinHeader | kStatusP | kStatusC | kChecksumPresent, 2, false, "     P  "},
        {"R beats C", 0x55, kLinHeader | kStatusC, 0, false, "     R  "},
        {"R with a table", 0x55, kLinHeader, 0, true, "  2  R  "},
        {"C", 0x55, kLinHeader | kStatusC | kChecksumPresent, 2, true, "  2  C  "},
        {"length matches, checksum missing", 0x55, kLinHeader, 2, true, "  2  L  "},
        {"length matches, checksum missing, no table", 0x55, kLinHeader, 2, false, "     G  "},
        {"length differs", 0x55, kLinHeader | kChecksumPresent, 1, true, "  2  L  "},
        {"good", 0x55, kLinHeader | kChecksumPresent, 2, true, "  2  G  "},
        {"only sync, bad, table not read", 0x54, kSyncPresent, 2, true, "     S  "},
        {"only sync, good", 0x55, kSyncPresent, 2, true, "        "},
        {"identifier without sync", 0x54, kIdPresent | kStatusP, 2, true, "        "},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        SlotFields slot = withLength(linSlot(0, 0x50, each.sync, 0, each.flags), each.dataLength);
        EXPECT_EQ(formatted(slot, each.table).substr(32, 8), each.lengthAndStatus);
    }
}

TEST(LinFrameLine, NegativeAndWideExpectedLengthsWidenTheLine)
{
    CaptureSettings settings = tableSettings();
    setLinExpectedLength(settings, 0x10, -1);
    setLinExpectedLength(settings, 0x11, -128);
    setLinExpectedLength(settings, 0x12, 12);
    const SlotFields frame = withData(linSlot(0, 0x50, 0x55, 0xAB, kLinHeader | kChecksumPresent), {0xFF});
    EXPECT_EQ(formatted(frame, true, settings), "  00:00:00.000 55 50  10" + std::string(8, ' ') + "  -1  L  FF" +
                                                    std::string(23, ' ') + "AB   0.00  0.00  0.00  0.00  00000");
    SlotFields other = frame;
    other.kindBits = 0x11 | (0x55u << 8) | (0xABu << 16);
    EXPECT_EQ(formatted(other, true, settings).substr(24, 16), "          -128  ");
    other.kindBits = 0xD2 | (0x55u << 8) | (0xABu << 16);  // parity bits set: identifier 12
    EXPECT_EQ(formatted(other, true, settings).substr(14, 24), " 55 D2  12          12  ");
}

TEST(LinFrameLine, MarksBeyondTheDataAreNotShown)
{
    SlotFields frame = linSlot(0, 0x50, 0x55, 0, kLinHeader | kChecksumPresent | 0xFE);
    frame.dataLength = 1;
    frame.dataBytes = {0x01, 0x02};
    EXPECT_EQ(formatted(frame, false).substr(40, 28), "01" + std::string(23, ' ') + "00 ");
    frame.dataLength = 20;  // a long record still shows eight bytes
    EXPECT_EQ(formatted(frame, false).substr(40, 24), "01 02'00'00'00'00'00'00'");
}

TEST(RecordLine, OverrunAndUnknownKinds)
{
    SlotFields overrun = overrunSlot();
    overrun.dataLength = 40;
    overrun.timeStamp = 12345;
    EXPECT_EQ(formatted(overrun, false), "               == Overrun ==");
    for (std::uint8_t kind = 3; kind <= 6; ++kind) {
        SlotFields unknown = inputSlot(0);
        unknown.recordKind = kind;
        EXPECT_EQ(formatted(unknown, false), "               == Unknown record kind " + std::to_string(kind) + " ==");
    }
}

}  // namespace
}  // namespace morvatix::testing
