// The boxed block that opens every report: when it was converted, and each
// port's set bit rate with what its clock really achieves.
#pragma once

#include "capture/capture_settings.h"
#include "platform/platform.h"
#include "report/line_buffer.h"
#include "report/report_file.h"

#include <cstdint>
#include <string>

namespace morvatix {

// `deviation` in thousandths of a percent, e.g. "+1.010 %" or "0.000 %".
std::string formatDeviation(std::int32_t deviation);

std::string canEstimateText(std::int32_t canBaudRate);
std::string linEstimateText(std::int32_t linBaudRate);

// Writes the nine header lines; stops with false at the first failed line.
bool writeHeaderBlock(const CaptureSettings& settings, const LocalTime& now, LineBuffer& line,
                      ReportFile& report);

}  // namespace morvatix
