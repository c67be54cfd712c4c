#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

// A solved 2-cube: face f's four stickers on lines 8f - 6, 8f - 4, 8f - 2
// and 8f, its colour kFaceColours[f - 1].
const std::string& SolvedText() {
    static const std::string text = [] {
        Puzzle p{Cube(2), View{}, 0, {}};
        for (int f = 1; f <= 6; ++f) p.cube.FillFace(f, static_cast<Colour>(9 + f));
        return FormatPuzzle(p);
    }();
    return text;
}

TEST(PuzzleRefusal, ColoursMustBeSixEachOnEverySquareOfAFaceAndTheLineIsNamed) {
    std::vector<std::string> lines = SplitLines(SolvedText());
    lines[1] = " 11 ";  // face 1's first square in face 2's colour: its fifth square
    ExpectRefused(JoinLines(lines), "colour 11 is on more than 4 squares; on a 2-cube", 16);
    lines[1] = " 1 ";
    ExpectRefused(JoinLines(lines), "colour 1 is a seventh colour", 2);
    for (std::size_t k = 1; k < 49; k += 2) lines[k] = " 3 ";
    ExpectRefused(JoinLines(lines), "colour 3 is on more than 4 squares", 10);
}

// Stickers that no play of the history can solve: the computer would stop
// on an unsolved cube with no moves left.
TEST(PuzzleRefusal, StickersThatTheHistoryDoesNotSolve) {
    const auto swapped = [](const std::string& text, int a, int b) {
        std::vector<std::string> lines = SplitLines(text);
        std::swap(lines[a - 1], lines[b - 1]);
        return JoinLines(lines);
    };
    ExpectRefused(swapped(SolvedText(), 2, 10),
                  "the cube is not solved, and it has no move history");
    const std::vector<std::string> real = SplitLines(RealText());
    int other = 4;  // the first sticker line with another colour than line 2
    while (real[other - 1] == real[1]) other += 2;
    ExpectRefused(swapped(RealText(), 2, other),
                  "played back, its 2 moves do not give a solved cube");
    std::vector<std::string> lines = SplitLines(RealText());
    lines[49] = lines[49] == " 1 " ? " 2 " : " 1 ";  // the newest move, another axis
    ExpectRefused(JoinLines(lines), "the stickers do not match the move history");
    EXPECT_TRUE(ParsePuzzle(SolvedText(), kFile).puzzle);
    EXPECT_TRUE(ParsePuzzle(RealText(), kFile).puzzle);
}

TEST(PuzzleRefusal, LinesThatEndInCrAloneAreNamedAsSuch) {
    std::string crOnly = RealText();
    std::erase(crOnly, '\n');
    ExpectRefused(crOnly, "the lines end in CR alone");
    std::vector<std::string> lines = SplitLines(RealText());
    lines[8] += "\r" + lines[9];  // line 9 runs into line 10
    lines.erase(lines.begin() + 9);
    ExpectRefused(JoinLines(lines), "a CR without an LF after it", 9);
}

TEST(PuzzleRefusal, FilesThatCannotBeLoaded) {
    TempFolder folder;
    WriteBytes(folder / "empty.cube", "");
    std::filesystem::create_directory(folder / "folder.cube");
    ASSERT_EQ(::mkfifo((folder / "pipe.cube").c_str(), 0644), 0);
    const int fd = ::open((folder / "huge.cube").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 100'000'000), 0);  // sparse: fast to make, refused by size
    ::close(fd);

    const std::pair<const char*, const char*> cases[] = {{"missing.cube", "no such file"},
                                                         {"empty.cube", "the file is empty"},
                                                         {"folder.cube", "not a regular file"},
                                                         {"pipe.cube", "not a regular file"},
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
