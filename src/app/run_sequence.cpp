#include "app/run_sequence.h"

#include "app/capture_reading.h"
#include "app/output_file.h"
#include "platform/platform.h"
#include "report/report_body.h"

#include <optional>
#include <string>

namespace morvatix {

namespace {

// Reads one line without its line end (LF or CR LF); none when the input ends
// or fails before its first character. Reading stops just past the longest
// name (and its CR), which leaves a longer line long enough to be refused.
std::optional<std::string> readTypedName(std::FILE* input)
{
    std::string name;
    int character = std::fgetc(input);
    if (character == EOF) {
        return std::nullopt;
    }
    while (character != EOF && character != '\n') {
        name.push_back(static_cast<char>(character));
        if (name.size() > kMaxPathLength + 1) {
            break;
        }
        character = std::fgetc(input);
    }
    if (!name.empty() && name.back() == '\r') {
        name.pop_back();
    }
    return name;
}

bool writeReport(const std::string& outputPath, const std::string& inputPath, const CaptureSettings& settings,
                 const MonitorSlotArray& slotArray, std::FILE* console)
{
    static LineBuffer line;
    const bool written = writeOutputFile(outputPath, inputPath, console, [&](ReportFile& report) {
        return writeReportBody(report, settings, slotArray, readLocalTime(), line);
    });
    if (written) {
        std::fputs("Complete\n", console);
    }
    return written;
}

bool convertCapture(const std::string& inputPath, const std::string& outputPath, std::FILE* console)
{
    static CaptureSettings settings;
    MonitorSlotArray slotArray;
    return readCapture(inputPath, console, settings, slotArray) &&
           writeReport(outputPath, inputPath, settings, slotArray, console);
}

}  // namespace

int runConverter(int argumentCount, const char* const* arguments, std::FILE* input, std::FILE* console)
{
    std::fputs("[morvatix] Data text converter for KV-508TR", console);
    std::fputs("    Version 1.00\n", console);

    std::string inputPath;
    if (argumentCount == 1) {
        std::fputs("Input data filename ? ", console);
        std::fflush(console);
        const std::optional<std::string> typed = readTypedName(input);
        if (!typed) {
            std::fputs("Input error\n", console);
            return kExitInputError;
        }
        inputPath = *typed;
    } else if (argumentCount == 2) {
        inputPath = arguments[1];
    } else {
        std::fputs("morvatix <filename>\n", console);
        return kExitInputError;
    }
    if (inputPath.size() > kMaxPathLength) {
        std::fputs("Input error\n", console);
        return kExitInputError;
    }

    unquoteSpaces(inputPath);
    const bool inputFormed = addExtension(inputPath, ".DT");
    std::string outputPath = inputPath;
    if (!inputFormed || !renameExtension(outputPath, ".txt")) {
        std::fputs("Input error\n", console);
        return kExitInputError;
    }

    std::fprintf(console, "  From: \"%s\"\n", inputPath.c_str());
    std::fprintf(console, "  To  : \"%s\"\n", outputPath.c_str());
    return convertCapture(inputPath, outputPath, console) ? kExitSuccess : kExitConversionFailed;
}

}  // namespace morvatix
