// morvatix-export as users run it, and its files read back by the tools
// engineers use: python-can, can-utils and tshark.
#include "capture_writer.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace morvatix::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kFdLengths[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 16, 20, 24, 32, 48, 64};

// What a reader must find for one CAN record.
struct ExpectedCan {
    std::uint32_t identifier;
    bool extended;
    bool remote;
    bool fd;
    unsigned length;  // the requested length of a remote frame
    Bytes data;
    std::uint32_t timeStamp;
};

struct ExpectedLin {
    std::uint8_t protectedId;
    std::uint8_t checksum;
    bool noResponse, framing, parity, checksumError;
    Bytes data;
    std::uint32_t timeStamp;
};

struct Fixture {
    Bytes capture;
    std::vector<ExpectedCan> can;
    std::vector<ExpectedLin> lin;
    std::size_t otherRecords = 0;
};

std::string hex(const Bytes& bytes, bool upper = true)
{
    static const char* const kUpper = "0123456789ABCDEF";
    static const char* const kLower = "0123456789abcdef";
    const char* digits = upper ? kUpper : kLower;
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

std::string seconds(std::uint32_t timeStamp, int decimals)
{
    std::ostringstream text;
    text << timeStamp / 10'000 << '.';
    std::string fraction = std::to_string(std::uint64_t{timeStamp % 10'000} * 100'000);  // nanoseconds
    fraction = std::string(9 - fraction.size(), '0') + fraction;
    text << fraction.substr(0, static_cast<std::size_t>(decimals));
    return text.str();
}

// Every CAN frame form, LIN frames with every error bit, and records the exports skip.
Fixture exportFixture()
{
    Fixture fixture;
    Bytes slots;
    std::uint32_t time = 12'345'678;  // 1234.5678 s
    auto add = [&slots](const Bytes& record) { slots.insert(slots.end(), record.begin(), record.end()); };
    for (unsigned length = 0; length <= 8; ++length) {
        const bool extended = length % 2 == 1;
        const std::uint32_t identifier = extended ? 0x1ABCDE00u + length : 0x700u + length;
        SlotFields slot = canSlot(time += 7, identifier, extended, length);
        slot.dataLength = static_cast<std::uint8_t>(length);
        Bytes data;
        for (unsigned index = 0; index < length; ++index) {
            slot.dataBytes[index] = static_cast<std::uint8_t>(0xA0 + 16 * index + length);
            data.push_back(slot.dataBytes[index]);
        }
        add(recordBytes(slot));
        fixture.can.push_back({identifier, extended, false, false, length, data, time});

        const std::uint32_t remoteIdentifier = extended ? identifier & 0x7FF : identifier;
        SlotFields remote = canSlot(time += 3, remoteIdentifier, !extended, kRemote | length);
        add(recordBytes(remote));
        fixture.can.push_back({remoteIdentifier, !extended, true, false, length, {}, time});
    }
    // CAN FD frames of every length from 1 to 64 bytes.
    for (unsigned code = 1; code < 16; ++code) {
        const unsigned length = kFdLengths[code];
        SlotFields fd = canSlot(time += 11, 0x100u + code, code % 3 == 0, kFd | code);
        fd.dataLength = static_cast<std::uint8_t>(length);
        Bytes data;
        for (unsigned index = 0; index < length; ++index) {
            data.push_back(static_cast<std::uint8_t>(code * 7 + index));
        }
        std::copy(data.begin(), data.begin() + std::min(length, 8u), fd.dataBytes.begin());
        add(recordBytes(fd, length > 8 ? Bytes(data.begin() + 8, data.end()) : Bytes{}));
        fixture.can.push_back({0x100u + code, code % 3 == 0, false, true, length, data, time});
    }
    struct LinCase {
        std::uint32_t flags;
        Bytes data;
    };
    const LinCase linCases[] = {
        {kLinHeader | kChecksumPresent, {0x12, 0x34}},
        {kLinHeader, {}},
        {kLinHeader | kChecksumPresent | (1u << 16), {1, 2, 3, 4, 5, 6, 7, 8}},
        {kLinHeader | kChecksumPresent | (1u << 12), {0x77}},
        {kLinHeader | kChecksumPresent | (1u << 11), {0x01, 0x02, 0x03}},
        {kSyncPresent | (1u << 16), {}},
    };
    std::uint8_t protectedId = 0x50;
    for (const LinCase& each : linCases) {
        SlotFields slot = linSlot(time += 13, protectedId, 0x55, 0xC3, each.flags);
        slot.dataLength = static_cast<std::uint8_t>(each.data.size());
        std::copy(each.data.begin(), each.data.end(), slot.dataBytes.begin());
        add(recordBytes(slot));
        const bool checksum = (each.flags & kChecksumPresent) != 0;
        fixture.lin.push_back({protectedId, static_cast<std::uint8_t>(checksum ? 0xC3 : 0),
                               (each.flags & kLinHeader) == kLinHeader && each.data.empty() && !checksum,
                               (each.flags & (1u << 16)) != 0, (each.flags & (1u << 12)) != 0,
                               (each.flags & (1u << 11)) != 0, each.data, time});
        protectedId = static_cast<std::uint8_t>(protectedId + 0x11);
    }
    add(recordBytes(inputSlot(time += 1)));
    add(recordBytes(overrunSlot()));
    fixture.otherRecords = 2;
    fixture.capture = captureBytes({settingsChunk(sampleSettings()), monitorChunk(slots)});
    return fixture;
}

const std::string kUsageFirstLine = "usage: morvatix-export CAPTURE OUTPUT\n";

class ExportProgramTest : public ::testing::Test {
protected:
    void SetUp() override { folder = makeTemporaryFolder(); }
    void TearDown() override { removeFolder(folder); }

    std::string path(const std::string& name) const { return (fs::path(folder) / name).string(); }

    ProgramRun run(std::vector<std::string> arguments)
    {
        ProgramCall call;
        call.folder = folder;
        call.arguments = std::move(arguments);
        return runProgram(programCommand(MORVATIX_EXPORT_PROGRAM, "MORVATIX_EXPORT_PROGRAM"), call);
    }

    // Runs a shell command in the folder; its standard output, or a skip when the tool is missing.
    std::string tool(const std::string& command)
    {
        ProgramCall call;
        call.folder = folder;
        const ProgramRun result = runProgram(command, call);
        EXPECT_EQ(result.status, 0) << command << "\n" << result.standardError;
        return result.standardOutput;
    }

    std::string folder;
};

bool haveCommand(const std::string& check)
{
    return std::system(("sh -c " + shellQuote(check + " >/dev/null 2>&1")).c_str()) == 0;
}

TEST_F(ExportProgramTest, UsageAndHelp)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{}, {"a.DT"}, {"a.DT", "b.log", "c"},
                                                                       {"a.DT", "b.txt"}, {"a.DT", "b"}}) {
        const ProgramRun run = this->run(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.standardError.substr(0, kUsageFirstLine.size()), kUsageFirstLine);
        EXPECT_EQ(run.standardOutput, "");
    }
    const ProgramRun help = this->run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.standardOutput.substr(0, kUsageFirstLine.size()), kUsageFirstLine);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(ExportProgramTest, FailuresSayWhatFailed)
{
    const std::string names = "  From: \"c.DT\"\n  To  : \"c.log\"\n";
    ProgramRun run = this->run({"c", "c.log"});
    EXPECT_EQ(run.standardError, names + "Cannot open file \"c.DT\"\n");
    EXPECT_EQ(run.status, 2);

    writeFile(path("c.DT"), captureMagic());
    run = this->run({"c", "c.log"});
    EXPECT_EQ(run.standardError, names + "Data error \"c.DT\"\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(path("c.log")));

    writeFile(path("c.DT"), exportFixture().capture);
    fs::create_directory(path("c.log"));
    run = this->run({"c", "c.log"});
    EXPECT_EQ(run.standardError, names + "Cannot create file \"c.log\"\n");
    EXPECT_EQ(run.status, 2);

    if (fs::exists("/dev/full")) {
        fs::create_symlink("/dev/full", path("full.pcapng"));
        run = this->run({"c.DT", "full.pcapng"});
        EXPECT_EQ(run.standardError, "  From: \"c.DT\"\n  To  : \"full.pcapng\"\nCannot write file \"full.pcapng\"\n");
        EXPECT_EQ(run.status, 2);
    }

    // The output never replaces the capture.
    const Bytes capture = exportFixture().capture;
    writeFile(path("x.log"), capture);
    run = this->run({"x.log", "x.log"});
    EXPECT_EQ(run.standardError, "  From: \"x.log\"\n  To  : \"x.log\"\nCannot create file \"x.log\"\n");
    EXPECT_EQ(readFile(path("x.log")), capture);
}

TEST_F(ExportProgramTest, ClosingLineCountsTheRecords)
{
    const Fixture fixture = exportFixture();
    writeFile(path("f.DT"), fixture.capture);
    const std::string canOnly = "Exported " + std::to_string(fixture.can.size()) + " records, skipped " +
                                std::to_string(fixture.lin.size() + fixture.otherRecords) + "\n";
    for (const std::string output : {"f.log", "f.asc"}) {
        const ProgramRun run = this->run({"f", output});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.standardError, "  From: \"f.DT\"\n  To  : \"" + output + "\"\n" + canOnly);
    }
    const ProgramRun run = this->run({"f", "f.pcapng"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.standardError, "  From: \"f.DT\"\n  To  : \"f.pcapng\"\nExported " +
                                     std::to_string(fixture.can.size() + fixture.lin.size()) + " records, skipped " +
                                     std::to_string(fixture.otherRecords) + "\n");
}

TEST_F(ExportProgramTest, PythonCanReadsTheLogAndAscExports)
{
    if (!haveCommand("/usr/bin/python3 -c 'import can'")) {
        GTEST_SKIP() << "python-can is not installed (Debian package python3-can)";
    }
    const Fixture fixture = exportFixture();
    writeFile(path("f.DT"), fixture.capture);
    std::string expected;
    for (const ExpectedCan& frame : fixture.can) {
        std::ostringstream line;
        line << std::hex << std::uppercase << frame.identifier << std::dec << ' ' << frame.extended << ' '
             << frame.remote << ' ' << frame.fd << ' ' << frame.length << ' ' << hex(frame.data) << ' '
             << seconds(frame.timeStamp, 6) << '\n';
        expected += line.str();
    }
    const std::string script = std::string(MORVATIX_SOURCE_DIR) + "/tests/export/read_with_python_can.py";
    for (const std::string output : {"f.log", "f.asc"}) {
        SCOPED_TRACE(output);
        ASSERT_EQ(this->run({"f", output}).status, 0);
        EXPECT_EQ(tool("/usr/bin/python3 " + shellQuote(script) + " " + output), expected);
    }
}

TEST_F(ExportProgramTest, Log2ascAcceptsTheLogExport)
{
    if (!haveCommand("command -v log2asc")) {
        GTEST_SKIP() << "can-utils is not installed";
    }
    const Fixture fixture = exportFixture();
    writeFile(path("f.DT"), fixture.capture);
    ASSERT_EQ(this->run({"f", "f.log"}).status, 0);
    const std::string asc = tool("log2asc -I f.log can0");
    std::istringstream lines(asc);
    std::string line;
    std::size_t frames = 0;
    std::size_t dates = 0;
    while (std::getline(lines, line)) {
        frames += line.find(" Rx ") != std::string::npos ? 1 : 0;
        dates += line.rfind("date ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(frames, fixture.can.size());
    EXPECT_EQ(dates, 1u);
}

TEST_F(ExportProgramTest, TsharkReadsBothPortsFromThePcapng)
{
    if (!haveCommand("command -v tshark")) {
        GTEST_SKIP() << "tshark is not installed";
    }
    const Fixture fixture = exportFixture();
    writeFile(path("f.DT"), fixture.capture);
    ASSERT_EQ(this->run({"f", "f.pcapng"}).status, 0);
    const std::string fields =
        tool("tshark -r f.pcapng -T fields -E separator=/s -E occurrence=f -e frame.interface_id -e frame.time_epoch "
             "-e can.id -e can.flags.xtd -e can.flags.rtr -e canfd.flags.brs -e can.len -e data.data "
             "-e lin.protected_id -e lin.checksum -e lin.errors.no_slave_response -e lin.errors.framing_error "
             "-e lin.errors.parity_error -e lin.errors.checksum_error 2>/dev/null");

    std::string expected;
    for (const ExpectedCan& frame : fixture.can) {
        // A remote frame has no data; the reader shows its padding as zeros.
        const std::string data = frame.remote ? std::string(2 * frame.length, '0') : hex(frame.data, false);
        expected += "0 " + seconds(frame.timeStamp, 9) + " " + std::to_string(frame.identifier) + " " +
                    (frame.extended ? "1" : "0") + " " + (frame.fd ? "" : frame.remote ? "1" : "0") + " " +
                    (frame.fd ? "0" : "") + " " + std::to_string(frame.length) + " " + data + "      \n";
    }
    for (const ExpectedLin& frame : fixture.lin) {
        char protectedId[8];
        char checksum[8];
        std::snprintf(protectedId, sizeof protectedId, "0x%02x", frame.protectedId);
        std::snprintf(checksum, sizeof checksum, "0x%02x", frame.checksum);
        expected += "1 " + seconds(frame.timeStamp, 9) + "      " + hex(frame.data, false) + " " + protectedId + " " +
                    checksum + " " + (frame.noResponse ? "1" : "0") + " " + (frame.framing ? "1" : "0") + " " +
                    (frame.parity ? "1" : "0") + " " + (frame.checksumError ? "1" : "0") + "\n";
    }
    EXPECT_EQ(fields, expected);
}

}  // namespace
}  // namespace morvatix::testing
