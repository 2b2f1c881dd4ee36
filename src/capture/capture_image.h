// The whole capture file in memory, and the slots copied out of it.
#pragma once

#include <cstdint>
#include <memory>

namespace morvatix {

struct CaptureImage {
    std::unique_ptr<std::uint8_t[]> bytes;  // none for an empty file
    std::int32_t count = 0;
};

constexpr std::uint32_t kSlotSize = 32;

struct MonitorSlotArray {
    std::unique_ptr<std::uint8_t[]> slots;  // none until a MOND chunk is taken
    std::uint32_t slotCount = 0;
    bool taken = false;  // a MOND chunk was taken, possibly with no whole slot
};

}  // namespace morvatix
