#include "app/run_sequence.h"

#include "app/capture_loading.h"
#include "capture/capture_container.h"
#include "platform/platform.h"
#include "report/report_body.h"

#include <optional>
#include <string>

namespace morvatix {

namespace {

// Reads one line without its line end (LF or CR LF). None when the input
// ends or fails before its first character, or the line is longer than a name can be.
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
            return std::nullopt;  // a trailing CR may still follow a name of full length
        }
        character = std::fgetc(input);
    }
    if (!name.empty() && name.back() == '\r') {
        name.pop_back();
    }
    if (name.size() > kMaxPathLength) {
        return std::nullopt;
    }
    return name;
}

bool writeReport(const std::string& outputPath, const std::string& inputPath, const CaptureSettings& settings,
                 const MonitorSlotArray& slotArray, std::FILE* console)
{
    ReportFile report;
    // Creating the report over the capture itself would destroy the capture.
    if (isSameExistingFile(outputPath, inputPath) || !createReportFile(outputPath, report)) {
        std::fprintf(console, "Cannot create file \"%s\"\n", outputPath.c_str());
        return false;
    }
    static LineBuffer line;
    const bool bodyWritten = writeReportBody(report, settings, slotArray, readLocalTime(), line);
    const bool closed = closeReportFile(report);
    if (!bodyWritten || !closed) {
        std::fprintf(console, "Cannot write file \"%s\"\n", outputPath.c_str());
        return false;
    }
    std::fputs("Complete\n", console);
    return true;
}

bool convertCapture(const std::string& inputPath, const std::string& outputPath, std::FILE* console)
{
    CaptureImage image;
    switch (loadCaptureImage(inputPath, image)) {
    case LoadResult::ok:
        break;
    case LoadResult::cannotOpen:
        std::fprintf(console, "Cannot open file \"%s\"\n", inputPath.c_str());
        return false;
    case LoadResult::cannotRead:
        std::fprintf(console, "Cannot read file \"%s\"\n", inputPath.c_str());
        return false;
    case LoadResult::memoryError:
        std::fputs("Memory allocation error\n", console);
        return false;
    }

    static CaptureSettings settings;
    MonitorSlotArray slotArray;
    switch (readCaptureContainer(image.bytes.get(), static_cast<std::size_t>(image.count), settings, slotArray)) {
    case ContainerResult::ok:
        break;
    case ContainerResult::dataError:
        std::fprintf(console, "Data error \"%s\"\n", inputPath.c_str());
        return false;
    case ContainerResult::memoryError:
        std::fputs("Memory allocation error\n", console);
        return false;
    }
    return writeReport(outputPath, inputPath, settings, slotArray, console);
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
    std::string outputPath;
    const bool inputFormed = addExtension(inputPath, ".DT");
    outputPath = inputPath;
    if (!inputFormed || !renameExtension(outputPath, ".txt")) {
        std::fputs("Input error\n", console);
        return kExitInputError;
    }

    std::fprintf(console, "  From: \"%s\"\n", inputPath.c_str());
    std::fprintf(console, "  To  : \"%s\"\n", outputPath.c_str());
    return convertCapture(inputPath, outputPath, console) ? kExitSuccess : kExitConversionFailed;
}

}  // namespace morvatix
