#include "report/header_block.h"

#include "report/bit_rate_estimates.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>

namespace morvatix {

namespace {

// printf into the line, held to its capacity.
void formatLine(LineBuffer& line, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(line.text, kLineCapacity, format, arguments);
    va_end(arguments);
    line.length = length < 0 ? 0 : std::min(static_cast<std::size_t>(length), kLineCapacity - 1);
}

std::string formatText(const char* format, ...)
{
    char text[64];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return std::string(text, length < 0 ? 0 : std::min(static_cast<std::size_t>(length), sizeof text - 1));
}

bool writeText(LineBuffer& line, ReportFile& report, const char* text)
{
    formatLine(line, "%s", text);
    return writeLine(line, report);
}

}  // namespace

std::string formatDeviation(std::int32_t deviation)
{
    if (deviation == 0) {
        return "0.000 %";
    }
    const std::int64_t magnitude = deviation < 0 ? -std::int64_t{deviation} : std::int64_t{deviation};
    return formatText("%c%" PRId64 ".%03" PRId64 " %%", deviation < 0 ? '-' : '+', magnitude / 1000,
                      magnitude % 1000);
}

std::string canEstimateText(std::int32_t canBaudRate)
{
    const CanBitTiming timing = estimateCanBitTiming(canBaudRate);
    return formatText("(%" PRIu32 ".%01" PRIu32 " bps  %s)", timing.achievedRate / 10, timing.achievedRate % 10,
                      formatDeviation(timing.deviation).c_str());
}

std::string linEstimateText(std::int32_t linBaudRate)
{
    const LinBitRate rate = estimateLinBitRate(linBaudRate);
    const std::string deviation = rate.deviationDefined ? formatDeviation(rate.deviation) : "n/a";
    return formatText("(%" PRId64 ".%03" PRId64 " bps  %s)", rate.achievedRate / 1000, rate.achievedRate % 1000,
                      deviation.c_str());
}

bool writeHeaderBlock(const CaptureSettings& settings, const LocalTime& now, LineBuffer& line, ReportFile& report)
{
    formatLine(line, "*===============[%04u-%02u-%02u %02u:%02u:%02u]=*", unsigned{now.year}, unsigned{now.month},
               unsigned{now.day}, unsigned{now.hour}, unsigned{now.minute}, unsigned{now.second});
    if (!writeLine(line, report) || !writeText(line, report, "*  CAN port                           *")) {
        return false;
    }
    formatLine(line, "*    Baudrate:%4" PRId32 "k bps               *", canBaudRate(settings) / 1000);
    if (!writeLine(line, report)) {
        return false;
    }
    formatLine(line, "*%36s *", canEstimateText(canBaudRate(settings)).c_str());
    if (!writeLine(line, report) || !writeText(line, report, "*  LIN port                           *")) {
        return false;
    }
    formatLine(line, "*    Baudrate:%5" PRId32 " bps               *", linBaudRate(settings) / 10);
    if (!writeLine(line, report)) {
        return false;
    }
    formatLine(line, "*%36s *", linEstimateText(linBaudRate(settings)).c_str());
    return writeLine(line, report) && writeText(line, report, "*=====================================*") &&
           writeText(line, report, "");
}

}  // namespace morvatix
