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

char* reserveBytes(ReportFile& report, std::size_t size)
{
    if (report.failed) {
        return nullptr;
    }
    if (report.memory != nullptr) {
        if (report.memory->size() + size > report.memoryLimit) {
            report.failed = true;
            return nullptr;
        }
        report.memory->resize(report.memory->size() + size);
        return report.memory->data() + report.memory->size() - size;
    }
    if (size > kReportBufferSize) {
        report.failed = true;
        return nullptr;
    }
    if (report.pendingLength + size > kReportBufferSize && !flushReportFile(report)) {
        return nullptr;
    }
    char* room = report.pending.get() + report.pendingLength;
    report.pendingLength += size;
    return room;
}

bool writeBytes(ReportFile& report, const void* bytes, std::size_t size)
{
    char* room = reserveBytes(report, size);
    if (room == nullptr) {
        return false;
    }
    std::memcpy(room, bytes, size);
    return true;
}

bool writeLine(const LineBuffer& line, ReportFile& report)
{
    char* room = reserveBytes(report, line.length + sizeof kLineEnd);
    if (room == nullptr) {
        return false;
    }
    std::memcpy(room, line.text, line.length);
    std::memcpy(room + line.length, kLineEnd, sizeof kLineEnd);
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
