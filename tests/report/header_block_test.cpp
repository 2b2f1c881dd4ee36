#include "report/header_block.h"

#include "capture_writer.h"

#include <gtest/gtest.h>

namespace morvatix::testing {
namespace {

const LocalTime kFixedTime{2024, 3, 7, 14, 5, 9};

struct Header {
    bool written = false;
    std::string text;
};

Header headerFor(std::int32_t canRate, std::int32_t linRate, std::size_t limit = SIZE_MAX)
{
    CaptureSettings settings = sampleSettings();
    setCanBaudRate(settings, canRate);
    setLinBaudRate(settings, linRate);
    Header header;
    ReportFile report = memoryReportFile(header.text, limit);
    LineBuffer line;
    header.written = writeHeaderBlock(settings, kFixedTime, line, report);
    return header;
}

// The header's line `number` (1 to 9), without its CR LF.
std::string headerLine(const std::string& text, int number)
{
    std::size_t start = 0;
    for (int line = 1; line < number; ++line) {
        start = text.find("\r\n", start) + 2;
    }
    return text.substr(start, text.find("\r\n", start) - start);
}

TEST(HeaderBlock, ExampleBlock)
{
    const Header header = headerFor(900'000, 200'000);
    EXPECT_TRUE(header.written);
    EXPECT_EQ(header.text,
              "*===============[2024-03-07 14:05:09]=*\r\n"
              "*  CAN port                           *\r\n"
              "*    Baudrate: 900k bps               *\r\n"
              "*            (909090.9 bps  +1.010 %) *\r\n"
              "*  LIN port                           *\r\n"
              "*    Baudrate:20000 bps               *\r\n"
              "*           (19968.051 bps  -0.159 %) *\r\n"
              "*=====================================*\r\n"
              "\r\n");
}

TEST(HeaderBlock, BitRateAndEstimateLines)
{
    struct Case {
        std::int32_t canRate;
        std::int32_t linRate;
        const char* line3;
        const char* line4;
        const char* line6;
        const char* line7;
    };
    const Case cases[] = {
        {500'000, 192'000, "*    Baudrate: 500k bps               *", "*             (500000.0 bps  0.000 %) *",
         "*    Baudrate:19200 bps               *", "*            (19200.000 bps  0.000 %) *"},
        {83'333, 192'005, "*    Baudrate:  83k bps               *", "*              (83333.3 bps  0.000 %) *",
         "*    Baudrate:19200 bps               *", "*           (19200.000 bps  -0.002 %) *"},
        {-1'500, -5, "*    Baudrate:  -1k bps               *", "*                  (1.0 bps  0.000 %) *",
         "*    Baudrate:    0 bps               *", "*         (400.000 bps  -80099.999 %) *"},
        {0, 0, "*    Baudrate:   0k bps               *", "*                  (1.0 bps  0.000 %) *",
         "*    Baudrate:    0 bps               *", "*                  (400.000 bps  n/a) *"},
        {10'000'000, 1'000'000, "*    Baudrate:10000k bps               *", "*           (10000000.0 bps  0.000 %) *",
         "*    Baudrate:100000 bps               *", "*          (26041.667 bps  -73.957 %) *"},
        {2'147'483'647, 1, "*    Baudrate:2147483k bps               *", "*         (10000000.0 bps  -99.533 %) *",
         "*    Baudrate:    0 bps               *", "*        (400.000 bps  +399900.000 %) *"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.canRate);
        const Header header = headerFor(each.canRate, each.linRate);
        ASSERT_TRUE(header.written);
        EXPECT_EQ(headerLine(header.text, 3), each.line3);
        EXPECT_EQ(headerLine(header.text, 4), each.line4);
        EXPECT_EQ(headerLine(header.text, 6), each.line6);
        EXPECT_EQ(headerLine(header.text, 7), each.line7);
    }
}

TEST(HeaderBlock, FailedLineStopsTheBlock)
{
    const Header whole = headerFor(500'000, 192'000);
    std::size_t fourLines = 0;
    for (int line = 0; line < 4; ++line) {
        fourLines = whole.text.find("\r\n", fourLines) + 2;
    }
    const Header cut = headerFor(500'000, 192'000, fourLines + 5);
    EXPECT_FALSE(cut.written);
    EXPECT_EQ(cut.text, whole.text.substr(0, fourLines));
}

}  // namespace
}  // namespace morvatix::testing
