#include "bench_capture.h"

#include <random>

namespace morvatix::testing {

namespace {

constexpr std::uint8_t kFdLengths[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 16, 20, 24, 32, 48, 64};

// Draws 32-bit numbers from a fixed seed, so every run writes the same capture.
struct Random {
    std::mt19937 engine{20261211};
    std::uint32_t operator()() { return static_cast<std::uint32_t>(engine()); }
};

SlotFields randomCanFrame(Random& random, std::uint32_t time)
{
    const bool extended = random() % 4 == 0;
    const std::uint32_t identifier = extended ? random() & 0x1FFFFFFF : random() & 0x7FF;
    const std::uint32_t code = random() % 9;
    SlotFields slot = canSlot(time, identifier, extended, code | (random() % 16 == 0 ? 1u << 5 : 0u));
    slot.dataLength = static_cast<std::uint8_t>(code);
    for (auto& byte : slot.dataBytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return slot;
}

}  // namespace

Bytes benchCaptureSlots(std::size_t records)
{
    Random random;
    Bytes slots;
    slots.reserve(records * 40);
    std::uint32_t time = 360'000'000;  // 10:00:00
    for (std::size_t index = 0; index < records; ++index) {
        time += 1 + random() % 20;
        const unsigned pick = random() % 1000;
        Bytes record;
        if (pick < 780) {
            record = recordBytes(randomCanFrame(random, time));
        } else if (pick < 830) {
            const std::uint32_t code = 9 + random() % 7;
            SlotFields fd = canSlot(time, random() & 0x7FF, false, kFd | code | (random() % 2 == 0 ? 1u << 6 : 0u));
            fd.dataLength = kFdLengths[code];
            for (auto& byte : fd.dataBytes) {
                byte = static_cast<std::uint8_t>(random());
            }
            Bytes later(fd.dataLength - 8u);
            for (auto& byte : later) {
                byte = static_cast<std::uint8_t>(random());
            }
            record = recordBytes(fd, later);
        } else if (pick < 950) {
            SlotFields lin = linSlot(time, static_cast<std::uint8_t>(random()), 0x55, static_cast<std::uint8_t>(random()),
                                     kLinHeader | kChecksumPresent | (random() % 50 == 0 ? 1u << 11 : 0u));
            lin.dataLength = static_cast<std::uint8_t>(1 + random() % 8);
            for (auto& byte : lin.dataBytes) {
                byte = static_cast<std::uint8_t>(random());
            }
            record = recordBytes(lin);
        } else if (pick < 999) {
            SlotFields input = inputSlot(time);
            for (auto& value : input.inputValues) {
                value = static_cast<std::int16_t>(random() % 1200);
            }
            input.recordFlags = (random() & 0x1Fu) << 24;
            record = recordBytes(input);
        } else {
            record = recordBytes(overrunSlot());
        }
        slots.insert(slots.end(), record.begin(), record.end());
    }
    return slots;
}

Bytes benchCaptureBytes(std::size_t records)
{
    CaptureSettings settings = sampleSettings();
    setLinLengthCheck(settings, 1);
    for (unsigned identifier = 0; identifier < 64; ++identifier) {
        setLinExpectedLength(settings, identifier, static_cast<std::int8_t>(1 + identifier % 8));
    }
    return captureBytes({settingsChunk(settings), monitorChunk(benchCaptureSlots(records))});
}

}  // namespace morvatix::testing
