#include "report/report_file.h"

namespace morvatix {

namespace {

constexpr char kLineEnd[2] = {'\r', '\n'};

}  // namespace

bool createReportFile(const std::string& path, ReportFile& report)
{
    report = ReportFile{};
    report.pending = std::make_unique<char[]>(kReportBufferSize);
    report.stream = std::fopen(path.c_str(), "wb");
    if (report.stream == nullptr) {
        return false;
    }
    // Our own buffer already gathers whole lines; a second one would only copy them again.
    std::setvbuf(report.stream, nullptr, _IONBF, 0);
    return true;
}

ReportFile memoryReportFile(std::string& target, std::size_t limit)
{
    ReportFile report;
    report.memory = &target;
    report.memoryLimit = limit;
    return report;
}

bool flushReportFile(ReportFile& report)
{
    if (report.stream != nullptr && report.pendingLength > 0 && !report.failed) {
        if (std::fwrite(report.pending.get(), 1, report.pendingLength, report.stream) != report.pendingLength) {
            report.failed = true;
        }
    }
    report.pendingLength = 0;
    return !report.failed;
}

bool writeLine(const LineBuffer& line, ReportFile& report)
{
    if (report.failed) {
        return false;
    }
    const std::size_t size = line.length + sizeof kLineEnd;
    if (report.memory != nullptr) {
        if (report.memory->size() + size > report.memoryLimit) {
            report.failed = true;
            return false;
        }
        report.memory->append(line.text, line.length);
        report.memory->append(kLineEnd, sizeof kLineEnd);
        return true;
    }
    if (report.pendingLength + size > kReportBufferSize && !flushReportFile(report)) {
        return false;
    }
    char* end = report.pending.get() + report.pendingLength;
    std::memcpy(end, line.text, line.length);
    std::memcpy(end + line.length, kLineEnd, sizeof kLineEnd);
    report.pendingLength += size;
    return true;
}

bool closeReportFile(ReportFile& report)
{
    bool written = flushReportFile(report);
    if (report.stream != nullptr) {
        // A close that fails may have lost buffered bytes of the system.
        written = std::fclose(report.stream) == 0 && written;
        report.stream = nullptr;
    }
    return written;
}

}  // namespace morvatix
