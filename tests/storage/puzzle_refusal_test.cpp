#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>

#include "TestFiles.h"
#include "storage/Puzzle.h"

namespace twistor::storage {
namespace {

using testing::JoinLines;
using testing::ReadBytes;
using testing::ScrambledPuzzle;
using testing::SplitLines;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kFile = "damaged.cube";

// A 2-cube with two moves: line 1 the header, stickers on the even lines
// 2..48 with their copies after them, the history on lines 50..55.
const Puzzle& RealPuzzle() {
    static const Puzzle p = ScrambledPuzzle(2, 2, 3);
    return p;
}
const std::string& RealText() {
    static const std::string text = FormatPuzzle(RealPuzzle());
    return text;
}

void ExpectRefused(std::string_view text, std::string_view fragment, long long line = 0) {
    const PuzzleRead read = ParsePuzzle(text, kFile);
    EXPECT_FALSE(read.puzzle) << "accepted: " << ::testing::PrintToString(std::string(text));
    EXPECT_EQ(read.error.rfind(kFile, 0), 0u) << read.error;
    EXPECT_NE(read.error.find(fragment), std::string::npos) << read.error;
    if (line > 0) {
        EXPECT_NE(read.error.find("line " + std::to_string(line) + ":"), std::string::npos)
            << read.error;
    }
}

struct LineDamage {
    const char* name;
    friend void PrintTo(const LineDamage& c, std::ostream* os) { *os << c.name; }
    int line;
    std::string_view text;
    const char* fragment;
    long long reportedAt = -1;  // the line the message names; -1: the damaged one, 0: none
};

class DamagedLine : public ::testing::TestWithParam<LineDamage> {};

TEST_P(DamagedLine, IsRefusedNamingTheLineAndValue) {
    const LineDamage& d = GetParam();
    std::vector<std::string> lines = SplitLines(RealText());
    lines[d.line - 1] = std::string(d.text);
    ExpectRefused(JoinLines(lines), d.fragment, d.reportedAt < 0 ? d.line : d.reportedAt);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DamagedLine,
    ::testing::Values(
        LineDamage{"SizeTooLarge", 1, " 21  1  1  2  0 ", "the cube size 21 is outside 2..20"},
        LineDamage{"SizeHuge", 1, " 99999999999999999999999  1  1  2  0 ",
                   "the cube size \"99999999999999999999999\" is out of range"},
        LineDamage{"FaceSeven", 1, " 2  7  1  2  0 ", "(face 7, turn 1) is not one of the 24"},
        LineDamage{"MoveCountAboveCapacity", 1, " 2  1  1  10001  0 ",
                   "the move count 10001 is outside 0..10000"},
        LineDamage{"MoveAxisFour", 1, " 2  1  1  2  4 ", "the move axis 4 is outside -1..3"},
        LineDamage{"HeaderTooShort", 1, " 2  1  1 ", "the header holds 3 values"},
        LineDamage{"CountSaysMoreMoves", 1, " 2  1  1  3  0 ",
                   "the file ends after line 55; a 2-cube with 3 moves has 58 lines", 0},
        LineDamage{"StickerGrey", 2, " 7 ", "the sticker colour 7 is not one of the fourteen"},
        LineDamage{"StickerHuge", 10, " 1000000000000 ", "the sticker colour 1000000000000"},
        LineDamage{"StickerJunk", 16, " 1a ", "\"1a\" is not a whole number"},
        LineDamage{"StickerWithNul", 20, std::string_view(" 1\0 ", 4), "\"1\\x00\""},
        LineDamage{"CopyAbove15", 3, " 16 ", "the sticker copy 16 is outside 0..15"},
        LineDamage{"HistoryAxisFour", 50, " 4 ", "history entry 2 (4, "},
        LineDamage{"HistorySecondBeyondSize", 55, " 3 ", "is not a move of a 2-cube", 53},
        LineDamage{"HistoryHuge", 54, " 99999999999999999999 ", "is out of range"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PuzzleRefusal, TruncatedAtEveryLineOrWithALineTooMany) {
    ExpectRefused(RealText() + " 1 \r\n", "text after the end of the puzzle", 56);
    const std::vector<std::string> lines = SplitLines(RealText());
    for (std::size_t kept = 0; kept < lines.size(); ++kept) {
        const std::vector<std::string> head(lines.begin(), lines.begin() + kept);
        ExpectRefused(JoinLines(head), kept == 0 ? "the file is empty" : "the file ends after");
    }
}

TEST(PuzzleRefusal, ColoursMustBeSixEachOnEverySquareOfAFace) {
    std::vector<std::string> lines = SplitLines(RealText());
    const std::string first = lines[1];
    const std::string other = first == " 10 " ? " 9 " : " 10 ";
    lines[1] = other;
    ExpectRefused(JoinLines(lines), "is on 5 squares; on a 2-cube each colour is on 4");
    lines[1] = " 1 ";
    ExpectRefused(JoinLines(lines), "the stickers show 7 colours");
    for (std::size_t k = 1; k < 49; k += 2) lines[k] = " 3 ";
    ExpectRefused(JoinLines(lines), "the stickers show 1 colour (3)");
}

TEST(PuzzleRefusal, BinaryJunkIsRefusedAndNeverCrashes) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(1, 3000);
    for (int sample = 0; sample < 300; ++sample) {
        std::string junk(static_cast<std::size_t>(length(rng)), '\0');
        for (char& c : junk) c = static_cast<char>(byte(rng));
        // Half the samples start as a real header so the junk reaches the body.
        if (sample % 2 == 1) junk = " 2  1  1  0  0 \r\n" + junk;
        const PuzzleRead read = ParsePuzzle(junk, kFile);
        EXPECT_FALSE(read.puzzle);
        EXPECT_EQ(read.error.rfind(kFile, 0), 0u);
    }
}

TEST(PuzzleRefusal, FilesThatCannotBeLoaded) {
    TempFolder folder;
    WriteBytes(folder / "empty.cube", "");
    std::filesystem::create_directory(folder / "folder.cube");
    const int fd = ::open((folder / "huge.cube").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 100'000'000), 0);  // sparse: fast to make, refused by size
    ::close(fd);

    const std::pair<const char*, const char*> cases[] = {{"missing.cube", "no such file"},
                                                         {"empty.cube", "the file is empty"},
                                                         {"folder.cube", "not a regular file"},
                                                         {"huge.cube", "too large"}};
    for (const auto& [name, fragment] : cases) {
        const PuzzleRead read = LoadPuzzle(folder / name);
        EXPECT_FALSE(read.puzzle) << name;
        EXPECT_NE(read.error.find(name), std::string::npos) << read.error;
        EXPECT_NE(read.error.find(fragment), std::string::npos) << read.error;
    }
}

}  // namespace
}  // namespace twistor::storage
