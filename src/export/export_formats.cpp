#include "export/export_formats.h"

#include "export/format_writers.h"

#include <cstring>

namespace morvatix {

namespace {

bool endsWith(const std::string& text, const char* suffix)
{
    const std::size_t length = std::strlen(suffix);
    if (text.size() < length) {
        return false;
    }
    for (std::size_t index = 0; index < length; ++index) {
        const char character = text[text.size() - length + index];
        const char lower = character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
        if (lower != suffix[index]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<ExportFormat> exportFormatOf(const std::string& outputPath)
{
    if (endsWith(outputPath, ".log")) {
        return ExportFormat::candumpLog;
    }
    if (endsWith(outputPath, ".asc")) {
        return ExportFormat::vectorAsc;
    }
    if (endsWith(outputPath, ".pcapng")) {
        return ExportFormat::pcapng;
    }
    return std::nullopt;
}

bool writeExport(ExportFormat format, const MonitorSlotArray& slotArray, const LocalTime& now, ReportFile& output,
                 ExportCounts& counts)
{
    counts = ExportCounts{};
    const bool started = format == ExportFormat::vectorAsc  ? writeAscHeader(now, output)
                         : format == ExportFormat::pcapng   ? writePcapngHeader(output)
                                                            : true;
    if (!started) {
        return false;
    }
    RecordWalk walk = startRecordWalk(slotArray);
    MonitorRecord record{};
    while (nextRecord(walk, record)) {
        bool written = true;
        const unsigned kind = recordKind(record);
        if (kind == kCanFrame) {
            const ExportedCanFrame frame = exportedCanFrame(record);
            written = format == ExportFormat::candumpLog ? writeCandumpFrame(frame, output)
                      : format == ExportFormat::vectorAsc ? writeAscFrame(frame, output)
                                                          : writePcapngCanFrame(frame, output);
        } else if (kind == kLinFrame && format == ExportFormat::pcapng) {
            written = writePcapngLinFrame(exportedLinFrame(record), output);
        } else {
            ++counts.skipped;
            continue;
        }
        if (!written) {
            return false;
        }
        ++counts.exported;
    }
    if (walk.cutShort) {
        ++counts.skipped;
    }
    return format != ExportFormat::vectorAsc || writeAscFooter(output);
}

}  // namespace morvatix
