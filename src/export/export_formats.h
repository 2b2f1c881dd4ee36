// The formats the exports write, chosen by the output's suffix.
#pragma once

#include "capture/capture_image.h"
#include "platform/platform.h"
#include "report/report_file.h"

#include <cstdint>
#include <optional>
#include <string>

namespace morvatix {

enum class ExportFormat {
    candumpLog,  // .log
    vectorAsc,   // .asc
    pcapng,      // .pcapng
};

std::optional<ExportFormat> exportFormatOf(const std::string& outputPath);

struct ExportCounts {
    std::uint64_t exported = 0;
    std::uint64_t skipped = 0;  // records the format has no place for, and a record cut short
};

// Writes every record of the capture the format can hold; false when the
// output could not take a write.
bool writeExport(ExportFormat format, const MonitorSlotArray& slotArray, const LocalTime& now, ReportFile& output,
                 ExportCounts& counts);

}  // namespace morvatix
