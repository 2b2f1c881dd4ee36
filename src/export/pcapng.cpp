#include "export/format_writers.h"

#include <cstring>

namespace morvatix {

namespace {

constexpr std::uint32_t kSectionHeaderBlock = 0x0A0D0D0A;
constexpr std::uint32_t kInterfaceBlock = 1;
constexpr std::uint32_t kEnhancedPacketBlock = 6;
constexpr std::uint16_t kLinkTypeSocketCan = 227;
constexpr std::uint16_t kLinkTypeLin = 212;
constexpr std::uint32_t kCanInterface = 0;
constexpr std::uint32_t kLinInterface = 1;

// SocketCAN frames as the kernel hands them out: classic frames 16 bytes, FD frames 72.
constexpr std::size_t kSocketCanHeader = 8;
constexpr std::size_t kClassicFrameSize = kSocketCanHeader + 8;
constexpr std::size_t kFdFrameSize = kSocketCanHeader + 64;
constexpr std::uint32_t kCanExtendedFlag = 0x80000000;
constexpr std::uint32_t kCanRemoteFlag = 0x40000000;
constexpr std::uint8_t kCanFdFrameFlag = 0x04;
constexpr std::size_t kLinHeader = 8;

// The file is written little-endian; the reader learns that from the byte-order magic.
struct BlockWriter {
    std::uint8_t bytes[128] = {};
    std::size_t length = 0;

    void u8(std::uint8_t value) { bytes[length++] = value; }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void raw(const void* data, std::size_t size)
    {
        std::memcpy(bytes + length, data, size);
        length += size;
    }
    void padTo4()
    {
        while (length % 4 != 0) {
            u8(0);
        }
    }
};

// A block is its type, its total length, the body and the total length again.
bool writeBlock(ReportFile& output, std::uint32_t type, const BlockWriter& body)
{
    const auto total = static_cast<std::uint32_t>(body.length + 12);
    BlockWriter block;
    block.u32(type);
    block.u32(total);
    char* room = reserveBytes(output, total);
    if (room == nullptr) {
        return false;
    }
    std::memcpy(room, block.bytes, 8);
    std::memcpy(room + 8, body.bytes, body.length);
    std::memcpy(room + 8 + body.length, block.bytes + 4, 4);
    return true;
}

void option(BlockWriter& body, std::uint16_t code, const char* text)
{
    const auto size = static_cast<std::uint16_t>(std::strlen(text));
    body.u16(code);
    body.u16(size);
    body.raw(text, size);
    body.padTo4();
}

bool writeInterface(ReportFile& output, std::uint16_t linkType, const char* name, const char* description)
{
    BlockWriter body;
    body.u16(linkType);
    body.u16(0);
    body.u32(0);              // no snapshot limit
    option(body, 2, name);    // if_name
    option(body, 3, description);  // if_description
    body.u32(0);              // end of options
    return writeBlock(output, kInterfaceBlock, body);
}

bool writePacket(ReportFile& output, std::uint32_t interface, std::uint64_t microseconds, const BlockWriter& packet)
{
    BlockWriter body;
    body.u32(interface);
    body.u32(static_cast<std::uint32_t>(microseconds >> 32));  // default resolution: microseconds
    body.u32(static_cast<std::uint32_t>(microseconds));
    body.u32(static_cast<std::uint32_t>(packet.length));
    body.u32(static_cast<std::uint32_t>(packet.length));
    body.raw(packet.bytes, packet.length);
    body.padTo4();
    return writeBlock(output, kEnhancedPacketBlock, body);
}

}  // namespace

bool writePcapngHeader(ReportFile& output)
{
    BlockWriter section;
    section.u32(0x1A2B3C4D);  // byte-order magic
    section.u16(1);
    section.u16(0);
    section.u32(0xFFFFFFFF);  // section length not given
    section.u32(0xFFFFFFFF);
    option(section, 4, "morvatix-export");  // shb_userappl
    section.u32(0);
    return writeBlock(output, kSectionHeaderBlock, section) &&
           writeInterface(output, kLinkTypeSocketCan, "can0", "CAN port") &&
           writeInterface(output, kLinkTypeLin, "lin0", "LIN port");
}

bool writePcapngCanFrame(const ExportedCanFrame& frame, ReportFile& output)
{
    BlockWriter packet;
    std::uint32_t identifier = frame.identifier;
    if (frame.extended) {
        identifier |= kCanExtendedFlag;
    }
    if (frame.remote) {
        identifier |= kCanRemoteFlag;
    }
    // The identifier word is big-endian in this link type.
    packet.u8(static_cast<std::uint8_t>(identifier >> 24));
    packet.u8(static_cast<std::uint8_t>(identifier >> 16));
    packet.u8(static_cast<std::uint8_t>(identifier >> 8));
    packet.u8(static_cast<std::uint8_t>(identifier));
    packet.u8(frame.remote ? frame.remoteLength : frame.length);
    packet.u8(frame.fd ? kCanFdFrameFlag : 0);
    packet.u8(0);
    packet.u8(0);
    const std::size_t size = frame.fd ? kFdFrameSize : kClassicFrameSize;
    packet.raw(frame.data, size - kSocketCanHeader);
    if (frame.remote) {
        std::memset(packet.bytes + kSocketCanHeader, 0, size - kSocketCanHeader);
    }
    return writePacket(output, kCanInterface, frame.microseconds, packet);
}

bool writePcapngLinFrame(const ExportedLinFrame& frame, ReportFile& output)
{
    BlockWriter packet;
    packet.u8(1);  // format revision
    packet.u8(0);
    packet.u8(0);
    packet.u8(0);
    // Length in the high nibble; message type 0 (a frame) and checksum type 0 (not known).
    packet.u8(static_cast<std::uint8_t>(frame.length << 4));
    packet.u8(frame.protectedId);
    packet.u8(frame.checksum);
    packet.u8(frame.errors);
    static_assert(kLinHeader == 8);
    packet.raw(frame.data, frame.length);
    return writePacket(output, kLinInterface, frame.microseconds, packet);
}

}  // namespace morvatix
