// Writes the fuzzer's seed captures, valid and malformed, into a folder:
// make-fuzz-seeds DIR
#include "capture_writer.h"
#include "sample_capture.h"

#include <cstdio>
#include <exception>
#include <string>

namespace morvatix::testing {
namespace {

std::vector<std::pair<std::string, Bytes>> seeds()
{
    std::vector<std::pair<std::string, Bytes>> out;
    const CaptureSettings settings = sampleSettings();
    out.emplace_back("sample", sampleCaptureBytes());
    out.emplace_back("settings-only", captureBytes({settingsChunk(settings)}));
    out.emplace_back("empty-monitor", captureBytes({settingsChunk(settings), monitorChunk(Bytes(20, 0))}));

    CaptureSettings table = settings;
    setLinLengthCheck(table, 1);
    for (unsigned id = 0; id < 64; ++id) {
        setLinExpectedLength(table, id, static_cast<std::int8_t>(id % 2 == 0 ? static_cast<int>(id % 9) : -static_cast<int>(id)));
    }
    Bytes lin;
    for (std::uint32_t flags : {0x0u, 0x4000u, 0x6000u, 0xE000u, 0x1F7FFu, 0x80016C05u}) {
        SlotFields slot = linSlot(flags, 0x50, 0x55, 0xAA, flags);
        slot.dataLength = static_cast<std::uint8_t>(flags % 10);
        const Bytes record = recordBytes(slot);
        lin.insert(lin.end(), record.begin(), record.end());
    }
    out.emplace_back("lin-table", captureBytes({settingsChunk(table), monitorChunk(lin)}));

    Bytes mixed;
    for (std::uint8_t kind = 0; kind < 8; ++kind) {
        SlotFields slot = canSlot(kind * 1000u, 0x1FFFFFFF, kind % 2 == 0, 0x1F1u | (static_cast<std::uint32_t>(kind) << 24));
        slot.recordKind = kind;
        slot.dataLength = static_cast<std::uint8_t>(kind * 17);
        slot.inputValues = {-1, 32767, 999, 1000};
        const Bytes record = recordBytes(slot);
        mixed.insert(mixed.end(), record.begin(), record.end());
    }
    out.emplace_back("every-kind", captureBytes({settingsChunk(settings), monitorChunk(mixed)}));

    SettingsBody layoutZero = fullSettingsBody(settings);
    layoutZero.block(kModelBlock).data[0] = 0;
    layoutZero.block(kBlockB3).data = {3, 0, 0, 0};
    layoutZero.block(kBlockB3).data.resize(52, 7);
    out.emplace_back("layout-zero", captureBytes({settingsChunk(layoutZero)}));

    SettingsBody shortBlocks = fullSettingsBody(settings);
    shortBlocks.block(kCanBlock).data.resize(8);
    shortBlocks.block(kLinBlock).data.resize(16);
    shortBlocks.groupB.resize(1);
    out.emplace_back("several-settings",
                     captureBytes({Chunk{"MOND", std::nullopt, Bytes(64, 0x80)}, settingsChunk(settings),
                                   Chunk{"XTRA", std::nullopt, Bytes(5, 1)}, settingsChunk(shortBlocks),
                                   monitorChunk(mixed)},
                                  Bytes(7, 0xFF)));

    SettingsBody badMark = fullSettingsBody(settings);
    badMark.groupA.data[2] = 0x22;
    out.emplace_back("bad-mark", captureBytes({settingsChunk(badMark)}));
    Chunk overlong = monitorChunk(mixed);
    overlong.length = static_cast<std::uint32_t>(mixed.size() + 1);
    out.emplace_back("monitor-past-end", captureBytes({settingsChunk(settings), overlong}));
    out.emplace_back("no-settings", captureBytes({monitorChunk(mixed)}));
    return out;
}

}  // namespace
}  // namespace morvatix::testing

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make-fuzz-seeds DIR\n", stderr);
        return 1;
    }
    try {
        for (const auto& [name, bytes] : morvatix::testing::seeds()) {
            morvatix::testing::writeFile(std::string(argv[1]) + "/" + name + ".DT", bytes);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
