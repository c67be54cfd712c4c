#include "storage/Settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestFiles.h"

namespace twistor::storage {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

Settings Make(std::array<int, 6> colours, int size, int count, double time) {
    return Settings{colours, size, count, time};
}

TEST(SettingsFile, DefaultsAreWrittenAsTheOldGameWroteThem) {
    const std::string expected = " 10  9  12  13  14  15  2  3  0 \r\n";
    EXPECT_EQ(FormatSettings(Settings{}), expected);

    TempFolder folder;
    ASSERT_TRUE(SaveSettings(folder / kSettingsFileName, Settings{}).ok());
    EXPECT_EQ(ReadBytes(folder / kSettingsFileName), expected);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{std::string(kSettingsFileName)});
}

class SettingsRoundTrip : public ::testing::TestWithParam<Settings> {};

TEST_P(SettingsRoundTrip, SavedSettingsReadBackUnchanged) {
    TempFolder folder;
    const auto path = folder / kSettingsFileName;
    ASSERT_TRUE(SaveSettings(path, GetParam()).ok());
    const SettingsRead read = ReadSettings(path);
    EXPECT_TRUE(read.found);
    EXPECT_EQ(read.problems, std::vector<std::string>{});
    EXPECT_EQ(read.settings, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Options, SettingsRoundTrip,
                         ::testing::Values(Settings{}, Make({1, 2, 3, 4, 5, 6}, 20, 0, 0),
                                           Make({15, 14, 13, 12, 11, 10}, 3, 99, 99),
                                           Make({8, 9, 1, 2, 3, 4}, 5, 12, -.5),
                                           Make({10, 9, 12, 13, 14, 15}, 7, 1, 12.5)));

struct ReadCase {
    const char* name;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
    std::string_view text;
    Settings expected;
    std::vector<std::string> problems;  // each a fragment of one problem, in order
};

class SettingsReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsReading, TakesSoundValuesAndFallsBackFieldByField) {
    const ReadCase& c = GetParam();
    const SettingsRead read = ParseSettings(c.text, "opts.settings");
    EXPECT_EQ(read.settings, c.expected);
    ASSERT_EQ(read.problems.size(), c.problems.size()) << ::testing::PrintToString(read.problems);
    for (std::size_t k = 0; k < c.problems.size(); ++k) {
        EXPECT_NE(read.problems[k].find(c.problems[k]), std::string::npos) << read.problems[k];
        EXPECT_EQ(read.problems[k].rfind("opts.settings", 0), 0u) << read.problems[k];
    }
}

const std::array<int, 6> kDefaultColours{10, 9, 12, 13, 14, 15};

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsReading,
    ::testing::Values(
        ReadCase{"LfOnly", " 1  2  3  4  5  6  9  4  5 \n", Make({1, 2, 3, 4, 5, 6}, 9, 4, 5), {}},
        ReadCase{"Commas", "1,2,3,4,5,6,9,4,.5", Make({1, 2, 3, 4, 5, 6}, 9, 4, .5), {}},
        ReadCase{"SpreadOverLines",
                 "\r\n 1\t2\r\n3 ,4,, 5 6\n\n9 4 -2",
                 Make({1, 2, 3, 4, 5, 6}, 9, 4, -2),
                 {}},
        ReadCase{
            "TenthValueIgnored", "1 2 3 4 5 6 9 4 5 77", Make({1, 2, 3, 4, 5, 6}, 9, 4, 5), {}},
        ReadCase{"WholeWrittenWithFraction",
                 "1 2 3 4 5 6 12.0 4e0 +5",
                 Make({1, 2, 3, 4, 5, 6}, 12, 4, 5),
                 {}},
        ReadCase{"SizeTooLarge",
                 "10 9 12 13 14 15 25 3 0",
                 Settings{},
                 {"value 7 (cube size): 25 is outside 2..20; using 2"}},
        ReadCase{
            "SizeFraction", "10 9 12 13 14 15 2.5 3 0", Settings{}, {"2.5 is not a whole number"}},
        ReadCase{"SizeText",
                 "10 9 12 13 14 15 big 3 0",
                 Settings{},
                 {"\"big\" is not a number; using 2"}},
        ReadCase{"GreyColour",
                 "1 2 7 4 5 6 2 3 0",
                 Make({1, 2, 12, 4, 5, 6}, 2, 3, 0),
                 {"value 3 (colour 3): 7 is not one of the fourteen face colours"}},
        ReadCase{
            "ColourAbove15", "1 2 3 4 5 16 2 3 0", Make({1, 2, 3, 4, 5, 15}, 2, 3, 0), {"value 6"}},
        ReadCase{"RepeatedColour",
                 "10 10 12 13 14 15 4 3 0",
                 Make(kDefaultColours, 4, 3, 0),
                 {"not six different colours; using the default colours"}},
        ReadCase{"FallbackRepeatsAColour",
                 "15 2 3 4 5 99 4 3 0",
                 Make(kDefaultColours, 4, 3, 0),
                 {"value 6", "the colours 15, 2, 3, 4, 5, 15 are not six different"}},
        ReadCase{"CountTooLarge",
                 "10 9 12 13 14 15 2 100 0",
                 Settings{},
                 {"value 8 (scramble count): 100 is outside 0..99; using 3"}},
        ReadCase{"CountFraction", "10 9 12 13 14 15 2 2.5 0", Settings{}, {"value 8"}},
        ReadCase{"TimeTooLarge",
                 "10 9 12 13 14 15 2 3 100",
                 Settings{},
                 {"value 9 (rotation time): 100 is outside -9..99; using 0"}},
        ReadCase{"TimeNotANumber", "10 9 12 13 14 15 2 3 nan", Settings{}, {"\"nan\""}},
        ReadCase{
            "EndsEarly", "1 2 3", Make({1, 2, 3, 13, 14, 15}, 2, 3, 0), {"ends after value 3"}},
        // The old game showed a scramble count of 4 after an empty file, an
        // accident of its counting; the plain default is kept.
        ReadCase{"Empty", "", Settings{}, {"holds no values"}},
        ReadCase{"ExtraValues",
                 "10 9 12 13 14 15 2 3 0 x y",
                 Settings{},
                 {"values after the tenth are ignored"}},
        ReadCase{"BinaryJunk",
                 std::string_view("\x89PNG\0\x1a\xff", 7),
                 Settings{},
                 {"value 1 (colour 1): \"\\x89PNG\\x00\\x1a\\xff\" is not a number",
                  "ends after value 1"}},
        ReadCase{"SeveralBadFields",
                 "10 9 12 13 14 15 0 -3 x",
                 Settings{},
                 {"value 7", "value 8", "value 9"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SettingsFile, MissingFileLeavesDefaultsSilently) {
    TempFolder folder;
    const SettingsRead read = ReadSettings(folder / kSettingsFileName);
    EXPECT_FALSE(read.found);
    EXPECT_EQ(read.settings, Settings{});
    EXPECT_TRUE(read.problems.empty());
}

TEST(SettingsFile, HugeFileIsRefusedWithoutBeingRead) {
    TempFolder folder;
    const auto path = folder / kSettingsFileName;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 100'000'000), 0);  // sparse: no time spent writing
    ::close(fd);

    const SettingsRead read = ReadSettings(path);
    EXPECT_TRUE(read.found);
    EXPECT_EQ(read.settings, Settings{});
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_NE(read.problems[0].find("too large"), std::string::npos) << read.problems[0];
}

class UnsaveableSettings : public ::testing::TestWithParam<std::pair<Settings, const char*>> {};

TEST_P(UnsaveableSettings, AreRefusedAndTheOldFileStays) {
    TempFolder folder;
    const auto path = folder / kSettingsFileName;
    WriteBytes(path, "old");
    const WriteStatus status = SaveSettings(path, GetParam().first);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error.find(GetParam().second), std::string::npos) << status.error;
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{std::string(kSettingsFileName)});
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UnsaveableSettings,
    ::testing::Values(std::pair{Make({10, 9, 12, 13, 14, 7}, 2, 3, 0), "colour 6"},
                      std::pair{Make({10, 9, 12, 13, 14, 10}, 2, 3, 0), "six different"},
                      std::pair{Make(kDefaultColours, 21, 3, 0), "cube size"},
                      std::pair{Make(kDefaultColours, 2, 100, 0), "scramble count"},
                      std::pair{
                          Make(kDefaultColours, 2, 3, std::numeric_limits<double>::infinity()),
                          "rotation time"}));

}  // namespace
}  // namespace twistor::storage
