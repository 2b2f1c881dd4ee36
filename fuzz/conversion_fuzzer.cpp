// Runs the whole conversion in memory on arbitrary bytes: container walk,
// settings decoders, header and record lines, and the three exports. The sanitizers catch any read
// or write out of bounds; the checks below catch a report that breaks its form.
#include "capture/capture_container.h"
#include "capture/record_walk.h"
#include "export/export_formats.h"
#include "report/report_body.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// The lines the walk must give: one per complete record, counted here
// slot by slot without the walk's help.
std::size_t expectedRecordLines(const morvatix::MonitorSlotArray& slotArray)
{
    std::size_t lines = 0;
    std::uint32_t index = 0;
    while (index < slotArray.slotCount) {
        const std::uint8_t* slot = slotArray.slots.get() + std::size_t{index} * morvatix::kSlotSize;
        if ((slot[3] & 0x80) == 0) {
            ++index;
            continue;
        }
        const unsigned length = slot[0] & 0x7Fu;
        const unsigned taken = length <= 8 ? 1 : length <= 36 ? 2 : 3;
        if (slotArray.slotCount - index < taken) {
            break;
        }
        ++lines;
        index += taken;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size copy: the address sanitizer then sees any read past the image.
    std::unique_ptr<std::uint8_t[]> image(new std::uint8_t[size == 0 ? 1 : size]);
    if (size > 0) {
        std::memcpy(image.get(), data, size);
    }

    morvatix::CaptureSettings settings;
    morvatix::MonitorSlotArray slotArray;
    const morvatix::ContainerResult result = readCaptureContainer(image.get(), size, settings, slotArray);
    require(result != morvatix::ContainerResult::memoryError);  // inputs here are small
    if (result != morvatix::ContainerResult::ok) {
        return 0;
    }
    require(settings.modelCode == morvatix::kExpectedModelCode);
    require(slotArray.slotCount <= size / morvatix::kSlotSize);

    std::string text;
    morvatix::ReportFile report = morvatix::memoryReportFile(text);
    morvatix::LineBuffer line;
    require(writeReportBody(report, settings, slotArray, morvatix::LocalTime{2024, 3, 7, 14, 5, 9}, line));

    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        require(end != std::string::npos);
        require(end - start < 120);
        require(text.find_first_of("\r\n", start) == end);  // no stray line-end byte inside a line
        ++lines;
        start = end + 2;
    }
    require(lines == 10 + expectedRecordLines(slotArray));

    std::size_t canFrames = 0;
    std::size_t linFrames = 0;
    morvatix::RecordWalk walk = morvatix::startRecordWalk(slotArray);
    morvatix::MonitorRecord record{};
    while (morvatix::nextRecord(walk, record)) {
        canFrames += morvatix::recordKind(record) == morvatix::kCanFrame ? 1 : 0;
        linFrames += morvatix::recordKind(record) == morvatix::kLinFrame ? 1 : 0;
    }
    for (const auto format :
         {morvatix::ExportFormat::candumpLog, morvatix::ExportFormat::vectorAsc, morvatix::ExportFormat::pcapng}) {
        std::string exported;
        morvatix::ReportFile output = morvatix::memoryReportFile(exported);
        morvatix::ExportCounts counts;
        require(writeExport(format, slotArray, morvatix::LocalTime{2024, 3, 7, 14, 5, 9}, output, counts));
        const bool pcapng = format == morvatix::ExportFormat::pcapng;
        require(counts.exported == canFrames + (pcapng ? linFrames : 0));
        require(counts.exported + counts.skipped == lines - 10 + (walk.cutShort ? 1 : 0));
        if (pcapng) {
            require(exported.size() % 4 == 0);
        } else {
            require(!exported.empty() || canFrames == 0);
            require(exported.empty() || exported.back() == '\n');
        }
    }
    return 0;
}
