#include "sample_capture.h"

namespace morvatix::testing {

namespace {

SlotFields withData(SlotFields slot, std::initializer_list<std::uint8_t> data)
{
    slot.dataLength = static_cast<std::uint8_t>(data.size());
    std::size_t index = 0;
    for (const std::uint8_t byte : data) {
        if (index < slot.dataBytes.size()) {
            slot.dataBytes[index] = byte;
        }
        ++index;
    }
    return slot;
}

}  // namespace

Bytes sampleCaptureBytes()
{
    CaptureSettings settings = sampleSettings();
    setCanBaudRate(settings, 500'000);
    setLinBaudRate(settings, 192'000);
    setLinLengthCheck(settings, 1);
    setLinExpectedLength(settings, 0x10, 2);
    setLinExpectedLength(settings, 0x3C, 8);

    const std::uint32_t start = 472'251'230;  // 13:07:05.123
    Bytes slots;
    auto add = [&slots](const Bytes& record) { slots.insert(slots.end(), record.begin(), record.end()); };

    SlotFields input = inputSlot(start - 50);
    input.inputValues = {330, 0, 499, 1};
    input.recordFlags = kTMark | (1u << 28) | (1u << 25) | (1u << 27);
    add(recordBytes(input));

    add(recordBytes(withData(canSlot(start, 0x123, false, 8), {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88})));
    add(recordBytes(canSlot(start + 10, 0x18DAF110, true, kTMark | kRemote | 2)));

    Bytes fdData;
    for (std::uint8_t value = 0; value < 64; ++value) {
        fdData.push_back(value);
    }
    SlotFields fd = canSlot(start + 70, 0x7E8, false, kFd | (1u << 6) | 15);
    fd.dataLength = 64;
    for (std::size_t index = 0; index < 8; ++index) {
        fd.dataBytes[index] = fdData[index];
    }
    add(recordBytes(fd, Bytes(fdData.begin() + 8, fdData.end())));

    SlotFields fdShort = canSlot(start + 90, 0xABC, true, kFd | (1u << 8) | 9);
    fdShort.dataLength = 12;
    fdShort.dataBytes = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};
    add(recordBytes(fdShort, {0xA8, 0xA9, 0xAA, 0xAB}));

    SlotFields classic = withData(canSlot(start + 80, 0x7FF, false, 11), {0xDE, 0xAD, 0xBE});
    classic.kindBits |= 0x3FFFF;
    classic.inputValues[0] = 250;
    add(recordBytes(classic));

    add(recordBytes(withData(linSlot(start + 170, 0x50, 0x55, 0x5A, kChecksumPresent | kSyncPresent | kIdPresent), {0x12, 0x34})));
    add(recordBytes(withData(linSlot(start + 270, 0x3C, 0x55, 0x9E, 0xEC04), {1, 2, 3, 4, 5, 6, 7, 8})));
    add(recordBytes(linSlot(start + 370, 0x50, 0x55, 0x00, kSyncPresent | kIdPresent)));
    add(recordBytes(linSlot(start + 470, 0x00, 0x54, 0x00, 0x14200)));
    add(recordBytes(linSlot(start + 570, 0x00, 0x00, 0x00, 1u << 16)));
    add(recordBytes(withData(linSlot(start + 670, 0x50, 0x55, 0x11, 0xE000), {0xA1, 0xB2, 0xC3})));
    add(recordBytes(withData(linSlot(start + 770, 0x50, 0x55, 0x00, 0x80017101), {0x77})));
    add(recordBytes(linSlot(start + 870, 0x00, 0x55, 0x00, kSyncPresent)));

    add(recordBytes(overrunSlot()));
    SlotFields unknown = inputSlot(start + 900);
    unknown.recordKind = 5;
    add(recordBytes(unknown));

    SlotFields stray = inputSlot(start + 950);
    stray.head = false;  // a slot without its head flag gives no line
    add(slotBytes(stray));

    SlotFields negative = inputSlot(start + 1000);
    negative.inputValues = {-1, 1000, 32767, 5};
    negative.recordFlags = (1u << 24) | (1u << 26);
    add(recordBytes(negative));

    return captureBytes({settingsChunk(settings), monitorChunk(slots)});
}

}  // namespace morvatix::testing
