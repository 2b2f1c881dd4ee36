#include "report/report_body.h"

#include "capture/record_walk.h"
#include "report/header_block.h"
#include "report/record_lines.h"

namespace morvatix {

void formatRecord(MonitorRecord record, LinLengthTable table, LineBuffer& line)
{
    switch (recordKind(record)) {
    case kInputRecord:
        formatInputRecordLine(record, line);
        break;
    case kCanFrame:
        formatCanFrameLine(record, line);
        break;
    case kLinFrame:
        formatLinFrameLine(record, table, line);
        break;
    case kOverrunMark:
        setLine(line, "               == Overrun ==", 28);
        break;
    default: {
        // Kinds 3 to 6 carry nothing this report can show; say so rather than repeat a line.
        char text[] = "               == Unknown record kind N ==";
        text[sizeof text - 5] = static_cast<char>('0' + recordKind(record));
        setLine(line, text, sizeof text - 1);
        break;
    }
    }
}

bool writeReportBody(ReportFile& report, const CaptureSettings& settings, const MonitorSlotArray& slotArray,
                     const LocalTime& now, LineBuffer& line)
{
    if (!writeHeaderBlock(settings, now, line, report)) {
        return false;
    }
    setLine(line, kColumnTitleLine, sizeof kColumnTitleLine - 1);
    if (!writeLine(line, report)) {
        return false;
    }

    LinLengthTable table;
    if (linLengthCheck(settings) == 1) {
        table.entries = settings.linPortSettings + 16;
    }
    RecordWalk walk = startRecordWalk(slotArray);
    MonitorRecord record{};
    while (nextRecord(walk, record)) {
        formatRecord(record, table, line);
        if (!writeLine(line, report)) {
            return false;
        }
    }
    return true;
}

}  // namespace morvatix
