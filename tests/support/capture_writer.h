// Writes capture files for tests, samples and benchmarks: the settings body
// block by block, chunks in any order, and monitor slots field by field. Every
// length word is computed unless a test sets it, so malformed files are made
// by changing one thing of a valid one.
#pragma once

#include "capture/capture_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvatix::testing {

using Bytes = std::vector<std::uint8_t>;

void putU16(Bytes& out, std::uint16_t value);
void putU32(Bytes& out, std::uint32_t value);
void putBytes(Bytes& out, const std::uint8_t* bytes, std::size_t count);

// A length-prefixed block: length word, data, nested blocks, then tail bytes.
struct Block {
    bool present = true;
    std::optional<std::uint32_t> length;  // by default the block's true size
    Bytes data;
    std::vector<Block> inner;
    Bytes tail;
};

Bytes blockBytes(const Block& block);

enum GroupABlock { kModelBlock, kBlockA2, kPortBlock, kBlockA4, kBlockA5, kBlockA6 };
enum PortBlock { kCanBlock, kLinBlock };
enum GroupBBlock { kBlockB0, kBlockB1, kBlockB2, kBlockB3, kBlockB4 };

struct SettingsBody {
    std::optional<std::uint32_t> settingsLength;  // T; by default it covers group A and group B
    Block groupA;                                 // data: two unread bytes and the mark; inner: A1 to A6
    std::vector<Block> groupB;                    // B0 to B4, without a length of their own
    Bytes afterSettings;                          // chunk bytes after T

    Block& block(GroupABlock which) { return groupA.inner[which]; }
    Block& block(PortBlock which) { return groupA.inner[kPortBlock].inner[which]; }
    Block& block(GroupBBlock which) { return groupB[which]; }
};

// Settings a test can start from: model 22, layout 4, a valid mark, 500 kbit/s
// CAN and 19,200 bit/s LIN, and a distinct byte pattern in every other field.
CaptureSettings sampleSettings();

void setCanBaudRate(CaptureSettings& settings, std::int32_t bitsPerSecond);
void setLinBaudRate(CaptureSettings& settings, std::int32_t tenthsOfBitsPerSecond);
void setLinLengthCheck(CaptureSettings& settings, std::uint8_t value);
void setLinExpectedLength(CaptureSettings& settings, unsigned identifier, std::int8_t length);

// The full-size body (T 580, L1 368) that carries every field of `values`.
SettingsBody fullSettingsBody(const CaptureSettings& values);
Bytes settingsBodyBytes(const SettingsBody& body);

struct Chunk {
    std::string tag;                      // four characters
    std::optional<std::uint32_t> length;  // by default the body's size
    Bytes body;
};

Chunk settingsChunk(const SettingsBody& body);
Chunk settingsChunk(const CaptureSettings& values);
Chunk monitorChunk(const Bytes& slots);

Bytes captureMagic();
// Magic, the chunks in order, then any stray bytes.
Bytes captureBytes(const std::vector<Chunk>& chunks, const Bytes& trailing = {});
Bytes captureBytes(const Bytes& magic, const std::vector<Chunk>& chunks, const Bytes& trailing = {});

// Bits of a slot's record flags, by name.
constexpr std::uint32_t kTMark = 1u << 31;
constexpr std::uint32_t kExtended = 1u << 4;  // CAN
constexpr std::uint32_t kRemote = 1u << 5;
constexpr std::uint32_t kFdAsterisk = 1u << 6;
constexpr std::uint32_t kFd = 1u << 7;
constexpr std::uint32_t kFdExclamation = 1u << 8;
constexpr std::uint32_t kIdMark = 1u << 8;  // LIN
constexpr std::uint32_t kSyncMark = 1u << 9;
constexpr std::uint32_t kChecksumMark = 1u << 10;
constexpr std::uint32_t kStatusC = 1u << 11;
constexpr std::uint32_t kStatusP = 1u << 12;
constexpr std::uint32_t kIdPresent = 1u << 13;
constexpr std::uint32_t kSyncPresent = 1u << 14;
constexpr std::uint32_t kChecksumPresent = 1u << 15;
constexpr std::uint32_t kErrorFlag = 1u << 16;
constexpr std::uint32_t kLinHeader = kSyncPresent | kIdPresent;

// One 32-byte slot, field by field.
struct SlotFields {
    bool head = true;
    std::uint8_t dataLength = 0;   // 0 to 127
    std::uint32_t word0Rest = 0;   // bits 7-30 of word 0, never interpreted
    std::uint32_t timeStamp = 0;   // 100 µs units
    std::uint8_t recordKind = 0;   // 0 to 7
    std::uint32_t kindBits = 0;    // bits 0-28 of the kind word
    std::uint32_t recordFlags = 0;
    std::array<std::int16_t, 4> inputValues{};
    std::array<std::uint8_t, 8> dataBytes{};
};

Bytes slotBytes(const SlotFields& slot);

// The head slot and as many continuation slots as its data length takes; data
// bytes beyond the eighth fill each continuation slot after its first word,
// 28 bytes a slot.
Bytes recordBytes(const SlotFields& head, const Bytes& laterData = {});

SlotFields inputSlot(std::uint32_t timeStamp);
SlotFields canSlot(std::uint32_t timeStamp, std::uint32_t identifier, bool extended, std::uint32_t flags = 0);
SlotFields linSlot(std::uint32_t timeStamp, std::uint8_t protectedId, std::uint8_t sync, std::uint8_t checksum,
                   std::uint32_t flags = 0);
SlotFields overrunSlot();

void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

}  // namespace morvatix::testing
