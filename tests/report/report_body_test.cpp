#include "report/report_body.h"

#include "capture/capture_container.h"
#include "capture_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace morvatix::testing {
namespace {

const LocalTime kFixedTime{2024, 3, 7, 14, 5, 9};
constexpr std::size_t kHeaderAndTitleLines = 10;

struct Report {
    bool written = false;
    std::vector<std::string> lines;  // without their CR LF
    std::string text;
};

Report writeReportOf(const Bytes& slots, std::size_t limit = SIZE_MAX)
{
    const Bytes image = captureBytes({settingsChunk(sampleSettings()), monitorChunk(slots)});
    CaptureSettings settings;
    MonitorSlotArray slotArray;
    EXPECT_EQ(readCaptureContainer(image.data(), image.size(), settings, slotArray), ContainerResult::ok);
    Report report;
    ReportFile file = memoryReportFile(report.text, limit);
    LineBuffer line;
    report.written = writeReportBody(file, settings, slotArray, kFixedTime, line);
    std::size_t start = 0;
    for (std::size_t end = report.text.find("\r\n"); end != std::string::npos; end = report.text.find("\r\n", start)) {
        report.lines.push_back(report.text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, report.text.size()) << "every line ends with CR LF";
    return report;
}

std::vector<std::string> recordLines(const Bytes& slots)
{
    const Report report = writeReportOf(slots);
    EXPECT_TRUE(report.written);
    EXPECT_GE(report.lines.size(), kHeaderAndTitleLines);
    return {report.lines.begin() + static_cast<std::ptrdiff_t>(kHeaderAndTitleLines), report.lines.end()};
}

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

SlotFields headless(std::uint32_t time)
{
    SlotFields slot = inputSlot(time);
    slot.head = false;
    return slot;
}

SlotFields withLength(SlotFields slot, std::uint8_t length)
{
    slot.dataLength = length;
    return slot;
}

std::string inputLine(const char* time)
{
    return std::string("  ") + time + std::string(54, ' ') + "  0.00  0.00  0.00  0.00  00000";
}

const std::string kOverrun = "               == Overrun ==";

TEST(RecordWalk, Cases)
{
    struct Case {
        const char* label;
        Bytes slots;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"no slots", {}, {}},
        {"head-less slots are stepped over",
         join({slotBytes(headless(10)), slotBytes(headless(20)), slotBytes(inputSlot(30))}),
         {inputLine("00:00:00.003")}},
        {"only head-less slots", join({slotBytes(headless(10)), slotBytes(headless(20))}), {}},
        {"length 8 then a head slot", join({slotBytes(withLength(inputSlot(10), 8)), slotBytes(inputSlot(20))}),
         {inputLine("00:00:00.001"), inputLine("00:00:00.002")}},
        {"length 9 takes the next slot whatever it holds",
         join({slotBytes(withLength(inputSlot(10), 9)), slotBytes(inputSlot(20)), slotBytes(inputSlot(30))}),
         {inputLine("00:00:00.001"), inputLine("00:00:00.003")}},
        {"length 37 takes three slots",
         join({recordBytes(withLength(inputSlot(10), 37)), slotBytes(inputSlot(40))}),
         {inputLine("00:00:00.001"), inputLine("00:00:00.004")}},
        {"incomplete last record", join({slotBytes(inputSlot(10)), slotBytes(withLength(inputSlot(20), 20))}),
         {inputLine("00:00:00.001")}},
        {"two slots left for a three-slot record",
         join({slotBytes(withLength(inputSlot(20), 40)), slotBytes(inputSlot(30))}), {}},
        {"overrun of length 0", slotBytes(overrunSlot()), {kOverrun}},
        {"overrun of length 40", join({recordBytes(withLength(overrunSlot(), 40)), slotBytes(inputSlot(50))}),
         {kOverrun, inputLine("00:00:00.005")}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        EXPECT_EQ(recordLines(each.slots), each.lines);
    }
}

TEST(RecordWalk, UnknownKindsNeverRepeatThePreviousLine)
{
    Bytes slots = slotBytes(inputSlot(10));
    for (std::uint8_t kind = 3; kind <= 6; ++kind) {
        SlotFields unknown = withLength(inputSlot(20), 9);
        unknown.recordKind = kind;
        const Bytes record = recordBytes(unknown);
        slots.insert(slots.end(), record.begin(), record.end());
    }
    const std::vector<std::string> lines = recordLines(slots);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "               == Unknown record kind 3 ==");
    EXPECT_EQ(lines[4], "               == Unknown record kind 6 ==");
}

TEST(RecordWalk, FailedWriteStopsTheBody)
{
    const Bytes slots = join({slotBytes(inputSlot(10)), slotBytes(inputSlot(20)), slotBytes(inputSlot(30))});
    const Report whole = writeReportOf(slots);
    ASSERT_TRUE(whole.written);
    ASSERT_EQ(whole.lines.size(), kHeaderAndTitleLines + 3);
    // Room for every line but the last.
    const Report cut = writeReportOf(slots, whole.text.size() - 1);
    EXPECT_FALSE(cut.written);
    EXPECT_EQ(cut.lines.size(), kHeaderAndTitleLines + 2);
}

TEST(ReportFile, CloseReportsAFailedWrite)
{
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (full == nullptr) {
        GTEST_SKIP() << "no /dev/full here";
    }
    ReportFile report;
    report.stream = full;
    report.pending = std::make_unique<char[]>(kReportBufferSize);
    LineBuffer line;
    setLine(line, "text", 4);
    EXPECT_TRUE(writeLine(line, report));  // still in the buffer
    EXPECT_FALSE(closeReportFile(report));
}

}  // namespace
}  // namespace morvatix::testing
