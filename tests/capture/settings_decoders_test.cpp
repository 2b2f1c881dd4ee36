#include "capture/settings_decoders.h"

#include "capture/capture_container.h"
#include "capture_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace morvatix::testing {
namespace {

// Runs a decoder on an exact-size copy of `bytes`, so a read past them shows
// under the sanitizers.
std::int32_t decodeExact(const Bytes& bytes, const std::function<std::int32_t(const std::uint8_t*)>& decoder)
{
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size() + 1]);
    std::memcpy(exact.get(), bytes.data(), bytes.size());
    return decoder(exact.get());
}

Block blockOf(std::size_t dataSize, std::uint8_t seed = 1)
{
    Block block;
    for (std::size_t index = 0; index < dataSize; ++index) {
        block.data.push_back(static_cast<std::uint8_t>(seed + index));
    }
    return block;
}

bool fieldEquals(const std::uint8_t* field, const std::uint8_t* expected, std::size_t size)
{
    return std::memcmp(field, expected, size) == 0;
}

TEST(DecodeCopyBlock, BoundsAndCapacity)
{
    struct Case {
        const char* label;
        Block block;
        std::uint32_t bound;
        std::int32_t result;
        std::size_t copied;
    };
    Block lengthNine = blockOf(4);
    lengthNine.length = 9;
    Block lengthThree = blockOf(4);
    lengthThree.length = 3;
    const Case cases[] = {
        {"length equal to the bound", blockOf(4), 8, 0, 4},
        {"length one above the bound", lengthNine, 8, kMalformedSettings, 0},
        {"bound below 4", blockOf(4), 3, kMalformedSettings, 0},
        {"length below its own word", lengthThree, 8, kMalformedSettings, 0},
        {"no data", blockOf(0), 4, 0, 0},
        {"shorter than the field", blockOf(2), 100, 0, 2},
        {"surplus skipped", blockOf(36), 40, 0, 8},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        std::uint8_t field[8];
        std::memset(field, 0xCC, sizeof field);
        const Bytes bytes = blockBytes(each.block);
        const std::int32_t result = decodeExact(bytes, [&](const std::uint8_t* block) {
            return decodeCopyBlock(block, each.bound, field, sizeof field);
        });
        EXPECT_EQ(result, each.result);
        for (std::size_t index = 0; index < sizeof field; ++index) {
            EXPECT_EQ(field[index], index < each.copied ? each.block.data[index] : 0xCC) << index;
        }
    }
}

TEST(DecodeGroupA, MarkRule)
{
    struct Case {
        std::uint8_t low;
        std::uint8_t high;
        std::uint16_t mark;
        bool blockA6Accepted;
    };
    const Case cases[] = {
        {0x21, 0x00, 0x2121, true}, {0x20, 0x00, 0x2020, true}, {0x00, 0x20, 0x2000, true},
        {0xFF, 0x21, 0x21FF, true}, {0x22, 0x00, 0x0022, false}, {0x00, 0x22, 0x2200, false},
        {0x00, 0x00, 0x0000, false},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.mark);
        SettingsBody body = fullSettingsBody(sampleSettings());
        body.groupA.data[2] = each.low;
        body.groupA.data[3] = each.high;
        CaptureSettings settings{};
        const Bytes groupA = blockBytes(body.groupA);
        const std::int32_t result = decodeExact(groupA, [&](const std::uint8_t* group) {
            return decodeGroupA(group, static_cast<std::uint32_t>(groupA.size()), settings);
        });
        EXPECT_EQ(settings.groupAMark, each.mark);
        EXPECT_EQ(result, each.blockA6Accepted ? 0 : kMalformedSettings);

        // A block A6 of length 4 is tested too; a group that ends before it is not.
        body.block(kBlockA6).inner.clear();
        EXPECT_EQ(decodeExact(blockBytes(body.groupA),
                              [&](const std::uint8_t* group) { return decodeGroupA(group, 1000, settings); }),
                  each.blockA6Accepted ? 0 : kMalformedSettings);
        body.block(kBlockA6).present = false;
        EXPECT_EQ(decodeExact(blockBytes(body.groupA),
                              [&](const std::uint8_t* group) { return decodeGroupA(group, 1000, settings); }),
                  0);
    }
}

// Decodes a settings body the way a capture does and returns the record.
struct Decoded {
    ContainerResult result;
    CaptureSettings settings;
};

Decoded decodeCapture(const std::vector<Chunk>& chunks)
{
    Decoded decoded{};
    MonitorSlotArray slots;
    const Bytes image = captureBytes(chunks);
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[image.size()]);
    std::memcpy(exact.get(), image.data(), image.size());
    decoded.result = readCaptureContainer(exact.get(), image.size(), decoded.settings, slots);
    return decoded;
}

Decoded decodeBody(const SettingsBody& body)
{
    return decodeCapture({settingsChunk(body)});
}

TEST(SettingsBody, FullSizeBodyFillsEveryField)
{
    for (const std::uint8_t layout : {std::uint8_t{4}, std::uint8_t{0}}) {
        SCOPED_TRACE(int{layout});
        CaptureSettings values = sampleSettings();
        values.layoutSelector = layout;
        const Bytes body = settingsBodyBytes(fullSettingsBody(values));
        ASSERT_EQ(body.size(), 580u);
        EXPECT_EQ(readU32(body.data() + 4), 368u);

        const Decoded decoded = decodeBody(fullSettingsBody(values));
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        CaptureSettings expected = values;
        if (layout == 0) {
            std::memset(expected.blockA4Data, 0, sizeof expected.blockA4Data);  // not read in layout 0
        }
        EXPECT_EQ(0, std::memcmp(&decoded.settings, &expected, sizeof expected));
    }
}

TEST(SettingsBody, MalformedBodies)
{
    struct Case {
        const char* label;
        std::function<void(SettingsBody&)> change;
    };
    const Case cases[] = {
        {"group A length 7", [](SettingsBody& b) { b.groupA.length = 7; }},
        {"group A length 4", [](SettingsBody& b) { b.groupA.length = 4; }},
        {"group A length 3", [](SettingsBody& b) { b.groupA.length = 3; }},
        {"layout selector 1", [](SettingsBody& b) { b.block(kModelBlock).data[0] = 1; }},
        {"layout selector 5", [](SettingsBody& b) { b.block(kModelBlock).data[0] = 5; }},
        {"model code 21", [](SettingsBody& b) { b.block(kModelBlock).data[1] = 21; }},
        {"model block without its model code", [](SettingsBody& b) { b.block(kModelBlock).data.resize(1); }},
        {"model block without data", [](SettingsBody& b) { b.block(kModelBlock).data.clear(); }},
        {"block A2 one past group A", [](SettingsBody& b) {
             b.groupA.inner.resize(2);
             b.block(kBlockA2).length = 9;
         }},
        {"block length 0", [](SettingsBody& b) { b.block(kBlockA5).length = 0; }},
        {"port block past group A", [](SettingsBody& b) { b.block(kPortBlock).length = 308 + 48; }},
        {"CAN block past the port block", [](SettingsBody& b) { b.block(kCanBlock).length = 305; }},
        {"LIN block past the port block", [](SettingsBody& b) { b.block(kLinBlock).length = 277; }},
        {"inner A4 length past A4", [](SettingsBody& b) { b.block(kBlockA4).inner[0].length = 13; }},
        {"inner A4 length past A4 in layout 0",
         [](SettingsBody& b) {
             b.block(kModelBlock).data[0] = 0;
             b.block(kBlockA4).inner[0].length = 13;
         }},
        {"inner A4 length 3", [](SettingsBody& b) { b.block(kBlockA4).inner[0].length = 3; }},
        {"inner A6 length past A6", [](SettingsBody& b) { b.block(kBlockA6).inner[0].length = 13; }},
        {"block B0 past the settings area", [](SettingsBody& b) { b.block(kBlockB0).length = 209; }},
        {"block B1 past the settings area", [](SettingsBody& b) { b.block(kBlockB1).length = 137; }},
        {"block B3 one byte short of its records", [](SettingsBody& b) {
             b.block(kBlockB3).data = {3, 0, 0, 0};
             b.block(kBlockB3).data.resize(4 + 47);  // length 55
             b.groupB.resize(4);
         }},
        {"block B4 count that overflows 32 bits", [](SettingsBody& b) {
             b.block(kBlockB4).data = {0x00, 0x00, 0x00, 0x40};  // 2^30 entries of 12 bytes
         }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        SettingsBody body = fullSettingsBody(sampleSettings());
        each.change(body);
        EXPECT_EQ(decodeBody(body).result, ContainerResult::dataError);
    }
}

TEST(SettingsBody, ShortAndAbsentBlocksKeepEarlierValues)
{
    const CaptureSettings values = sampleSettings();
    {
        SCOPED_TRACE("CAN block of length 12");
        SettingsBody body = fullSettingsBody(values);
        body.block(kCanBlock).data.resize(8);
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_TRUE(fieldEquals(decoded.settings.canPortSettings, values.canPortSettings, 8));
        EXPECT_EQ(canSamplePoint(decoded.settings), 0);
        EXPECT_EQ(linBaudRate(decoded.settings), linBaudRate(values));
    }
    {
        SCOPED_TRACE("CAN block of length 40");
        SettingsBody body = fullSettingsBody(values);
        body.block(kCanBlock).data.resize(36, 0x77);
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_TRUE(fieldEquals(decoded.settings.canPortSettings, values.canPortSettings, 24));
        EXPECT_TRUE(fieldEquals(decoded.settings.linPortSettings, values.linPortSettings, 272));
    }
    {
        SCOPED_TRACE("LIN block of length 20");
        SettingsBody body = fullSettingsBody(values);
        body.block(kLinBlock).data.resize(16);
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_TRUE(fieldEquals(decoded.settings.linPortSettings, values.linPortSettings, 16));
        EXPECT_EQ(decoded.settings.linPortSettings[16], 0);
    }
    {
        SCOPED_TRACE("group A of length 8 to 11 stores the mark only");
        SettingsBody body = fullSettingsBody(values);
        body.groupA.inner.clear();
        body.groupA.tail = {1, 2, 3};
        CaptureSettings first = values;
        setCanBaudRate(first, 33'333);
        const Decoded decoded = decodeCapture({settingsChunk(first), settingsChunk(body)});
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_EQ(canBaudRate(decoded.settings), 33'333);
        EXPECT_EQ(decodeBody(body).result, ContainerResult::dataError);  // model code still 0
    }
    {
        SCOPED_TRACE("one to three bytes where a block would start");
        SettingsBody body = fullSettingsBody(values);
        body.groupA.inner.resize(3);
        body.groupA.tail = {9, 9, 9};
        body.groupB.resize(2);
        body.groupB.push_back(Block{});
        body.groupB.back().length = 1000;  // only its first three bytes are inside T
        body.settingsLength = static_cast<std::uint32_t>(settingsBodyBytes(body).size()) - 1;
        EXPECT_EQ(decodeBody(body).result, ContainerResult::ok);
    }
    {
        SCOPED_TRACE("block A4 of length 4 to 7 stores nothing");
        SettingsBody body = fullSettingsBody(values);
        body.block(kBlockA4).inner.clear();
        body.block(kBlockA4).data = {1, 2, 3};
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_EQ(decoded.settings.blockA4Data[0], 0);
    }
    {
        SCOPED_TRACE("group B absent");
        SettingsBody body = fullSettingsBody(values);
        body.groupB.clear();
        body.groupB.push_back(Block{});
        body.groupB.back().present = false;
        body.afterSettings = {1, 2};
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_EQ(decoded.settings.blockB0Data[0], 0);
        EXPECT_EQ(decoded.settings.blockB2Data[0], 0);
    }
}

TEST(SettingsBody, GroupBSpreadAndLists)
{
    const CaptureSettings values = sampleSettings();
    {
        SCOPED_TRACE("block B0 alone spreads its first 64 bytes");
        SettingsBody body = fullSettingsBody(values);
        body.groupB.resize(1);
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_TRUE(fieldEquals(decoded.settings.blockB2Data, values.blockB0Data, 8));
        EXPECT_TRUE(fieldEquals(decoded.settings.blockB3Records, values.blockB0Data + 8, 32));
        EXPECT_TRUE(fieldEquals(decoded.settings.blockB4Entries, values.blockB0Data + 40, 24));
    }
    {
        SCOPED_TRACE("a short block B0 spreads what the field held");
        CaptureSettings first = values;
        SettingsBody body = fullSettingsBody(values);
        body.block(kBlockB0).data.resize(4, 0);
        body.block(kBlockB0).data = {0xF0, 0xF1, 0xF2, 0xF3};
        body.groupB.resize(1);
        const Decoded decoded = decodeCapture({settingsChunk(first), settingsChunk(body)});
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        const std::uint8_t expectedB2[8] = {0xF0, 0xF1, 0xF2, 0xF3, values.blockB0Data[4], values.blockB0Data[5],
                                            values.blockB0Data[6], values.blockB0Data[7]};
        EXPECT_TRUE(fieldEquals(decoded.settings.blockB2Data, expectedB2, 8));
        EXPECT_TRUE(fieldEquals(decoded.settings.blockB4Entries, values.blockB0Data + 40, 24));
    }
    {
        SCOPED_TRACE("block B3 with one record keeps the spread second record");
        SettingsBody body = fullSettingsBody(values);
        body.block(kBlockB3) = blockOf(0);
        putU32(body.block(kBlockB3).data, 1);
        for (int index = 0; index < 16; ++index) {
            body.block(kBlockB3).data.push_back(0xD0);
        }
        body.groupB.resize(4);
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_EQ(decoded.settings.blockB3Records[15], 0xD0);
        EXPECT_TRUE(fieldEquals(decoded.settings.blockB3Records + 16, values.blockB0Data + 24, 16));
    }
    {
        SCOPED_TRACE("block B3 with three records, length 56");
        SettingsBody body = fullSettingsBody(values);
        body.block(kBlockB3) = blockOf(0);
        putU32(body.block(kBlockB3).data, 3);
        for (int index = 0; index < 48; ++index) {
            body.block(kBlockB3).data.push_back(static_cast<std::uint8_t>(index));
        }
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_EQ(decoded.settings.blockB3Records[31], 31);
    }
    {
        SCOPED_TRACE("block B4 with five entries stores two");
        SettingsBody body = fullSettingsBody(values);
        body.block(kBlockB4) = blockOf(0);
        putU32(body.block(kBlockB4).data, 5);
        for (int index = 0; index < 60; ++index) {
            body.block(kBlockB4).data.push_back(static_cast<std::uint8_t>(index));
        }
        const Decoded decoded = decodeBody(body);
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_EQ(decoded.settings.blockB4Entries[23], 23);
    }
    {
        SCOPED_TRACE("counted list of length 4 to 7 reads no count");
        SettingsBody body = fullSettingsBody(values);
        body.block(kBlockB4).data = {0xFF, 0xFF, 0xFF};
        EXPECT_EQ(decodeBody(body).result, ContainerResult::ok);
    }
    {
        SCOPED_TRACE("block B1 of length 10 zero-fills the rest");
        SettingsBody body = fullSettingsBody(values);
        body.block(kBlockB1).data.resize(6);
        const Decoded decoded = decodeCapture({settingsChunk(values), settingsChunk(body)});
        ASSERT_EQ(decoded.result, ContainerResult::ok);
        EXPECT_TRUE(fieldEquals(decoded.settings.blockB1Data, values.blockB1Data, 6));
        for (std::size_t index = 6; index < 48; ++index) {
            EXPECT_EQ(decoded.settings.blockB1Data[index], 0) << index;
        }
    }
}

TEST(DecodeGroupB, BoundBelowFourIsAnAbsentGroup)
{
    CaptureSettings settings{};
    const Bytes bytes = {0xFF, 0xFF, 0xFF};
    EXPECT_EQ(decodeExact(bytes, [&](const std::uint8_t* block) { return decodeGroupB(block, 3, settings); }), 0);
    EXPECT_EQ(decodeExact(bytes, [&](const std::uint8_t* block) { return decodeGroupA(block, 3, settings); }),
              kMalformedSettings);
}

}  // namespace
}  // namespace morvatix::testing
