#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>

#include "TestFiles.h"
#include "storage/Puzzle.h"

namespace twistor::storage {
namespace {

using testing::JoinLines;
using testing::SplitLines;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kFile = "damaged.cube";

Puzzle Solved(int n, std::array<int, 6> colours = {10, 9, 12, 13, 14, 15},
              std::vector<Move> history = {}) {
    Puzzle p{Cube(n), View{}, 0, std::move(history)};
    for (int f = 1; f <= 6; ++f) p.cube.FillFace(f, static_cast<Colour>(colours[f - 1]));
    return p;
}

// A solved 2-cube without a history: line 1 the header, the stickers on the
// even lines 2..48 (face f on 8f - 6 .. 8f) with their empty copies after
// them; 49 lines.
const std::string& Solved2() {
    static const std::string text = FormatPuzzle(Solved(2));
    return text;
}

// A solved 3-cube whose history is two moves, each followed by its undoing,
// with every field of a move at both ends of its range. Entries 4..1 are on
// lines 110..112, 113..115, 116..118 and 119..121:
// (3, 1, 3) (3, 3, 3) (1, 1, 3) (1, 1, 1).
const std::string& History3() {
    static const std::string text = [] {
        Puzzle p = Solved(3, {10, 9, 12, 13, 14, 15},
                          {Move{1, 1, 1}, Move{1, 1, 3}, Move{3, 3, 3}, Move{3, 1, 3}});
        p.MoveAxis = 3;
        return FormatPuzzle(p);
    }();
    return text;
}

// The text with the given lines (1-based) replaced.
std::string Edit(const std::string& text, std::vector<std::pair<int, std::string_view>> edits) {
    std::vector<std::string> lines = SplitLines(text);
    for (const auto& [line, with] : edits) lines.at(line - 1) = std::string(with);
    return JoinLines(lines);
}

std::string Header2(std::string_view header) {
    return Edit(Solved2(), {{1, header}});
}

struct Rule {
    const char* name;
    friend void PrintTo(const Rule& r, std::ostream* os) { *os << r.name; }
    std::function<std::string()> text;
    const char* refusal = nullptr;  // nothing: the file loads
    long long line = 0;             // the line the refusal names; 0: none
};

class PuzzleRule : public ::testing::TestWithParam<Rule> {};

TEST_P(PuzzleRule, BreakingItIsRefusedAndItsEdgeLoads) {
    const Rule& r = GetParam();
    const PuzzleRead read = ParsePuzzle(r.text(), kFile);
    if (r.refusal == nullptr) {
        ASSERT_TRUE(read.puzzle) << read.error;
        EXPECT_EQ(CheckPuzzle(*read.puzzle), std::nullopt);
        const PuzzleRead again = ParsePuzzle(FormatPuzzle(*read.puzzle), kFile);
        ASSERT_TRUE(again.puzzle) << again.error;
        EXPECT_EQ(*again.puzzle, *read.puzzle);
        return;
    }
    EXPECT_FALSE(read.puzzle);
    const std::string start =
        std::string(kFile) + ": " + (r.line > 0 ? "line " + std::to_string(r.line) + ": " : "");
    EXPECT_EQ(read.error.rfind(start, 0), 0u) << read.error;
    if (r.line == 0) {
        EXPECT_EQ(read.error.find(": line "), std::string::npos) << read.error;
    }
    EXPECT_NE(read.error.find(r.refusal), std::string::npos) << read.error;
}

std::string AlternatingMoves(int moves) {
    std::vector<Move> history;
    for (int k = 0; k < moves; ++k) history.push_back(Move{2, 1, k % 2 == 0 ? 1 : 2});
    return FormatPuzzle(Solved(2, {10, 9, 12, 13, 14, 15}, history));
}

std::string OtherSpacing() {
    std::vector<std::string> lines = SplitLines(History3());
    lines[0] = "3,1\t,1    4,,3   ";
    for (std::size_t k = 1; k < lines.size(); ++k) {
        if (!lines[k].empty()) lines[k] = "\t" + lines[k] + ",";
    }
    return JoinLines(lines);
}

std::string Without(std::string text, char c) {
    std::erase(text, c);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, PuzzleRule,
    ::testing::Values(
        // Files that load: every range at its ends, and what editors do to text.
        Rule{"Solved2", [] { return Solved2(); }},
        Rule{"Size20", [] { return FormatPuzzle(Solved(20)); }},
        Rule{"LowestHeader", [] { return Header2(" 2  1  1  0 -1 "); }},
        Rule{"HighestHeader", [] { return Header2(" 2  6  4  0  3 "); }},
        Rule{"AxisLeftEmpty", [] { return Header2(" 2  1  1  0 "); }},
        Rule{"ColoursBesideTheGaps",
             [] {
                 return FormatPuzzle(Solved(2, {1, 6, 8, 15, 2, 3}));
             }},
        Rule{"CopiesAtBothEnds",
             [] {
                 return Edit(Solved2(), {{3, " 0 "}, {5, " 15 "}});
             }},
        Rule{"HistoryAtBothEnds", [] { return History3(); }},
        Rule{"MostMoves", [] { return AlternatingMoves(10000); }},
        Rule{"LfLineEnds", [] { return Without(History3(), '\r'); }},
        Rule{"ByteOrderMark", [] { return "\xEF\xBB\xBF" + History3(); }},
        Rule{"OtherSpacing", OtherSpacing},
        Rule{"BlankLinesAfter", [] { return Solved2() + "\r\n  \r\n"; }},
        Rule{"NoLastLineEnd", [] { return History3().substr(0, History3().size() - 2); }},

        // The whole file.
        Rule{"Empty", [] { return std::string(); }, "the file is empty"},
        Rule{"CrAlone", [] { return Without(Solved2(), '\n'); }, "the lines end in CR alone"},
        Rule{"CrInsideALine",
             [] {
                 return Edit(Solved2(), {{9, " 10 \r 10 "}});
             },
             "a CR without an LF after it", 9},
        Rule{"MoreMovesThanLines", [] { return Header2(" 2  1  1  1  0 "); },
             "the file ends after line 49; a 2-cube with 1 move has 52 lines"},
        Rule{"OneLineShort", [] { return Solved2().substr(0, Solved2().size() - 2); },
             "the file ends after line 48; a 2-cube with 0 moves has 49 lines"},
        Rule{"LineTooMany", [] { return Solved2() + " 1 \r\n"; },
             "text after the end of the puzzle; a 2-cube with 0 moves has 49 lines", 50},
        Rule{"TextAfterBlankLines", [] { return Solved2() + "\r\n\r\n x\r\n"; },
             "text after the end", 52},

        // The header.
        Rule{"SixValues", [] { return Header2(" 2  1  1  0  0  0 "); }, "more than five values", 1},
        Rule{"ThreeValues", [] { return Header2(" 2  1  1 "); }, "the header holds 3 values", 1},
        Rule{"SizeOne", [] { return Header2(" 1  1  1  0  0 "); },
             "the cube size 1 is outside 2..20", 1},
        Rule{"Size21", [] { return Header2(" 21  1  1  0  0 "); },
             "the cube size 21 is outside 2..20", 1},
        Rule{"SizeNotANumber", [] { return Header2(" 2x  1  1  0  0 "); },
             "the cube size \"2x\" is not a whole number", 1},
        Rule{"SizeHuge", [] { return Header2(" 99999999999999999999  1  1  0  0 "); },
             "the cube size \"99999999999999999999\" is out of range", 1},
        Rule{"FaceZero", [] { return Header2(" 2  0  1  0  0 "); },
             "the view (face 0, turn 1) is not one of the 24 views", 1},
        Rule{"FaceSeven", [] { return Header2(" 2  7  1  0  0 "); }, "(face 7, turn 1)", 1},
        Rule{"TurnZero", [] { return Header2(" 2  1  0  0  0 "); }, "(face 1, turn 0)", 1},
        Rule{"TurnFive", [] { return Header2(" 2  1  5  0  0 "); }, "(face 1, turn 5)", 1},
        Rule{"MoveCountNegative", [] { return Header2(" 2  1  1 -1  0 "); },
             "the move count -1 is outside 0..10000", 1},
        Rule{"MoveCount10001", [] { return Header2(" 2  1  1  10001  0 "); },
             "the move count 10001 is outside", 1},
        Rule{"AxisMinusTwo", [] { return Header2(" 2  1  1  0 -2 "); },
             "the move axis -2 is outside -1..3", 1},
        Rule{"AxisFour", [] { return Header2(" 2  1  1  0  4 "); }, "the move axis 4 is outside",
             1},

        // Stickers and their copies.
        Rule{"StickerMissing",
             [] {
                 return Edit(Solved2(), {{2, ""}});
             },
             "the sticker colour is missing", 2},
        Rule{"StickerTwoValues",
             [] {
                 return Edit(Solved2(), {{4, " 10  11 "}});
             },
             "more than one value (\"11\" follows \"10\")", 4},
        Rule{"StickerNotANumber",
             [] {
                 return Edit(Solved2(), {{6, " 1a "}});
             },
             "the sticker colour \"1a\" is not a whole number", 6},
        Rule{"StickerWithNul",
             [] {
                 return Edit(Solved2(), {{20, std::string_view(" 1\0 ", 4)}});
             },
             "\"1\\x00\"", 20},
        Rule{"StickerZero",
             [] {
                 return Edit(Solved2(), {{2, " 0 "}});
             },
             "the sticker colour 0 is not one of the fourteen face colours", 2},
        Rule{"StickerGrey",
             [] {
                 return Edit(Solved2(), {{8, " 7 "}});
             },
             "the sticker colour 7", 8},
        Rule{"StickerSixteen",
             [] {
                 return Edit(Solved2(), {{48, " 16 "}});
             },
             "the sticker colour 16", 48},
        Rule{"ColourOnFiveSquares",
             [] {
                 return Edit(Solved2(), {{2, " 9 "}});
             },
             "colour 9 is on more than 4 squares; on a 2-cube each colour is on 4", 16},
        Rule{"SeventhColour",
             [] {
                 return Edit(Solved2(), {{4, " 1 "}});
             },
             "colour 1 is a seventh colour; a cube shows six, and these stickers show 7 (1, 9, "
             "10, 12, 13, 14, 15)",
             4},
        Rule{"CopyNegative",
             [] {
                 return Edit(Solved2(), {{3, " -1 "}});
             },
             "the sticker copy -1 is outside 0..15", 3},
        Rule{"CopySixteen",
             [] {
                 return Edit(Solved2(), {{49, " 16 "}});
             },
             "the sticker copy 16 is outside 0..15", 49},
        Rule{"CopyTwoValues",
             [] {
                 return Edit(Solved2(), {{7, " 1  2 "}});
             },
             "more than one value", 7},
        Rule{"CopyNotANumber",
             [] {
                 return Edit(Solved2(), {{7, " x "}});
             },
             "the sticker copy \"x\" is not a whole number", 7},
        Rule{"UnsolvedWithoutHistory",
             [] {
                 return Edit(Solved2(), {{2, " 9 "}, {10, " 10 "}});
             },
             "the cube is not solved, and it has no move history that solves it"},

        // The history.
        Rule{"MoveAxisMissing",
             [] {
                 return Edit(History3(), {{110, ""}});
             },
             "the move's axis is missing", 110},
        Rule{"MoveFirstNotANumber",
             [] {
                 return Edit(History3(), {{111, " b "}});
             },
             "the move's first value \"b\" is not a whole number", 111},
        Rule{"MoveSecondHuge",
             [] {
                 return Edit(History3(), {{112, " 99999999999999999999 "}});
             },
             "the move's second value \"99999999999999999999\" is out of range", 112},
        Rule{"MoveTwoValues",
             [] {
                 return Edit(History3(), {{113, " 3  3 "}});
             },
             "more than one value", 113},
        Rule{"MoveAxisZero",
             [] {
                 return Edit(History3(), {{119, " 0 "}});
             },
             "history entry 1 (0, 1, 1) is not a move of a 3-cube", 119},
        Rule{"MoveAxisFour",
             [] {
                 return Edit(History3(), {{110, " 4 "}});
             },
             "history entry 4 (4, 1, 3)", 110},
        Rule{"MoveSliceZero",
             [] {
                 return Edit(History3(), {{120, " 0 "}});
             },
             "history entry 1 (1, 0, 1)", 119},
        Rule{"MoveSliceFour",
             [] {
                 return Edit(History3(), {{117, " 4 "}});
             },
             "history entry 2 (1, 4, 3)", 116},
        Rule{"MoveEdgeInside",
             [] {
                 return Edit(History3(), {{121, " 2 "}});
             },
             "history entry 1 (1, 1, 2)", 119},
        Rule{"AxisThreeSliceFour",
             [] {
                 return Edit(History3(), {{112, " 4 "}});
             },
             "history entry 4 (3, 1, 4)", 110},
        Rule{"AxisThreeEdgeInside",
             [] {
                 return Edit(History3(), {{111, " 2 "}});
             },
             "history entry 4 (3, 2, 3)", 110},
        Rule{"HistoryDoesNotSolve",
             [] {
                 return Edit(History3(), {{120, " 2 "}});
             },
             "the stickers do not match the move history: played back, its 4 moves do not give "
             "a solved cube"}),
    [](const auto& test) { return std::string(test.param.name); });

// The writer refuses what the reader would refuse, and writes nothing then.
TEST(PuzzleRule, SavingRefusesWhatWouldNotLoad) {
    const std::pair<const char*, std::function<void(Puzzle&)>> breaks[] = {
        {"(face 0, turn 1)", [](Puzzle& p) { p.view.FrontFace = 0; }},
        {"(face 1, turn 5)", [](Puzzle& p) { p.view.FrontTurn = 5; }},
        {"the move axis 4", [](Puzzle& p) { p.MoveAxis = 4; }},
        {"the move count 10001",
         [](Puzzle& p) {
             p.history.resize(10001, Move{1, 1, 1});
         }},
        {"the sticker colour 7", [](Puzzle& p) { p.cube.SetSticker(1, 1, 1, 7); }},
        {"colour 9 is on more than 4", [](Puzzle& p) { p.cube.SetSticker(1, 1, 1, 9); }},
        {"colour 1 is a seventh", [](Puzzle& p) { p.cube.SetSticker(1, 1, 1, 1); }},
        {"the sticker copy 16", [](Puzzle& p) { p.cube.SetStickerCopy(2, 2, 6, 16); }},
        {"history entry 1 (1, 1, 3)",
         [](Puzzle& p) {
             p.history = {Move{1, 1, 3}};
         }},
        {"played back, its 1 move does not",
         [](Puzzle& p) {
             p.history = {Move{1, 1, 2}};
         }},
    };
    TempFolder folder;
    for (const auto& [refusal, change] : breaks) {
        Puzzle p = Solved(2);
        p.cube.SetStickerCopy(2, 2, 6, 0);
        ASSERT_EQ(CheckPuzzle(p), std::nullopt);
        change(p);
        const WriteStatus status = SavePuzzle(folder / "lake.cube", p);
        EXPECT_NE(status.error.find(refusal), std::string::npos) << status.error;
        EXPECT_TRUE(folder.Entries().empty()) << refusal;
    }
}

TEST(PuzzleRule, FilesThatCannotBeLoaded) {
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
