// Faults of the file system and of memory, through the whole program: the
// message, the exit status and what is left on disk.
#include "capture_writer.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace morvatix::testing {
namespace {

namespace fs = std::filesystem;

const std::string kBanner = "[morvatix] Data text converter for KV-508TR    Version 1.00\n";

std::string names(const std::string& from, const std::string& to)
{
    return "  From: \"" + from + "\"\n  To  : \"" + to + "\"\n";
}

Bytes captureWithRecords(std::size_t records)
{
    Bytes slots;
    slots.reserve(records * 32);
    for (std::size_t index = 0; index < records; ++index) {
        SlotFields frame = canSlot(static_cast<std::uint32_t>(index), 0x100 + (index & 0xFF), false, 8);
        frame.dataLength = 8;
        const Bytes slot = slotBytes(frame);
        slots.insert(slots.end(), slot.begin(), slot.end());
    }
    return captureBytes({settingsChunk(sampleSettings()), monitorChunk(slots)});
}

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override { folder = makeTemporaryFolder(); }
    void TearDown() override { removeFolder(folder); }

    std::string path(const std::string& name) const { return (fs::path(folder) / name).string(); }

    ProgramRun run(const std::string& argument, const std::string& shellPrefix = "")
    {
        ProgramCall call;
        call.folder = folder;
        call.arguments = {argument};
        call.shellPrefix = shellPrefix;
        return runProgram(programCommand(MORVATIX_PROGRAM), call);
    }

    std::string folder;
};

TEST_F(FaultTest, ReportThatCannotBeWrittenPartWay)
{
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    // Enough lines that some are handed to the file before the end.
    writeFile(path("big.DT"), captureWithRecords(20'000));
    fs::create_symlink("/dev/full", path("big.txt"));
    const ProgramRun run = this->run("big");
    EXPECT_EQ(run.standardError, kBanner + names("big.DT", "big.txt") + "Cannot write file \"big.txt\"\n");
    EXPECT_EQ(run.status, 2);
}

TEST_F(FaultTest, ReportThatCannotBeCreated)
{
    writeFile(path("d.DT"), captureWithRecords(1));
    fs::create_directory(path("d.txt"));
    ProgramRun run = this->run("d");
    EXPECT_EQ(run.standardError, kBanner + names("d.DT", "d.txt") + "Cannot create file \"d.txt\"\n");
    EXPECT_EQ(run.status, 2);

    // The report's name leads into a folder that does not exist.
    writeFile(path("m.DT"), captureWithRecords(1));
    fs::create_symlink("missing/m.txt", path("m.txt"));
    run = this->run("m");
    EXPECT_EQ(run.standardError, kBanner + names("m.DT", "m.txt") + "Cannot create file \"m.txt\"\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(path("missing")));
}

TEST_F(FaultTest, CaptureThatIsAFolder)
{
    fs::create_directory(path("f.DT"));
    const ProgramRun run = this->run("f.DT");
    EXPECT_EQ(run.standardError, kBanner + names("f.DT", "f.txt") + "Cannot open file \"f.DT\"\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(path("f.txt")));
}

TEST_F(FaultTest, CaptureTooLargeToHold)
{
    // Sparse files: no disk is used.
    for (const std::uintmax_t size : {std::uintmax_t{1} << 31, (std::uintmax_t{1} << 32) + 100}) {
        SCOPED_TRACE(size);
        writeFile(path("huge.DT"), captureMagic());
        fs::resize_file(path("huge.DT"), size);
        const ProgramRun run = this->run("huge.DT");
        EXPECT_EQ(run.standardError, kBanner + names("huge.DT", "huge.txt") + "Cannot read file \"huge.DT\"\n");
        EXPECT_EQ(run.status, 2);
        EXPECT_FALSE(fs::exists(path("huge.txt")));
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define MORVATIX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVATIX_ADDRESS_SANITIZER 1
#endif
#endif

TEST_F(FaultTest, MemoryThatCannotBeObtained)
{
#ifdef MORVATIX_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    if (std::getenv("MORVATIX_PROGRAM_RUNNER") != nullptr) {
        GTEST_SKIP() << "a runner in front of the program changes what the limit means";
    }
    // 48 MiB of slots: the image fits under the limit, the copy of its slots does not.
    constexpr std::size_t kRecords = 48 * 1024 * 1024 / 32;
    writeFile(path("mem.DT"), captureWithRecords(kRecords));
    const std::size_t captureKiB = fs::file_size(path("mem.DT")) / 1024;
    const std::string slotCopyFails = "ulimit -v " + std::to_string(captureKiB + 32 * 1024) + ";";
    ProgramRun run = this->run("mem", slotCopyFails);
    EXPECT_EQ(run.standardError, kBanner + names("mem.DT", "mem.txt") + "Memory allocation error\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(path("mem.txt")));

    const std::string imageFails = "ulimit -v " + std::to_string(captureKiB / 2 + 16 * 1024) + ";";
    run = this->run("mem", imageFails);
    EXPECT_EQ(run.standardError, kBanner + names("mem.DT", "mem.txt") + "Memory allocation error\n");
    EXPECT_EQ(run.status, 2);

    // With room for both, the same capture converts.
    run = this->run("mem", "ulimit -v " + std::to_string(3 * captureKiB + 64 * 1024) + ";");
    EXPECT_EQ(run.status, 0) << run.standardError;
}

}  // namespace
}  // namespace morvatix::testing
