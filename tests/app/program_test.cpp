// The whole program, run as a user runs it: console bytes, exit status and
// the files it leaves behind.
#include "capture_writer.h"
#include "program_runner.h"
#include "sample_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace morvatix::testing {
namespace {

namespace fs = std::filesystem;

const std::string kBanner = "[morvatix] Data text converter for KV-508TR    Version 1.00\n";
const std::string kPrompt = "Input data filename ? ";

std::string names(const std::string& from, const std::string& to)
{
    return "  From: \"" + from + "\"\n  To  : \"" + to + "\"\n";
}

Bytes validCapture()
{
    SlotFields frame = canSlot(100, 0x123, false, 2);
    frame.dataLength = 2;
    frame.dataBytes = {0xAB, 0xCD};
    return captureBytes({settingsChunk(sampleSettings()), monitorChunk(recordBytes(frame))});
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { folder = makeTemporaryFolder(); }
    void TearDown() override { removeFolder(folder); }

    std::string path(const std::string& name) const { return (fs::path(folder) / name).string(); }
    bool exists(const std::string& name) const { return fs::exists(path(name)); }

    ProgramRun run(std::vector<std::string> arguments, std::string input = "")
    {
        ProgramCall call;
        call.folder = folder;
        call.arguments = std::move(arguments);
        call.input = std::move(input);
        return runProgram(programCommand(MORVATIX_PROGRAM), call);
    }

    std::string folder;
};

TEST_F(ProgramTest, WrongArgumentCountPrintsUsage)
{
    writeFile(path("a.DT"), validCapture());
    const ProgramRun run = this->run({"a.DT", "b.DT"});
    EXPECT_EQ(run.standardError, kBanner + "morvatix <filename>\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(exists("a.txt"));
    EXPECT_EQ(run.standardOutput, "");
}

TEST_F(ProgramTest, EndOfInputAtThePromptIsAnInputError)
{
    const ProgramRun run = this->run({}, "");
    EXPECT_EQ(run.standardError, kBanner + kPrompt + "Input error\n");
    EXPECT_EQ(run.status, 1);
}

TEST_F(ProgramTest, ClosedInputAtThePromptIsAnInputError)
{
    ProgramCall call;
    call.folder = folder;
    call.closedInput = true;
    const ProgramRun run = runProgram(programCommand(MORVATIX_PROGRAM), call);
    EXPECT_EQ(run.standardError, kBanner + kPrompt + "Input error\n");
    EXPECT_EQ(run.status, 1);
}

TEST_F(ProgramTest, TypedNamesAreConverted)
{
    struct Case {
        std::string typed;
        std::string inputName;
        std::string reportName;
    };
    const Case cases[] = {
        {"run1\n", "run1.DT", "run1.txt"},
        {"run1\r\n", "run1.DT", "run1.txt"},
        {"run1", "run1.DT", "run1.txt"},  // a last line without its line end
        {"\"with space\"\n", "with space.DT", "with space.txt"},
        {"run2.bin\nignored\n", "run2.bin", "run2.txt"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.typed);
        writeFile(path(each.inputName), validCapture());
        const ProgramRun run = this->run({}, each.typed);
        EXPECT_EQ(run.standardError, kBanner + kPrompt + names(each.inputName, each.reportName) + "Complete\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(exists(each.reportName));
    }
}

TEST_F(ProgramTest, EmptyTypedLineLooksForDotDT)
{
    const ProgramRun run = this->run({}, "\n");
    EXPECT_EQ(run.standardError, kBanner + kPrompt + names(".DT", ".txt") + "Cannot open file \".DT\"\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(exists(".txt"));
}

TEST_F(ProgramTest, ArgumentNamesAreFormed)
{
    struct Case {
        std::string argument;
        std::string inputName;
        std::string reportName;
    };
    const Case cases[] = {
        {"run1", "run1.DT", "run1.txt"},
        {"run1.DT", "run1.DT", "run1.txt"},
        {"\"quoted name\"", "quoted name.DT", "quoted name.txt"},
        {"\"quoted.bin\"", "quoted.bin", "quoted.txt"},
        {"sub.dir/run3", "sub.dir/run3.DT", "sub.dir/run3.txt"},
    };
    fs::create_directory(path("sub.dir"));
    for (Case each : cases) {
        if (windowsProgram()) {
            // The Windows shell functions look for the extension after the last backslash.
            for (std::string* name : {&each.argument, &each.inputName, &each.reportName}) {
                std::replace(name->begin(), name->end(), '/', '\\');
            }
        }
        SCOPED_TRACE(each.argument);
        std::string onDisk = each.inputName;
        std::replace(onDisk.begin(), onDisk.end(), '\\', '/');
        writeFile(path(onDisk), validCapture());
        const ProgramRun run = this->run({each.argument});
        EXPECT_EQ(run.standardError, kBanner + names(each.inputName, each.reportName) + "Complete\n");
        EXPECT_EQ(run.status, 0);
        std::string reportOnDisk = each.reportName;
        std::replace(reportOnDisk.begin(), reportOnDisk.end(), '\\', '/');
        EXPECT_TRUE(exists(reportOnDisk));
    }
}

TEST_F(ProgramTest, WindowsNamesWithDriveLettersAndBackslashes)
{
    if (!windowsProgram()) {
        GTEST_SKIP() << "drive letters and backslashes are Windows names";
    }
    fs::create_directory(path("run dir.v2"));
    writeFile(path("run dir.v2/cap ture.DT"), validCapture());
    // The runner maps the drive Z: to the root of this file system.
    std::string windowsFolder = "Z:" + folder;
    std::replace(windowsFolder.begin(), windowsFolder.end(), '/', '\\');
    const std::string given = windowsFolder + "\\run dir.v2\\cap ture";
    for (const bool typed : {false, true}) {
        SCOPED_TRACE(typed);
        fs::remove(path("run dir.v2/cap ture.txt"));
        const ProgramRun run = typed ? this->run({}, "\"" + given + "\"\r\n") : this->run({given});
        EXPECT_EQ(run.standardError, kBanner + (typed ? kPrompt : "") + names(given + ".DT", given + ".txt") + "Complete\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(exists("run dir.v2/cap ture.txt"));
    }
}

TEST_F(ProgramTest, FailedConversionsPrintTheirMessage)
{
    SettingsBody wrongModel = fullSettingsBody(sampleSettings());
    wrongModel.block(kModelBlock).data[1] = 21;
    struct Case {
        std::string label;
        std::optional<Bytes> capture;  // none: no file
        std::string message;
    };
    const Case cases[] = {
        {"missing file", std::nullopt, "Cannot open file \"c.DT\"\n"},
        {"empty file", Bytes{}, "Data error \"c.DT\"\n"},
        {"magic only", captureMagic(), "Data error \"c.DT\"\n"},
        {"bad magic", [] {
             Bytes bytes = validCapture();
             bytes[15] = ' ';
             return bytes;
         }(),
         "Data error \"c.DT\"\n"},
        {"no settings chunk", captureBytes({monitorChunk(Bytes(64, 0))}), "Data error \"c.DT\"\n"},
        {"model code 21", captureBytes({settingsChunk(wrongModel)}), "Data error \"c.DT\"\n"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        fs::remove(path("c.DT"));
        if (each.capture) {
            writeFile(path("c.DT"), *each.capture);
        }
        const ProgramRun run = this->run({"c"});
        EXPECT_EQ(run.standardError, kBanner + names("c.DT", "c.txt") + each.message);
        EXPECT_EQ(run.status, 2);
        EXPECT_FALSE(exists("c.txt"));
    }
}

TEST_F(ProgramTest, SuccessfulRunWritesTheReport)
{
    writeFile(path("ok.DT"), validCapture());
    const ProgramRun run = this->run({"ok.DT"});
    EXPECT_EQ(run.standardError, kBanner + names("ok.DT", "ok.txt") + "Complete\n");
    EXPECT_EQ(run.status, 0);
    const Bytes report = readFile(path("ok.txt"));
    const std::string text(report.begin(), report.end());
    EXPECT_NE(text.find("\r\n---Time stamp---"), std::string::npos);
    EXPECT_NE(text.find("       123 Data     2  G  AB CD "), std::string::npos);
}

TEST_F(ProgramTest, ExistingReportIsReplacedWhole)
{
    writeFile(path("ok.DT"), validCapture());
    writeFile(path("ok.txt"), Bytes(1'000'000, 'x'));
    ASSERT_EQ(this->run({"ok"}).status, 0);
    const Bytes report = readFile(path("ok.txt"));
    EXPECT_LT(report.size(), 2000u);
    EXPECT_EQ(report[0], '*');
}

TEST_F(ProgramTest, ReportNeverReplacesTheCapture)
{
    const Bytes capture = validCapture();
    writeFile(path("x.txt"), capture);
    ProgramRun run = this->run({"x.txt"});
    EXPECT_EQ(run.standardError, kBanner + names("x.txt", "x.txt") + "Cannot create file \"x.txt\"\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(readFile(path("x.txt")), capture);

    // The report name is a link to the capture.
    writeFile(path("y.DT"), capture);
    fs::create_symlink("y.DT", path("y.txt"));
    run = this->run({"y"});
    EXPECT_EQ(run.standardError, kBanner + names("y.DT", "y.txt") + "Cannot create file \"y.txt\"\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(readFile(path("y.DT")), capture);
}

TEST_F(ProgramTest, OverlongNamesAreInputErrors)
{
    struct Case {
        std::string label;
        std::string name;
        bool accepted;
    };
    const Case cases[] = {
        {"259 characters with extension", std::string(255, 'n') + ".bin", true},
        {"260 characters", std::string(256, 'n') + ".bin", false},
        {"too long once .DT is added", std::string(257, 'n'), false},
        {"just fits with .DT and .txt", std::string(255, 'n'), true},
        {"report name too long", std::string(256, 'n'), false},
        {"too long once .txt replaces .b", std::string(257, 'n') + ".b", false},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.label);
        for (const char* lineEnd : {"", "\n", "\r\n"}) {
            const bool typed = *lineEnd != '\0';
            const ProgramRun run = typed ? this->run({}, each.name + lineEnd) : this->run({each.name});
            const std::string prompt = typed ? kPrompt : "";
            if (each.accepted) {
                EXPECT_NE(run.standardError.find("  From: "), std::string::npos);
            } else {
                EXPECT_EQ(run.standardError, kBanner + prompt + "Input error\n");
                EXPECT_EQ(run.status, 1);
            }
        }
    }
    EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
}  // namespace morvatix::testing

namespace morvatix::testing {
namespace {

// "YYYY-MM-DD hh:mm:ss" of the local time now, moved by `offset` seconds.
std::string localTimeText(int offset)
{
    const std::time_t now = std::time(nullptr) + offset;
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// Everything but the first line, which holds the time of the conversion.
std::string withoutFirstLine(const Bytes& report)
{
    const std::string text(report.begin(), report.end());
    const std::size_t end = text.find("\r\n");
    return end == std::string::npos ? text : text.substr(end + 2);
}

TEST_F(ProgramTest, ExampleCaptureGivesTheGoldenReport)
{
    const std::string source = MORVATIX_SOURCE_DIR;
    const Bytes example = readFile(source + "/examples/sample.DT");
    EXPECT_EQ(example, sampleCaptureBytes()) << "examples/sample.DT is out of date with its writer";
    writeFile(path("sample.DT"), example);

    // A second of slack each way: the clocks behind the two readings tick at slightly different moments.
    const std::string before = localTimeText(-1);
    const ProgramRun run = this->run({"sample.DT"});
    const std::string after = localTimeText(+1);
    ASSERT_EQ(run.status, 0) << run.standardError;
    const Bytes report = readFile(path("sample.txt"));
    const Bytes golden = readFile(source + "/tests/app/golden/sample.txt");
    EXPECT_EQ(withoutFirstLine(report), withoutFirstLine(golden));

    // The first line holds the local time of the conversion.
    const std::string firstLine(report.begin(), report.begin() + 41);
    EXPECT_EQ(firstLine.substr(0, 17), "*===============[");
    EXPECT_EQ(firstLine.substr(36), "]=*\r\n");
    const std::string stamp = firstLine.substr(17, 19);
    EXPECT_TRUE(before <= stamp && stamp <= after) << before << " " << stamp << " " << after;
}

}  // namespace
}  // namespace morvatix::testing
