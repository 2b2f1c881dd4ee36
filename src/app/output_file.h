// Creating, filling and closing an output file beside the capture, with the
// messages both programs print when that fails.
#pragma once

#include "platform/platform.h"
#include "report/report_file.h"

#include <cstdio>
#include <string>

namespace morvatix {

// Creates `outputPath`, has `write(ReportFile&)` fill it and closes it. The
// capture itself is never replaced. On failure prints "Cannot create file" or
// "Cannot write file" with the output's name and gives false.
template <typename Write>
bool writeOutputFile(const std::string& outputPath, const std::string& inputPath, std::FILE* console, Write write)
{
    ReportFile output;
    if (isSameExistingFile(outputPath, inputPath) || !createReportFile(outputPath, output)) {
        std::fprintf(console, "Cannot create file \"%s\"\n", outputPath.c_str());
        return false;
    }
    const bool written = write(output);
    const bool closed = closeReportFile(output);
    if (!written || !closed) {
        std::fprintf(console, "Cannot write file \"%s\"\n", outputPath.c_str());
        return false;
    }
    return true;
}

}  // namespace morvatix
