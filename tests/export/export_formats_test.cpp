#include "export/export_formats.h"
#include "export/exported_frames.h"

#include "capture/capture_container.h"
#include "capture_writer.h"

#include <gtest/gtest.h>

namespace morvatix::testing {
namespace {

struct Exported {
    bool written = false;
    ExportCounts counts;
    std::string bytes;
};

Exported exportOf(ExportFormat format, const Bytes& slots)
{
    const Bytes image = captureBytes({settingsChunk(sampleSettings()), monitorChunk(slots)});
    CaptureSettings settings;
    MonitorSlotArray slotArray;
    EXPECT_EQ(readCaptureContainer(image.data(), image.size(), settings, slotArray), ContainerResult::ok);
    Exported out;
    ReportFile output = memoryReportFile(out.bytes);
    out.written = writeExport(format, slotArray, LocalTime{2026, 12, 11, 15, 4, 5}, output, out.counts);
    return out;
}

SlotFields withData(SlotFields slot, std::initializer_list<std::uint8_t> data)
{
    slot.dataLength = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.begin() + std::min<std::size_t>(data.size(), 8), slot.dataBytes.begin());
    return slot;
}

Bytes counting(std::uint8_t first, std::size_t count)
{
    Bytes bytes;
    for (std::size_t index = 0; index < count; ++index) {
        bytes.push_back(static_cast<std::uint8_t>(first + index));
    }
    return bytes;
}

// An FD record of `length` bytes counting up from 0, the bytes past the eighth in its continuation slots.
Bytes fdRecord(std::uint32_t time, std::uint32_t identifier, bool extended, std::uint32_t code, std::uint8_t length)
{
    SlotFields slot = canSlot(time, identifier, extended, kFd | code);
    slot.dataLength = length;
    const Bytes data = counting(0, length);
    std::copy(data.begin(), data.begin() + std::min<std::size_t>(length, 8), slot.dataBytes.begin());
    return recordBytes(slot, length > 8 ? Bytes(data.begin() + 8, data.end()) : Bytes{});
}

TEST(ExportFormat, ChosenBySuffix)
{
    EXPECT_EQ(exportFormatOf("a.log"), ExportFormat::candumpLog);
    EXPECT_EQ(exportFormatOf("dir.x/a.ASC"), ExportFormat::vectorAsc);
    EXPECT_EQ(exportFormatOf("a.pcapng"), ExportFormat::pcapng);
    EXPECT_EQ(exportFormatOf("a.pcap"), std::nullopt);
    EXPECT_EQ(exportFormatOf("log"), std::nullopt);
    EXPECT_EQ(exportFormatOf("a.txt"), std::nullopt);
}

TEST(ExportedFrames, DataComesFromTheContinuationSlots)
{
    const Bytes record = fdRecord(10, 0x7E8, false, 15, 64);
    const ExportedCanFrame frame = exportedCanFrame(MonitorRecord{record.data()});
    ASSERT_EQ(frame.length, 64);
    for (unsigned index = 0; index < 64; ++index) {
        EXPECT_EQ(frame.data[index], index) << index;
    }
    EXPECT_EQ(frame.microseconds, 1000u);

    // 10 bytes: not a CAN FD length, padded with zeros to 12.
    const Bytes shortRecord = fdRecord(0, 0x100, false, 9, 10);
    const ExportedCanFrame padded = exportedCanFrame(MonitorRecord{shortRecord.data()});
    EXPECT_EQ(padded.length, 12);
    EXPECT_EQ(padded.data[9], 9);
    EXPECT_EQ(padded.data[10], 0);
}

TEST(ExportedFrames, LinErrorBits)
{
    struct Case {
        const char* label;
        std::uint32_t flags;
        std::uint8_t dataLength;
        std::uint8_t errors;
    };
    const Case cases[] = {
        {"good frame", kLinHeader | kChecksumPresent, 2, 0},
        {"no response", kLinHeader, 0, lin_errors::noResponse},
        {"no response needs the whole header", 1u << 14, 0, 0},
        {"framing", kLinHeader | kChecksumPresent | (1u << 16), 2, lin_errors::framing},
        {"parity", kLinHeader | kChecksumPresent | (1u << 12), 2, lin_errors::parity},
        {"checksum", kLinHeader | kChecksumPresent | (1u << 11), 2, lin_errors::checksum},
        {"all", kLinHeader | (1u << 11) | (1u << 12) | (1u << 16), 0,
         lin_errors::noResponse | lin_errors::framing | lin_errors::parity | lin_errors::checksum},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        SlotFields slot = linSlot(5, 0x50, 0x55, 0x5A, each.flags);
        slot.dataLength = each.dataLength;
        const Bytes bytes = slotBytes(slot);
        const ExportedLinFrame frame = exportedLinFrame(MonitorRecord{bytes.data()});
        EXPECT_EQ(frame.errors, each.errors);
        EXPECT_EQ(frame.checksum, (each.flags & kChecksumPresent) != 0 ? 0x5A : 0);
        EXPECT_EQ(frame.length, each.dataLength);
    }
}

Bytes mixedSlots()
{
    Bytes slots;
    auto add = [&slots](const Bytes& record) { slots.insert(slots.end(), record.begin(), record.end()); };
    add(recordBytes(withData(canSlot(123'456'789, 0x123, false, 3), {0xDE, 0xAD, 0xBE})));
    add(recordBytes(canSlot(123'456'790, 0x18DAF110, true, kRemote | 2)));
    add(fdRecord(123'456'800, 0xABC, true, 9, 12));
    add(recordBytes(withData(linSlot(123'456'810, 0x50, 0x55, 0x5A, kLinHeader | kChecksumPresent), {0x12, 0x34})));
    add(recordBytes(inputSlot(123'456'820)));
    add(recordBytes(overrunSlot()));
    SlotFields cut = canSlot(123'456'830, 0x1, false, 8);
    cut.dataLength = 20;  // needs two slots, has one
    add(slotBytes(cut));
    return slots;
}

TEST(CandumpLog, Lines)
{
    const Exported log = exportOf(ExportFormat::candumpLog, mixedSlots());
    EXPECT_TRUE(log.written);
    EXPECT_EQ(log.bytes,
              "(0000012345.678900) can0 123#DEADBE\n"
              "(0000012345.679000) can0 18DAF110#R2\n"
              "(0000012345.680000) can0 00000ABC##0000102030405060708090A0B\n");
    EXPECT_EQ(log.counts.exported, 3u);
    EXPECT_EQ(log.counts.skipped, 4u);  // LIN, input, overrun, the record cut short
}

TEST(VectorAsc, Lines)
{
    const Exported asc = exportOf(ExportFormat::vectorAsc, mixedSlots());
    EXPECT_TRUE(asc.written);
    EXPECT_EQ(asc.bytes,
              "date Fri Dec 11 03:04:05.000 pm 2026\n"
              "base hex  timestamps absolute\n"
              "internal events logged\n"
              "// version 9.0.0\n"
              "Begin Triggerblock Fri Dec 11 03:04:05.000 pm 2026\n"
              "   0.000000 Start of measurement\n"
              "12345.678900 1  123             Rx   d 3 DE AD BE\n"
              "12345.679000 1  18DAF110x       Rx   r 2\n"
              "12345.680000 CANFD   1 Rx   00000ABCx" + std::string(34, ' ') +
                  " 0 0 9 12 00 01 02 03 04 05 06 07 08 09 0A 0B"
                  "        0    0     1000        0        0        0        0        0\n"
              "End TriggerBlock\n");
}

// Reads the blocks of a pcapng file: (type, body without the type and lengths).
std::vector<std::pair<std::uint32_t, Bytes>> pcapngBlocks(const std::string& file)
{
    std::vector<std::pair<std::uint32_t, Bytes>> blocks;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    std::size_t offset = 0;
    while (offset + 12 <= file.size()) {
        const std::uint32_t type = readU32(bytes + offset);
        const std::uint32_t total = readU32(bytes + offset + 4);
        EXPECT_EQ(total % 4, 0u);
        EXPECT_LE(offset + total, file.size());
        EXPECT_EQ(readU32(bytes + offset + total - 4), total);
        blocks.emplace_back(type, Bytes(bytes + offset + 8, bytes + offset + total - 4));
        offset += total;
    }
    EXPECT_EQ(offset, file.size());
    return blocks;
}

TEST(Pcapng, BlocksAndPackets)
{
    const Exported pcap = exportOf(ExportFormat::pcapng, mixedSlots());
    EXPECT_TRUE(pcap.written);
    EXPECT_EQ(pcap.counts.exported, 4u);
    EXPECT_EQ(pcap.counts.skipped, 3u);
    const auto blocks = pcapngBlocks(pcap.bytes);
    ASSERT_EQ(blocks.size(), 3u + 4u);
    EXPECT_EQ(blocks[0].first, 0x0A0D0D0Au);
    EXPECT_EQ(readU32(blocks[0].second.data()), 0x1A2B3C4Du);
    EXPECT_EQ(blocks[1].first, 1u);
    EXPECT_EQ(readU16(blocks[1].second.data()), 227);  // SocketCAN
    EXPECT_EQ(blocks[2].first, 1u);
    EXPECT_EQ(readU16(blocks[2].second.data()), 212);  // LIN

    struct Packet {
        std::uint32_t interface;
        std::uint64_t microseconds;
        Bytes data;
    };
    std::vector<Packet> packets;
    for (std::size_t index = 3; index < blocks.size(); ++index) {
        const Bytes& body = blocks[index].second;
        ASSERT_EQ(blocks[index].first, 6u);
        const std::uint32_t length = readU32(body.data() + 12);
        EXPECT_EQ(readU32(body.data() + 16), length);
        packets.push_back({readU32(body.data()),
                           (std::uint64_t{readU32(body.data() + 4)} << 32) | readU32(body.data() + 8),
                           Bytes(body.begin() + 20, body.begin() + 20 + length)});
    }
    // Classic frame: identifier big-endian, length, then eight data bytes.
    EXPECT_EQ(packets[0].interface, 0u);
    EXPECT_EQ(packets[0].microseconds, 12'345'678'900u);
    EXPECT_EQ(packets[0].data, (Bytes{0, 0, 1, 0x23, 3, 0, 0, 0, 0xDE, 0xAD, 0xBE, 0, 0, 0, 0, 0}));
    // Remote frame with a 29-bit identifier.
    EXPECT_EQ(packets[1].data, (Bytes{0xD8, 0xDA, 0xF1, 0x10, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // FD frame: 72 bytes, the FD flag set.
    ASSERT_EQ(packets[2].data.size(), 72u);
    EXPECT_EQ(Bytes(packets[2].data.begin(), packets[2].data.begin() + 9), (Bytes{0x80, 0, 0x0A, 0xBC, 12, 4, 0, 0, 0}));
    EXPECT_EQ(packets[2].data[8 + 11], 11);
    // LIN frame: revision 1, length 2 in the high nibble, identifier, checksum, no errors, the data.
    EXPECT_EQ(packets[3].interface, 1u);
    EXPECT_EQ(packets[3].data, (Bytes{1, 0, 0, 0, 0x20, 0x50, 0x5A, 0, 0x12, 0x34}));
}

TEST(Export, FailedWriteIsReported)
{
    for (const ExportFormat format : {ExportFormat::candumpLog, ExportFormat::vectorAsc, ExportFormat::pcapng}) {
        const Exported whole = exportOf(format, mixedSlots());
        const Bytes image = captureBytes({settingsChunk(sampleSettings()), monitorChunk(mixedSlots())});
        CaptureSettings settings;
        MonitorSlotArray slotArray;
        readCaptureContainer(image.data(), image.size(), settings, slotArray);
        std::string cut;
        ReportFile output = memoryReportFile(cut, whole.bytes.size() - 1);
        ExportCounts counts;
        EXPECT_FALSE(writeExport(format, slotArray, LocalTime{}, output, counts));
    }
}

}  // namespace
}  // namespace morvatix::testing
