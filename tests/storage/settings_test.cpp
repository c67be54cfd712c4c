// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Settings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestFiles.h"

namespace twistor::storage {
namespace {

using testing::TempFolder;

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
    EXPECT_EQ(ParseSettings(FormatSettings(read.settings), "again").settings, read.settings);
    EXPECT_TRUE(CheckSettings(read.settings).empty());
}

constexpr std::array<int, 6> kD{10, 9, 12, 13, 14, 15};  // the default colours

// Each field at both ends of its range loads; one step beyond falls back to
// that field's default alone.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, SettingsReading, ::testing::Values(
    ReadCase{"LowEdges", "1 6 8 15 2 3 2 0 -9", {{1, 6, 8, 15, 2, 3}, 2, 0, -9}, {}},
    ReadCase{"HighEdges", "15 8 6 1 2 3 20 99 99", {{15, 8, 6, 1, 2, 3}, 20, 99, 99}, {}},
    ReadCase{"CommasAndExponents", "1,2,3,4,5,6,2E1,3e-0,.05e+1", {{1, 2, 3, 4, 5, 6}, 20, 3, .5},
             {}},
    ReadCase{"ByteOrderMark", "\xEF\xBB\xBF 1  2  3  4  5  6  9  4  5 \r\n",
             {{1, 2, 3, 4, 5, 6}, 9, 4, 5}, {}},
    ReadCase{"TenthValueIgnored", "10 9 12 13 14 15 2 3 0 junk", {}, {}},
    ReadCase{"EleventhValue", "10 9 12 13 14 15 2 3 0 x y", {},
             {"opts.settings: values after the tenth are ignored"}},
    ReadCase{"ColourZero", "0 9 12 13 14 15 2 3 0", {},
             {"opts.settings, line 1, value 1 (colour 1): 0 is not one of the fourteen face "
              "colours (1..15 except 7); using 10"}},
    ReadCase{"ColourGrey", "1 2 7 4 5 6 2 3 0", {{1, 2, 12, 4, 5, 6}, 2, 3, 0},
             {"value 3 (colour 3): 7 is not one of the fourteen face colours"}},
    ReadCase{"ColourSixteen", "1 2 3 4 5 16 2 3 0", {{1, 2, 3, 4, 5, 15}, 2, 3, 0},
             {"value 6 (colour 6): 16 is not one of the fourteen face colours (1..15 except 7); "
              "using 15"}},
    ReadCase{"ColourFraction", "1 2.5 3 4 5 6 2 3 0", {{1, 9, 3, 4, 5, 6}, 2, 3, 0},
             {"value 2 (colour 2): 2.5 is not one of"}},
    ReadCase{"RepeatedColour", "10 10 12 13 14 15 4 3 0", {kD, 4, 3, 0},
             {"opts.settings: the colours 10, 10, 12, 13, 14, 15 are not six different colours; "
              "using the default colours"}},
    ReadCase{"SizeOne", "10 9 12 13 14 15 1 3 0", {},
             {"line 1, value 7 (cube size): 1 is outside 2..20; using 2"}},
    ReadCase{"Size21", "10 9 12 13 14 15 21 3 0", {}, {"(cube size): 21 is outside 2..20"}},
    ReadCase{"SizeFraction", "10 9 12 13 14 15 3.5 3 0", {},
             {"(cube size): 3.5 is not a whole number; using 2"}},
    ReadCase{"SizeOnLineThree", "10 9 12\n13 14 15\r\n25 3 0", {},
             {"line 3, value 7 (cube size): 25 is outside"}},
    ReadCase{"CountNegative", "10 9 12 13 14 15 2 -1 0", {},
             {"value 8 (scramble count): -1 is outside 0..99; using 3"}},
    ReadCase{"Count100", "10 9 12 13 14 15 2 100 0", {}, {"(scramble count): 100 is outside"}},
    ReadCase{"CountFraction", "10 9 12 13 14 15 2 .5 0", {},
             {"(scramble count): 0.5 is not a whole number"}},
    ReadCase{"TimeBelow", "10 9 12 13 14 15 2 3 -9.5", {},
             {"value 9 (rotation time): -9.5 is outside -9..99; using 0"}},
    ReadCase{"TimeAbove", "10 9 12 13 14 15 2 3 99.5", {}, {"(rotation time): 99.5 is outside"}},
    ReadCase{"TimeHuge", "10 9 12 13 14 15 2 3 1e999", {},
             {"(rotation time): \"1e999\" is out of range; using 0"}},
    ReadCase{"TimeInfinite", "10 9 12 13 14 15 2 3 inf", {},
             {"(rotation time): \"inf\" is not a number"}},
    ReadCase{"EightValues", "10 9 12 13 14 15 5 3", {kD, 5, 3, 0},
             {"opts.settings: the file ends after value 8; the settings after it keep their "
              "defaults"}},
    ReadCase{"Empty", "", {}, {"opts.settings: the file holds no values"}},
    ReadCase{"BinaryJunk", std::string_view("\x89PNG\0\x1a\xff", 7), {},
             {"value 1 (colour 1): \"\\x89PNG\\x00\\x1a\\xff\" is not a number",
              "ends after value 1"}}),
    [](const auto& test) { return std::string(test.param.name); });
// clang-format on

// The writer refuses what the reader would not take back, and writes nothing.
TEST(SettingsFile, SavingRefusesWhatWouldNotReadBack) {
    const std::pair<Settings, const char*> cases[] = {
        {{{1, 2, 3, 4, 5, 16}, 2, 3, 0}, "colour 6: 16 is not one of"},
        {{{1, 2, 3, 4, 5, 1}, 2, 3, 0}, "the colours 1, 2, 3, 4, 5, 1 are not six different"},
        {{kD, 1, 3, 0}, "cube size: 1 is outside 2..20"},
        {{kD, 2, -1, 0}, "scramble count: -1 is outside 0..99"},
        {{kD, 2, 3, -9.5}, "rotation time: -9.5 is outside -9..99"},
        {{kD, 2, 3, std::nan("")}, "rotation time: nan is not a number"},
    };
    TempFolder folder;
    for (const auto& [settings, refusal] : cases) {
        const WriteStatus status = SaveSettings(folder / kSettingsFileName, settings);
        EXPECT_NE(status.error.find(refusal), std::string::npos) << status.error;
    }
    EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
}  // namespace twistor::storage
