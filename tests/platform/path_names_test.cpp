#include "platform/platform.h"

#include <gtest/gtest.h>

namespace morvatix {
namespace {

struct NameCase {
    const char* given;
    const char* inputName;
    const char* reportName;
};

TEST(PathNames, FormInputAndReportNames)
{
    const NameCase cases[] = {
        {"run1", "run1.DT", "run1.txt"},
        {"run1.DT", "run1.DT", "run1.txt"},
        {"run1.bin", "run1.bin", "run1.txt"},
        {"run1.", "run1.", "run1.txt"},
        {".DT", ".DT", ".txt"},
        {"", ".DT", ".txt"},
        {"dir.v2/run1", "dir.v2/run1.DT", "dir.v2/run1.txt"},
        {"dir.v2/run1.tar.gz", "dir.v2/run1.tar.gz", "dir.v2/run1.tar.txt"},
        {"\"with space\"", "with space.DT", "with space.txt"},
        {"\"only leading", "\"only leading.DT", "\"only leading.txt"},
        {"only trailing\"", "only trailing\".DT", "only trailing\".txt"},
        {"\"", ".DT", ".txt"},
        {"\"\"", ".DT", ".txt"},
        {"x.txt", "x.txt", "x.txt"},
    };
    for (const NameCase& each : cases) {
        SCOPED_TRACE(each.given);
        std::string input = each.given;
        unquoteSpaces(input);
        EXPECT_TRUE(addExtension(input, ".DT"));
        std::string report = input;
        EXPECT_TRUE(renameExtension(report, ".txt"));
        EXPECT_EQ(input, each.inputName);
        EXPECT_EQ(report, each.reportName);
    }
}

TEST(PathNames, RefuseNamesThatWouldBeTooLong)
{
    std::string name(256, 'n');
    EXPECT_TRUE(addExtension(name, ".DT"));  // 259 characters
    std::string longer(257, 'n');
    EXPECT_FALSE(addExtension(longer, ".DT"));
    EXPECT_EQ(longer, std::string(257, 'n'));
    std::string withExtension(255, 'n');
    withExtension += ".bin";
    EXPECT_TRUE(addExtension(withExtension, ".DT"));  // it has one already
    EXPECT_TRUE(renameExtension(withExtension, ".txt"));
    EXPECT_EQ(withExtension, std::string(255, 'n') + ".txt");
    std::string report(256, 'n');
    report += ".DT";
    EXPECT_FALSE(renameExtension(report, ".txt"));
    EXPECT_EQ(report, std::string(256, 'n') + ".DT");
}

TEST(LocalClock, GivesAPlausibleDate)
{
    const LocalTime now = readLocalTime();
    EXPECT_GE(now.year, 2020);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_LE(now.hour, 23);
    EXPECT_LE(now.minute, 59);
    EXPECT_LE(now.second, 60);
}

}  // namespace
}  // namespace morvatix
