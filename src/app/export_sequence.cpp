#include "app/export_sequence.h"

#include "app/capture_reading.h"
#include "app/output_file.h"
#include "app/run_sequence.h"
#include "export/export_formats.h"

#include <cinttypes>
#include <cstring>
#include <string>

namespace morvatix {

namespace {

constexpr char kUsage[] =
    "usage: morvatix-export CAPTURE OUTPUT\n"
    "Writes the CAN and LIN frames of a capture in the format that OUTPUT's suffix names:\n"
    "  .log     candump log (can-utils), CAN frames\n"
    "  .asc     Vector ASC, CAN frames on channel 1\n"
    "  .pcapng  pcapng for Wireshark: CAN frames on interface can0, LIN frames on lin0\n"
    "CAPTURE is named as for morvatix: \".DT\" is added when it has no extension.\n";

}  // namespace

int runExporter(int argumentCount, const char* const* arguments, std::FILE* out, std::FILE* console)
{
    if (argumentCount == 2 && std::strcmp(arguments[1], "--help") == 0) {
        std::fputs(kUsage, out);
        return kExitSuccess;
    }
    std::optional<ExportFormat> format;
    if (argumentCount == 3) {
        format = exportFormatOf(arguments[2]);
    }
    if (!format) {
        std::fputs(kUsage, console);
        return kExitInputError;
    }

    std::string inputPath = arguments[1];
    const std::string outputPath = arguments[2];
    if (inputPath.size() > kMaxPathLength) {
        std::fputs("Input error\n", console);
        return kExitInputError;
    }
    unquoteSpaces(inputPath);
    if (!addExtension(inputPath, ".DT")) {
        std::fputs("Input error\n", console);
        return kExitInputError;
    }
    std::fprintf(console, "  From: \"%s\"\n", inputPath.c_str());
    std::fprintf(console, "  To  : \"%s\"\n", outputPath.c_str());

    static CaptureSettings settings;
    MonitorSlotArray slotArray;
    if (!readCapture(inputPath, console, settings, slotArray)) {
        return kExitConversionFailed;
    }
    ExportCounts counts;
    const bool written = writeOutputFile(outputPath, inputPath, console, [&](ReportFile& output) {
        return writeExport(*format, slotArray, readLocalTime(), output, counts);
    });
    if (!written) {
        return kExitConversionFailed;
    }
    std::fprintf(console, "Exported %" PRIu64 " records, skipped %" PRIu64 "\n", counts.exported, counts.skipped);
    return kExitSuccess;
}

}  // namespace morvatix
