#include "storage/Settings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestFiles.h"

namespace twistor::storage {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

Settings Make(std::array<int, 6> colours, int size, int count, double time) {
    return Settings{colours, size, count, time};
}

TEST(SettingsFile, DefaultsAreWrittenValueForValue) {
    const std::string expected = " 10  9  12  13  14  15  2  3  0 \r\n";
    EXPECT_EQ(FormatSettings(Settings{}), expected);

    TempFolder folder;
    ASSERT_TRUE(SaveSettings(folder / kSettingsFileName, Settings{}).ok());
    EXPECT_EQ(ReadBytes(folder / kSettingsFileName), expected);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{std::string(kSettingsFileName)});
}

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
        ReadCase{"ByteOrderMark",
                 "\xEF\xBB\xBF 1  2  3  4  5  6  9  4  5 \r\n",
                 Make({1, 2, 3, 4, 5, 6}, 9, 4, 5),
                 {}},
        ReadCase{"SizeTooLarge",
                 "10 9 12 13 14 15 25 3 0",
                 Settings{},
                 {"line 1, value 7 (cube size): 25 is outside 2..20; using 2"}},
        ReadCase{"SizeTooLargeOnLineThree",
                 "10 9 12\n13 14 15\n25 3 0",
                 Settings{},
                 {"line 3, value 7 (cube size): 25 is outside"}},
        ReadCase{"SizeText",
                 "10 9 12 13 14 15 big 3 0",
                 Settings{},
                 {"\"big\" is not a number; using 2"}},
        ReadCase{"GreyColour",
                 "1 2 7 4 5 6 2 3 0",
                 Make({1, 2, 12, 4, 5, 6}, 2, 3, 0),
                 {"value 3 (colour 3): 7 is not one of the fourteen face colours"}},
        ReadCase{"RepeatedColour",
                 "10 10 12 13 14 15 4 3 0",
                 Make(kDefaultColours, 4, 3, 0),
                 {"not six different colours; using the default colours"}},
        ReadCase{"CountTooLarge",
                 "10 9 12 13 14 15 2 100 0",
                 Settings{},
                 {"value 8 (scramble count): 100 is outside 0..99; using 3"}},
        ReadCase{"TimeTooLarge",
                 "10 9 12 13 14 15 2 3 100",
                 Settings{},
                 {"value 9 (rotation time): 100 is outside -9..99; using 0"}},
        ReadCase{
            "EndsEarly", "1 2 3", Make({1, 2, 3, 13, 14, 15}, 2, 3, 0), {"ends after value 3"}},
        // An empty file leaves the plain default scramble count.
        ReadCase{"Empty", "", Settings{}, {"holds no values"}},
        ReadCase{"BinaryJunk",
                 std::string_view("\x89PNG\0\x1a\xff", 7),
                 Settings{},
                 {"value 1 (colour 1): \"\\x89PNG\\x00\\x1a\\xff\" is not a number",
                  "ends after value 1"}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace twistor::storage
