#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
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

TEST(PuzzleRefusal, TheRealFileIsSound) {
    ASSERT_EQ(SplitLines(RealText()).size(), 55u);
    const PuzzleRead read = ParsePuzzle(RealText(), kFile);
    ASSERT_TRUE(read.puzzle) << read.error;
    EXPECT_EQ(*read.puzzle, RealPuzzle());
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
        LineDamage{"SizeNegative", 1, "-2  1  1  2  0 ", "the cube size -2 is outside"},
        LineDamage{"SizeHuge", 1, " 99999999999999999999999  1  1  2  0 ",
                   "the cube size \"99999999999999999999999\" is out of range"},
        LineDamage{"SizeWithFraction", 1, " 2.0  1  1  2  0 ", "\"2.0\" is not a whole number"},
        LineDamage{"FaceSeven", 1, " 2  7  1  2  0 ", "(face 7, turn 1) is not one of the 24"},
        LineDamage{"MoveCountNegative", 1, " 2  1  1 -1  0 ", "the move count -1 is outside"},
        LineDamage{"MoveCountAboveCapacity", 1, " 2  1  1  10001  0 ",
                   "the move count 10001 is outside 0..10000"},
        LineDamage{"MoveAxisFour", 1, " 2  1  1  2  4 ", "the move axis 4 is outside -1..3"},
        LineDamage{"HeaderTooShort", 1, " 2  1  1 ", "the header holds 3 values"},
        LineDamage{"HeaderTooLong", 1, " 2  1  1  2  0  0 ", "more than five values"},
        LineDamage{"CountSaysFewerMoves", 1, " 2  1  1  1  0 ", "a 2-cube with 1 move has 52", 53},
        LineDamage{"CountSaysMoreMoves", 1, " 2  1  1  3  0 ",
                   "the file ends after line 55; a 2-cube with 3 moves has 58 lines", 0},
        LineDamage{"StickerGrey", 2, " 7 ", "the sticker colour 7 is not one of the fourteen"},
        LineDamage{"StickerNegative", 6, "-10 ", "the sticker colour -10"},
        LineDamage{"StickerHuge", 10, " 1000000000000 ", "the sticker colour 1000000000000"},
        LineDamage{"StickerMissing", 12, "", "the sticker colour is missing"},
        LineDamage{"StickerTwice", 14, " 10  10 ", "more than one value (\"10\" follows"},
        LineDamage{"StickerJunk", 16, " 1a ", "\"1a\" is not a whole number"},
        LineDamage{"StickerWithNul", 20, std::string_view(" 1\0 ", 4), "\"1\\x00\""},
        LineDamage{"StickerWithFraction", 22, " 9.5 ", "\"9.5\" is not a whole number"},
        LineDamage{"CopyAbove15", 3, " 16 ", "the sticker copy 16 is outside 0..15"},
        LineDamage{"CopyNegative", 5, "-1 ", "the sticker copy -1 is outside 0..15"},
        LineDamage{"HistoryAxisFour", 50, " 4 ", "history entry 2 (4, "},
        LineDamage{"HistoryFirstZero", 51, " 0 ", "is not a move of a 2-cube", 50},
        LineDamage{"HistorySecondBeyondSize", 55, " 3 ", "is not a move of a 2-cube", 53},
        LineDamage{"HistoryHuge", 54, " 99999999999999999999 ", "is out of range"},
        LineDamage{"HistoryMissing", 55, "", "the move's second value is missing"},
        LineDamage{"HistoryBinary", 52, "\x01\x02\xfe", "\"\\x01\\x02\\xfe\" is not a whole"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PuzzleRefusal, TruncatedAtEveryLine) {
    const std::vector<std::string> lines = SplitLines(RealText());
    for (std::size_t kept = 0; kept < lines.size(); ++kept) {
        const std::vector<std::string> head(lines.begin(), lines.begin() + kept);
        ExpectRefused(JoinLines(head), kept == 0 ? "the file is empty" : "the file ends after");
    }
}

TEST(PuzzleRefusal, TruncatedAtEveryByteUnlessOnlyTheLastLineEndIsLost) {
    const std::string& text = RealText();
    const std::size_t lastDigit = text.find_last_of("0123456789");
    for (std::size_t size = 0; size < text.size(); ++size) {
        const PuzzleRead read = ParsePuzzle(std::string_view(text).substr(0, size), kFile);
        if (size > lastDigit) {
            ASSERT_TRUE(read.puzzle) << size << ": " << read.error;
            EXPECT_EQ(*read.puzzle, RealPuzzle());
        } else {
            EXPECT_FALSE(read.puzzle) << "accepted the first " << size << " bytes";
            EXPECT_FALSE(read.error.empty());
        }
    }
}

TEST(PuzzleRefusal, TextAfterTheLastLine) {
    ExpectRefused(RealText() + " 1 \r\n", "text after the end of the puzzle", 56);
    ExpectRefused(RealText() + "\r\n \r\n,\r\n", "text after the end of the puzzle", 58);
    ExpectRefused(RealText() + std::string(1, '\0'), "text after the end of the puzzle", 56);
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

class UnsaveablePuzzle
    : public ::testing::TestWithParam<std::pair<const char*, std::function<void(Puzzle&)>>> {};

TEST_P(UnsaveablePuzzle, IsRefusedAndTheOldFileStays) {
    Puzzle p = ScrambledPuzzle(3, 5, 1);
    GetParam().second(p);
    TempFolder folder;
    WriteBytes(folder / "old.cube", "old");
    const WriteStatus status = SavePuzzle(folder / "old.cube", p);
    EXPECT_NE(status.error.find(GetParam().first), std::string::npos) << status.error;
    EXPECT_NE(status.error.find("old.cube"), std::string::npos) << status.error;
    EXPECT_EQ(ReadBytes(folder / "old.cube"), "old");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"old.cube"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UnsaveablePuzzle,
    ::testing::Values(
        std::pair{"not one of the 24 views",
                  [](Puzzle& p) {
                      p.view = View{7, 1};
                  }},
        std::pair{"the move axis 5", [](Puzzle& p) { p.MoveAxis = 5; }},
        std::pair{"the move count 10001",
                  [](Puzzle& p) {
                      p.history.resize(10001, Move{1, 1, 1});
                  }},
        std::pair{"history entry 2 (1, 4, 1)",
                  [](Puzzle& p) {
                      p.history[1] = Move{1, 4, 1};
                  }},
        std::pair{"the sticker colour 7", [](Puzzle& p) { p.cube.SetSticker(2, 2, 2, 7); }},
        std::pair{"the sticker copy 16", [](Puzzle& p) { p.cube.SetStickerCopy(1, 3, 5, 16); }},
        std::pair{"the stickers show 5 colours", [](Puzzle& p) {
                      for (int f = 1; f <= 6; ++f)
                          p.cube.FillFace(f, static_cast<Colour>(f % 5 + 1));
                  }}));

}  // namespace
}  // namespace twistor::storage
