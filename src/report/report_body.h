// The report's content: header block, column title line and one line per record.
#pragma once

#include "capture/capture_image.h"
#include "capture/capture_settings.h"
#include "platform/platform.h"
#include "report/line_buffer.h"
#include "report/report_file.h"

namespace morvatix {

inline constexpr char kColumnTitleLine[] =
    "---Time stamp---------ID--Type---DLC-St------------Data----------CS----IN1---IN2---IN3---IN4--T1234";

// Writes the whole report body; false at the first line that cannot be written.
bool writeReportBody(ReportFile& report, const CaptureSettings& settings, const MonitorSlotArray& slotArray,
                     const LocalTime& now, LineBuffer& line);

}  // namespace morvatix
