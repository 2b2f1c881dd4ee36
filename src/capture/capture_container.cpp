#include "capture/capture_container.h"

#include "capture/byte_order.h"
#include "capture/settings_decoders.h"

#include <cstring>
#include <new>

namespace morvatix {

namespace {

constexpr std::uint8_t kMagic[16] = {'T', 'A', 'V', 'R', 'O', 'S', 'K', ' ', 'D', 'A', 'T', 'A', ' ', ' ', ' ', 0};
constexpr std::size_t kChunkHeadSize = 8;

constexpr std::uint32_t chunkTag(const char (&text)[5])
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24);
}

constexpr std::uint32_t kSettingsTag = chunkTag("DINF");
constexpr std::uint32_t kMonitorTag = chunkTag("MOND");

// Checks a DINF body of `length` bytes and decodes it into the settings.
bool readSettingsChunk(const std::uint8_t* body, std::uint32_t length, CaptureSettings& settings)
{
    if (length < 4) {
        return false;
    }
    const std::uint32_t settingsLength = readU32(body);
    if (settingsLength > length || settingsLength < 4) {
        return false;
    }
    const std::uint32_t area = settingsLength - 4;
    if (area >= 4) {
        const std::uint32_t groupALength = readU32(body + 4);
        if (groupALength > area) {
            return false;
        }
        if (decodeGroupA(body + 4, area, settings) < 0) {
            return false;
        }
        // Group B's place follows from the group A length alone, wherever group A stopped.
        if (decodeGroupB(body + 4 + groupALength, area - groupALength, settings) < 0) {
            return false;
        }
    }
    return settings.modelCode == kExpectedModelCode;
}

}  // namespace

ContainerResult readCaptureContainer(const std::uint8_t* image, std::size_t count, CaptureSettings& settings,
                                     MonitorSlotArray& slotArray)
{
    settings = CaptureSettings{};
    slotArray = MonitorSlotArray{};

    if (count < sizeof kMagic || std::memcmp(image, kMagic, sizeof kMagic) != 0) {
        return ContainerResult::dataError;
    }
    const std::uint8_t* position = image + sizeof kMagic;
    std::size_t remaining = count - sizeof kMagic;
    bool settingsSeen = false;

    while (remaining >= kChunkHeadSize) {
        const std::uint32_t tag = readU32(position);
        const std::uint32_t length = readU32(position + 4);
        position += kChunkHeadSize;
        remaining -= kChunkHeadSize;
        if (length > remaining) {
            return ContainerResult::dataError;
        }
        if (tag == kMonitorTag && settingsSeen) {
            if (slotArray.taken) {
                return ContainerResult::dataError;
            }
            const std::uint32_t slotCount = length / kSlotSize;
            const std::size_t blockSize = static_cast<std::size_t>(slotCount) * kSlotSize;
            slotArray.slots.reset(new (std::nothrow) std::uint8_t[blockSize == 0 ? 1 : blockSize]);
            if (!slotArray.slots) {
                return ContainerResult::memoryError;
            }
            std::memcpy(slotArray.slots.get(), position, blockSize);
            slotArray.slotCount = slotCount;
            slotArray.taken = true;
        } else if (tag == kSettingsTag) {
            if (!readSettingsChunk(position, length, settings)) {
                return ContainerResult::dataError;
            }
            settingsSeen = true;
        }
        position += length;
        remaining -= length;
    }
    return settingsSeen ? ContainerResult::ok : ContainerResult::dataError;
}

}  // namespace morvatix
