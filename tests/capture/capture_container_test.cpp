#include "capture/capture_container.h"

#include "capture_writer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvatix::testing {
namespace {

struct ReadResult {
    ContainerResult result;
    CaptureSettings settings;
    MonitorSlotArray slots;
};

ReadResult read(const Bytes& image)
{
    ReadResult out{};
    // An exact-size copy, so that any read past the end shows under the sanitizers.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[image.size() + 1]);
    if (!image.empty()) {
        std::memcpy(exact.get(), image.data(), image.size());
    }
    out.result = readCaptureContainer(exact.get(), image.size(), out.settings, out.slots);
    return out;
}

Bytes slotsWithTimes(std::initializer_list<std::uint32_t> times)
{
    Bytes slots;
    for (const std::uint32_t time : times) {
        const Bytes slot = slotBytes(inputSlot(time));
        slots.insert(slots.end(), slot.begin(), slot.end());
    }
    return slots;
}

std::uint32_t slotTime(const MonitorSlotArray& slots, std::uint32_t index)
{
    return readU32(slots.slots.get() + index * kSlotSize + 4);
}

Chunk otherChunk(std::size_t size)
{
    return Chunk{"XTRA", std::nullopt, Bytes(size, 0xEE)};
}

SettingsBody bodyWithSettingsLength(std::uint32_t length)
{
    SettingsBody body = fullSettingsBody(sampleSettings());
    body.settingsLength = length;
    return body;
}

TEST(CaptureContainer, RejectsMalformedContainers)
{
    const Chunk settings = settingsChunk(sampleSettings());
    Bytes badNul = captureBytes({settings});
    badNul[15] = '!';
    Bytes fifteenBytes = captureMagic();
    fifteenBytes.pop_back();
    Bytes lowerCase = captureBytes({settings});
    lowerCase[9] = 'a';
    Chunk tooLong = otherChunk(10);
    tooLong.length = 11;
    Chunk dinfTooShort{"DINF", std::nullopt, {4, 0, 0}};
    Chunk settingsPastChunk = settingsChunk(sampleSettings());
    settingsPastChunk.length = 579;  // T is 580
    SettingsBody groupAPastArea = fullSettingsBody(sampleSettings());
    groupAPastArea.groupA.length = 577;

    struct Case {
        const char* label;
        Bytes image;
    };
    const Case cases[] = {
        {"empty", {}},
        {"15 bytes", fifteenBytes},
        {"magic alone", captureMagic()},
        {"last magic byte not NUL", badNul},
        {"magic in other letter case", lowerCase},
        {"no settings chunk", captureBytes({monitorChunk(slotsWithTimes({1})), otherChunk(4)})},
        {"other chunk past the end", captureBytes({settings, tooLong})},
        {"settings chunk past the end", captureBytes({Chunk{"DINF", 600, settings.body}})},
        {"monitor chunk past the end", captureBytes({settings, Chunk{"MOND", 33, Bytes(32, 0)}})},
        {"settings chunk of length 3", captureBytes({dinfTooShort})},
        {"settings length one above the chunk", captureBytes({settingsPastChunk})},
        {"settings length 3", captureBytes({settingsChunk(bodyWithSettingsLength(3))})},
        {"group A longer than the settings area", captureBytes({settingsChunk(groupAPastArea)})},
        {"short settings area on a fresh record", captureBytes({settingsChunk(bodyWithSettingsLength(7))})},
        {"second monitor chunk",
         captureBytes({settings, monitorChunk(slotsWithTimes({1})), monitorChunk(slotsWithTimes({2}))})},
        {"second monitor chunk after one without a whole slot",
         captureBytes({settings, monitorChunk(Bytes(20, 0)), monitorChunk(slotsWithTimes({2}))})},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        EXPECT_EQ(read(each.image).result, ContainerResult::dataError);
    }
}

TEST(CaptureContainer, SettingsWithoutMonitorChunkGiveNoSlots)
{
    const ReadResult result = read(captureBytes({settingsChunk(sampleSettings())}, Bytes(7, 0xFF)));
    ASSERT_EQ(result.result, ContainerResult::ok);
    EXPECT_FALSE(result.slots.taken);
    EXPECT_EQ(result.slots.slotCount, 0u);
    EXPECT_EQ(canBaudRate(result.settings), 500'000);
}

TEST(CaptureContainer, MonitorChunkCopiesWholeSlotsOnly)
{
    Bytes body = slotsWithTimes({11, 22, 33});
    body.insert(body.end(), {1, 2, 3, 4});  // 100 bytes
    CaptureSettings later = sampleSettings();
    setCanBaudRate(later, 125'000);
    const ReadResult result =
        read(captureBytes({settingsChunk(sampleSettings()), monitorChunk(body), settingsChunk(later)}));
    ASSERT_EQ(result.result, ContainerResult::ok);
    ASSERT_EQ(result.slots.slotCount, 3u);
    EXPECT_EQ(slotTime(result.slots, 0), 11u);
    EXPECT_EQ(slotTime(result.slots, 2), 33u);
    // The next chunk began right after the 100 body bytes, and was decoded over the first.
    EXPECT_EQ(canBaudRate(result.settings), 125'000);
}

TEST(CaptureContainer, MonitorChunkShorterThanASlotGivesNone)
{
    const ReadResult result = read(captureBytes({settingsChunk(sampleSettings()), monitorChunk(Bytes(20, 0))}));
    ASSERT_EQ(result.result, ContainerResult::ok);
    EXPECT_TRUE(result.slots.taken);
    EXPECT_EQ(result.slots.slotCount, 0u);
}

TEST(CaptureContainer, MonitorChunkBeforeSettingsIsSkipped)
{
    const ReadResult result = read(captureBytes(
        {monitorChunk(slotsWithTimes({1, 2})), settingsChunk(sampleSettings()), monitorChunk(slotsWithTimes({7}))}));
    ASSERT_EQ(result.result, ContainerResult::ok);
    ASSERT_EQ(result.slots.slotCount, 1u);
    EXPECT_EQ(slotTime(result.slots, 0), 7u);
}

TEST(CaptureContainer, OtherChunksAreSkippedUpToTheEnd)
{
    const ReadResult result =
        read(captureBytes({otherChunk(3), settingsChunk(sampleSettings()), otherChunk(0), otherChunk(40)}));
    EXPECT_EQ(result.result, ContainerResult::ok);
}

TEST(CaptureContainer, LaterSettingsChunksReplaceOnlyWhatTheySupply)
{
    CaptureSettings first = sampleSettings();
    setCanBaudRate(first, 250'000);
    setLinBaudRate(first, 96'000);
    // The second chunk's LIN block ends after the bit rate.
    CaptureSettings second = sampleSettings();
    setLinBaudRate(second, 104'000);
    SettingsBody shortLin = fullSettingsBody(second);
    shortLin.block(kLinBlock).data.resize(4);
    shortLin.block(kCanBlock).data.resize(0);

    const ReadResult result = read(captureBytes({settingsChunk(first), settingsChunk(shortLin)}));
    ASSERT_EQ(result.result, ContainerResult::ok);
    EXPECT_EQ(canBaudRate(result.settings), 250'000);
    EXPECT_EQ(linBaudRate(result.settings), 104'000);
}

TEST(CaptureContainer, ShortSettingsAreaPassesOnlyAfterAnEarlierChunk)
{
    const ReadResult result = read(captureBytes({settingsChunk(sampleSettings()), settingsChunk(bodyWithSettingsLength(5))}));
    EXPECT_EQ(result.result, ContainerResult::ok);
}

TEST(CaptureContainer, SettingsLengthEqualToChunkIsAccepted)
{
    Chunk settings = settingsChunk(sampleSettings());
    settings.length = 580;
    settings.body.resize(580);
    EXPECT_EQ(read(captureBytes({settings})).result, ContainerResult::ok);
}

TEST(CaptureContainer, GroupBStartsWhereGroupALengthSays)
{
    // Group A stops after its model block, yet group B is found by L1.
    CaptureSettings values = sampleSettings();
    SettingsBody body = fullSettingsBody(values);
    body.groupA.tail.assign(3, 0);
    const std::uint32_t groupALength = 8 + 8 + 3;
    body.groupA.length = groupALength;
    body.groupA.inner.resize(1);
    const ReadResult result = read(captureBytes({settingsChunk(body)}));
    ASSERT_EQ(result.result, ContainerResult::ok);
    EXPECT_EQ(0, std::memcmp(result.settings.blockB0Data, values.blockB0Data, sizeof values.blockB0Data));
    EXPECT_EQ(canBaudRate(result.settings), 0);
}

}  // namespace
}  // namespace morvatix::testing
