// The report's output stream, which the exports use too. Writes are gathered
// in a large buffer and handed to the file in whole lines or records; an
// in-memory target serves tests and fuzzing.
#pragma once

#include "report/line_buffer.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace morvatix {

constexpr std::size_t kReportBufferSize = 1 << 18;

struct ReportFile {
    std::FILE* stream = nullptr;         // file target, written in binary mode
    std::string* memory = nullptr;       // in-memory target
    std::size_t memoryLimit = SIZE_MAX;  // the memory target refuses bytes past this, like a full disk
    std::unique_ptr<char[]> pending;     // buffered lines of the file target
    std::size_t pendingLength = 0;
    bool failed = false;
};

// Opens `path` for the report; an existing file is emptied. False on failure.
bool createReportFile(const std::string& path, ReportFile& report);

ReportFile memoryReportFile(std::string& target, std::size_t limit = SIZE_MAX);

// Room for `size` more bytes (at most kReportBufferSize), which reach the
// target together with what is written next; null when the target cannot take them.
char* reserveBytes(ReportFile& report, std::size_t size);

bool writeBytes(ReportFile& report, const void* bytes, std::size_t size);

// Writes the line and its line end, CR LF. False when the report cannot take it.
bool writeLine(const LineBuffer& line, ReportFile& report);

// Hands every buffered line to the file. False when any write failed.
bool flushReportFile(ReportFile& report);

// Flushes and closes; false when a write or the close failed.
bool closeReportFile(ReportFile& report);

}  // namespace morvatix
