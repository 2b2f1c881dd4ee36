// One writer per export format; each writes whole lines or blocks.
#pragma once

#include "export/exported_frames.h"
#include "platform/platform.h"
#include "report/report_file.h"

namespace morvatix {

// candump log of can-utils: "(seconds.microseconds) can0 ID#DATA".
bool writeCandumpFrame(const ExportedCanFrame& frame, ReportFile& output);

// Vector ASC, hexadecimal, absolute time stamps, CAN on channel 1.
bool writeAscHeader(const LocalTime& now, ReportFile& output);
bool writeAscFrame(const ExportedCanFrame& frame, ReportFile& output);
bool writeAscFooter(ReportFile& output);

// pcapng with two interfaces: 0 the CAN port (SocketCAN), 1 the LIN port.
bool writePcapngHeader(ReportFile& output);
bool writePcapngCanFrame(const ExportedCanFrame& frame, ReportFile& output);
bool writePcapngLinFrame(const ExportedLinFrame& frame, ReportFile& output);

}  // namespace morvatix
