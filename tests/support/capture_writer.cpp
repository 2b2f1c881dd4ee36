#include "capture_writer.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace morvatix::testing {

void putU16(Bytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(Bytes& out, std::uint32_t value)
{
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    out.insert(out.end(), bytes, bytes + 4);
}

void putBytes(Bytes& out, const std::uint8_t* bytes, std::size_t count)
{
    out.insert(out.end(), bytes, bytes + count);
}

namespace {

Bytes blockContent(const Block& block)
{
    Bytes content = block.data;
    for (const Block& nested : block.inner) {
        const Bytes nestedBytes = blockBytes(nested);
        content.insert(content.end(), nestedBytes.begin(), nestedBytes.end());
    }
    content.insert(content.end(), block.tail.begin(), block.tail.end());
    return content;
}

template <std::size_t N>
Block dataBlock(const std::uint8_t (&field)[N])
{
    Block block;
    putBytes(block.data, field, N);
    return block;
}

// A block whose first word is an inner block's length (blocks A4 and A6).
template <std::size_t N>
Block wrappedBlock(const std::uint8_t (&field)[N])
{
    Block block;
    block.inner.push_back(dataBlock(field));
    return block;
}

Block countedList(std::uint32_t count, const std::uint8_t* entries, std::size_t size)
{
    Block block;
    putU32(block.data, count);
    putBytes(block.data, entries, size);
    return block;
}

}  // namespace

Bytes blockBytes(const Block& block)
{
    if (!block.present) {
        return {};
    }
    const Bytes content = blockContent(block);
    Bytes out;
    putU32(out, block.length.value_or(static_cast<std::uint32_t>(content.size() + 4)));
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

CaptureSettings sampleSettings()
{
    CaptureSettings settings;
    // A distinct pattern per field shows which bytes went where.
    auto fill = [](std::uint8_t* field, std::size_t size, std::uint8_t seed) {
        for (std::size_t index = 0; index < size; ++index) {
            field[index] = static_cast<std::uint8_t>(seed + index);
        }
    };
    settings.groupAMark = 0x2121;
    settings.layoutSelector = 4;
    settings.modelCode = kExpectedModelCode;
    fill(settings.modelBlockTail, sizeof settings.modelBlockTail, 0xE0);
    fill(settings.blockA2Data, sizeof settings.blockA2Data, 0xA2);
    fill(settings.canPortSettings, sizeof settings.canPortSettings, 0x10);
    fill(settings.linPortSettings, sizeof settings.linPortSettings, 0x40);
    fill(settings.blockA4Data, sizeof settings.blockA4Data, 0xA4);
    fill(settings.blockA6Data, sizeof settings.blockA6Data, 0xA6);
    fill(settings.blockB0Data, sizeof settings.blockB0Data, 0x80);
    fill(settings.blockB1Data, sizeof settings.blockB1Data, 0xB1);
    fill(settings.blockB2Data, sizeof settings.blockB2Data, 0xB2);
    fill(settings.blockB3Records, sizeof settings.blockB3Records, 0x30);
    fill(settings.blockB4Entries, sizeof settings.blockB4Entries, 0x60);
    setCanBaudRate(settings, 500'000);
    setLinBaudRate(settings, 192'000);
    setLinLengthCheck(settings, 0);
    return settings;
}

namespace {

void storeU32(std::uint8_t* field, std::uint32_t value)
{
    for (int index = 0; index < 4; ++index) {
        field[index] = static_cast<std::uint8_t>(value >> (8 * index));
    }
}

}  // namespace

void setCanBaudRate(CaptureSettings& settings, std::int32_t bitsPerSecond)
{
    storeU32(settings.canPortSettings, static_cast<std::uint32_t>(bitsPerSecond));
}

void setLinBaudRate(CaptureSettings& settings, std::int32_t tenthsOfBitsPerSecond)
{
    storeU32(settings.linPortSettings, static_cast<std::uint32_t>(tenthsOfBitsPerSecond));
}

void setLinLengthCheck(CaptureSettings& settings, std::uint8_t value)
{
    settings.linPortSettings[6] = value;
}

void setLinExpectedLength(CaptureSettings& settings, unsigned identifier, std::int8_t length)
{
    settings.linPortSettings[16 + 4 * identifier] = static_cast<std::uint8_t>(length);
}

SettingsBody fullSettingsBody(const CaptureSettings& values)
{
    SettingsBody body;
    body.groupA.data = {0, 0, static_cast<std::uint8_t>(values.groupAMark),
                        static_cast<std::uint8_t>(values.groupAMark >> 8)};

    Block model;
    model.data = {values.layoutSelector, values.modelCode, values.modelBlockTail[0], values.modelBlockTail[1]};
    Block port;
    port.inner = {dataBlock(values.canPortSettings), dataBlock(values.linPortSettings)};
    body.groupA.inner = {model,
                         dataBlock(values.blockA2Data),
                         port,
                         wrappedBlock(values.blockA4Data),
                         Block{},
                         wrappedBlock(values.blockA6Data)};

    body.groupB = {dataBlock(values.blockB0Data), dataBlock(values.blockB1Data), dataBlock(values.blockB2Data),
                   countedList(2, values.blockB3Records, sizeof values.blockB3Records),
                   countedList(2, values.blockB4Entries, sizeof values.blockB4Entries)};
    return body;
}

Bytes settingsBodyBytes(const SettingsBody& body)
{
    Bytes area = blockBytes(body.groupA);
    for (const Block& block : body.groupB) {
        const Bytes bytes = blockBytes(block);
        area.insert(area.end(), bytes.begin(), bytes.end());
    }
    Bytes out;
    out.reserve(4 + area.size() + body.afterSettings.size());
    putU32(out, body.settingsLength.value_or(static_cast<std::uint32_t>(area.size() + 4)));
    out.insert(out.end(), area.begin(), area.end());
    out.insert(out.end(), body.afterSettings.begin(), body.afterSettings.end());
    return out;
}

Chunk settingsChunk(const SettingsBody& body)
{
    return Chunk{"DINF", std::nullopt, settingsBodyBytes(body)};
}

Chunk settingsChunk(const CaptureSettings& values)
{
    return settingsChunk(fullSettingsBody(values));
}

Chunk monitorChunk(const Bytes& slots)
{
    return Chunk{"MOND", std::nullopt, slots};
}

Bytes captureMagic()
{
    const char text[] = "TAVROSK DATA   ";
    return Bytes(text, text + sizeof text);  // the terminating NUL is the 16th byte
}

Bytes captureBytes(const std::vector<Chunk>& chunks, const Bytes& trailing)
{
    return captureBytes(captureMagic(), chunks, trailing);
}

Bytes captureBytes(const Bytes& magic, const std::vector<Chunk>& chunks, const Bytes& trailing)
{
    Bytes out = magic;
    for (const Chunk& chunk : chunks) {
        if (chunk.tag.size() != 4) {
            throw std::invalid_argument("a chunk tag has four characters");
        }
        out.insert(out.end(), chunk.tag.begin(), chunk.tag.end());
        putU32(out, chunk.length.value_or(static_cast<std::uint32_t>(chunk.body.size())));
        out.insert(out.end(), chunk.body.begin(), chunk.body.end());
    }
    out.insert(out.end(), trailing.begin(), trailing.end());
    return out;
}

Bytes slotBytes(const SlotFields& slot)
{
    Bytes out;
    out.reserve(32);
    putU32(out, (slot.head ? 0x80000000u : 0u) | ((slot.word0Rest & 0xFFFFFFu) << 7) | (slot.dataLength & 0x7Fu));
    putU32(out, slot.timeStamp);
    putU32(out, (static_cast<std::uint32_t>(slot.recordKind & 7u) << 29) | (slot.kindBits & 0x1FFFFFFFu));
    putU32(out, slot.recordFlags);
    for (const std::int16_t value : slot.inputValues) {
        putU16(out, static_cast<std::uint16_t>(value));
    }
    putBytes(out, slot.dataBytes.data(), slot.dataBytes.size());
    return out;
}

Bytes recordBytes(const SlotFields& head, const Bytes& laterData)
{
    Bytes out = slotBytes(head);
    const unsigned continuationSlots = head.dataLength <= 8 ? 0 : head.dataLength <= 36 ? 1 : 2;
    for (unsigned index = 0; index < continuationSlots; ++index) {
        Bytes slot(32, 0);
        for (std::size_t offset = 0; offset < 28; ++offset) {
            const std::size_t dataIndex = index * 28 + offset;
            if (dataIndex < laterData.size()) {
                slot[4 + offset] = laterData[dataIndex];
            }
        }
        out.insert(out.end(), slot.begin(), slot.end());
    }
    return out;
}

SlotFields inputSlot(std::uint32_t timeStamp)
{
    SlotFields slot;
    slot.timeStamp = timeStamp;
    slot.recordKind = 0;
    return slot;
}

SlotFields canSlot(std::uint32_t timeStamp, std::uint32_t identifier, bool extended, std::uint32_t flags)
{
    SlotFields slot;
    slot.timeStamp = timeStamp;
    slot.recordKind = 1;
    slot.kindBits = extended ? identifier : identifier << 18;
    slot.recordFlags = flags | (extended ? kExtended : 0u);
    return slot;
}

SlotFields linSlot(std::uint32_t timeStamp, std::uint8_t protectedId, std::uint8_t sync, std::uint8_t checksum,
                   std::uint32_t flags)
{
    SlotFields slot;
    slot.timeStamp = timeStamp;
    slot.recordKind = 2;
    slot.kindBits = protectedId | (static_cast<std::uint32_t>(sync) << 8) | (static_cast<std::uint32_t>(checksum) << 16);
    slot.recordFlags = flags;
    return slot;
}

SlotFields overrunSlot()
{
    SlotFields slot;
    slot.recordKind = 7;
    return slot;
}

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

Bytes readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace morvatix::testing
