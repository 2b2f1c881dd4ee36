#include "export/exported_frames.h"

#include <algorithm>

namespace morvatix {

namespace {

// The CAN FD payload lengths; a payload between two of them is padded to the next.
constexpr std::uint8_t kFdLengths[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 16, 20, 24, 32, 48, 64};

std::uint8_t fdLengthFor(unsigned bytes)
{
    for (const std::uint8_t length : kFdLengths) {
        if (length >= bytes) {
            return length;
        }
    }
    return 64;
}

std::uint64_t microsecondsOf(MonitorRecord record)
{
    return std::uint64_t{timeStamp(record)} * 100;
}

}  // namespace

ExportedCanFrame exportedCanFrame(MonitorRecord record)
{
    using namespace record_flags;
    const std::uint32_t flags = recordFlags(record);
    ExportedCanFrame frame;
    frame.microseconds = microsecondsOf(record);
    frame.identifier = canIdentifier(record);
    frame.extended = (flags & extendedId) != 0;
    frame.fd = (flags & fdFrame) != 0;
    frame.remote = !frame.fd && (flags & remoteFrame) != 0;
    if (frame.remote) {
        frame.remoteLength = static_cast<std::uint8_t>(std::min(flags & lengthCode, 8u));
        return frame;
    }
    const unsigned bytes = recordDataBytes(record, frame.data);
    frame.length = frame.fd ? fdLengthFor(bytes) : static_cast<std::uint8_t>(std::min(bytes, 8u));
    return frame;
}

ExportedLinFrame exportedLinFrame(MonitorRecord record)
{
    using namespace record_flags;
    const std::uint32_t flags = recordFlags(record);
    ExportedLinFrame frame;
    frame.microseconds = microsecondsOf(record);
    frame.protectedId = linProtectedId(record);
    const bool checksumShown = (flags & checksumPresent) != 0;
    frame.checksum = checksumShown ? linChecksum(record) : 0;
    frame.length = static_cast<std::uint8_t>(std::min(dataLength(record), 8u));
    std::copy(dataBytes(record), dataBytes(record) + frame.length, frame.data);

    const bool headerShown = (flags & syncPresent) != 0 && (flags & idPresent) != 0;
    if (headerShown && frame.length == 0 && !checksumShown) {
        frame.errors |= lin_errors::noResponse;
    }
    if ((flags & errorFlag) != 0) {
        frame.errors |= lin_errors::framing;
    }
    if ((flags & statusP) != 0) {
        frame.errors |= lin_errors::parity;
    }
    if ((flags & statusC) != 0) {
        frame.errors |= lin_errors::checksum;
    }
    return frame;
}

}  // namespace morvatix
