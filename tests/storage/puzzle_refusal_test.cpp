// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "TestFiles.h"
#include "cube/History.h"
#include "storage/Puzzle.h"

namespace twistor::storage {
namespace {

using testing::JoinLines;
using testing::SplitLines;
using testing::TempFolder;

constexpr std::string_view kFile = "damaged.cube";

Puzzle Solved(int n, std::array<int, 6> colours = {10, 9, 12, 13, 14, 15},
              std::vector<Move> history = {}) {
    Puzzle p{Cube(n), View{}, 0, std::move(history)};
    for (int f = 1; f <= 6; ++f) p.cube.FillFace(f, static_cast<Colour>(colours[f - 1]));
    return p;
}

// The files the rules start from:
// S2: a solved 2-cube without a history: line 1 the header, the stickers on
//     the even lines 2..48 (face f on 8f - 6 .. 8f, colours 10 9 12 13 14 15)
//     with their empty copies after them; 49 lines.
// H3: a solved 3-cube whose history is two moves, each followed by its
//     undoing, with every field of a move at both ends of its range. Entries
//     4..1 are on lines 110..112, 113..115, 116..118 and 119..121:
//     (3, 1, 3) (3, 3, 3) (1, 1, 3) (1, 1, 1).
// MostMoves (a 2-cube with 10000 moves), Gaps (colours next to the ends of
// their range and to the gap at 7): each the largest or smallest of its kind
// that loads.
enum Base { S2, H3, MostMoves, Gaps };

const std::string& BaseText(Base base) {
    static const std::array<std::string, 4> texts = [] {
        Puzzle h3 =
            Solved(3, {10, 9, 12, 13, 14, 15}, {{1, 1, 1}, {1, 1, 3}, {3, 3, 3}, {3, 1, 3}});
        h3.MoveAxis = 3;
        std::vector<Move> most;
        for (int k = 0; k < 10000; ++k) most.push_back(Move{2, 1, k % 2 + 1});
        return std::array<std::string, 4>{FormatPuzzle(Solved(2)), FormatPuzzle(h3),
                                          FormatPuzzle(Solved(2, {10, 9, 12, 13, 14, 15}, most)),
                                          FormatPuzzle(Solved(2, {1, 6, 8, 15, 2, 3}))};
    }();
    return texts[base];
}

std::string WithoutLastLineEnd(std::string text) {
    text.resize(text.size() - 2);
    return text;
}

struct Rule {
    const char* name;
    friend void PrintTo(const Rule& r, std::ostream* os) { *os << r.name; }
    Base base;
    std::vector<std::pair<int, const char*>> edits;  // lines (1-based) replaced or added
    long long line = 0;                              // the line the refusal names; 0: none
    const char* refusal = nullptr;                   // nothing: the file loads
    std::string (*form)(std::string) = nullptr;

    std::string Text() const {
        std::vector<std::string> lines = SplitLines(BaseText(base));
        for (const auto& [at, with] : edits) {
            if (at > static_cast<int>(lines.size())) lines.resize(at);
            lines[at - 1] = with;
        }
        return form ? form(JoinLines(lines)) : JoinLines(lines);
    }
};

class PuzzleRule : public ::testing::TestWithParam<Rule> {};

TEST_P(PuzzleRule, BreakingItIsRefusedAndItsEdgeLoads) {
    const Rule& r = GetParam();
    const PuzzleRead read = ParsePuzzle(r.Text(), kFile);
    if (r.refusal == nullptr) {
        ASSERT_TRUE(read.puzzle) << read.error;
        EXPECT_EQ(CheckPuzzle(*read.puzzle), std::nullopt);  // and it saves again
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

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, PuzzleRule, ::testing::Values(
    // Files that load: every range at its ends, and what editors do to text.
    Rule{"LowestHeader", S2, {{1, "2 1 1 0 -1"}}},
    Rule{"HighestHeader", S2, {{1, "2 6 4 0 3"}}},
    Rule{"AxisLeftEmpty", S2, {{1, "2 1 1 0"}}},
    Rule{"ColoursBesideTheGaps", Gaps, {}},
    Rule{"CopiesAtBothEnds", S2, {{3, "0"}, {5, "15"}}},
    Rule{"HistoryAtBothEnds", H3, {}},
    Rule{"MostMoves", MostMoves, {}},
    Rule{"LfLineEnds", H3, {}, 0, nullptr,
         [](std::string text) { std::erase(text, '\r'); return text; }},
    Rule{"ByteOrderMark", H3, {}, 0, nullptr,
         [](std::string text) { return "\xEF\xBB\xBF" + text; }},
    Rule{"OtherSpacing", H3,
         {{1, "3,1\t,1    4,,3   "}, {2, "\t0000000000000000000010,"}, {3, " ,\t"}, {121, "1,,"}}},
    Rule{"BlankLinesAfter", S2, {{50, ""}, {51, "  "}}},
    Rule{"NoLastLineEnd", H3, {}, 0, nullptr, WithoutLastLineEnd},
    Rule{"LastLineEndsInCr", H3, {}, 0, nullptr, [](std::string text) { text.pop_back(); return text; }},
    Rule{"Empty", S2, {}, 0, "the file is empty", [](std::string) { return std::string(); }},
    Rule{"CrAlone", S2, {}, 0, "the lines end in CR alone",
         [](std::string text) { std::erase(text, '\n'); return text; }},
    Rule{"CrInsideALine", S2, {{9, "10 \r 10"}}, 9, "a CR without an LF after it"},
    Rule{"MoreMovesThanLines", S2, {{1, "2 1 1 1 0"}}, 0,
         "the file ends after line 49; a 2-cube with 1 move has 52 lines"},
    Rule{"OneLineShort", S2, {}, 0,
         "the file ends after line 48; a 2-cube with 0 moves has 49 lines", WithoutLastLineEnd},
    Rule{"LineTooMany", S2, {{50, "1"}}, 50,
         "text after the end of the puzzle; a 2-cube with 0 moves has 49 lines"},
    Rule{"TextAfterBlankLines", S2, {{50, ""}, {51, ""}, {52, "x"}}, 52, "text after the end"},

    // The header.
    Rule{"SixValues", S2, {{1, "2 1 1 0 0 0"}}, 1, "the header holds more than five values"},
    Rule{"ThreeValues", S2, {{1, "2 1 1"}}, 1, "the header holds 3 values"},
    Rule{"SizeOne", S2, {{1, "1 1 1 0 0"}}, 1, "the cube size 1 is outside 2..20"},
    Rule{"Size21", S2, {{1, "21 1 1 0 0"}}, 1, "the cube size 21 is outside 2..20"},
    Rule{"SizeNotANumber", S2, {{1, "2x 1 1 0 0"}}, 1,
         "the cube size \"2x\" is not a whole number"},
    Rule{"SizeAboveTheStickers", S2, {{1, "3 1 1 0 0"}}, 1, "the cube size 3 does not fit the "
         "rest of the file: a 3-cube with 0 moves has 109 lines, and the file holds those of a "
         "2-cube"},
    Rule{"SizeBelowTheStickers", H3, {{1, "2 1 1 4 3"}}, 1, "the cube size 2 does not fit"},
    Rule{"FaceZero", S2, {{1, "2 0 1 0 0"}}, 1,
         "the view (face 0, turn 1) is not one of the 24 views (face 1..6, turn 1..4)"},
    Rule{"FaceSeven", S2, {{1, "2 7 1 0 0"}}, 1, "(face 7, turn 1) is not one"},
    Rule{"TurnZero", S2, {{1, "2 1 0 0 0"}}, 1, "(face 1, turn 0) is not one"},
    Rule{"TurnFive", S2, {{1, "2 1 5 0 0"}}, 1, "(face 1, turn 5) is not one"},
    Rule{"MoveCountNegative", S2, {{1, "2 1 1 -1 0"}}, 1, "the move count -1 is outside 0..10000"},
    Rule{"MoveCount10001", S2, {{1, "2 1 1 10001 0"}}, 1, "the move count 10001 is outside"},
    Rule{"AxisMinusTwo", S2, {{1, "2 1 1 0 -2"}}, 1, "the move axis -2 is outside -1..3"},
    Rule{"AxisFour", S2, {{1, "2 1 1 0 4"}}, 1, "the move axis 4 is outside -1..3"},

    // Stickers and their copies.
    Rule{"StickerMissing", S2, {{2, ""}}, 2, "the sticker colour is missing"},
    Rule{"StickerTwoValues", S2, {{4, "10 11"}}, 4, "more than one value (\"11\" follows \"10\")"},
    Rule{"StickerNotANumber", S2, {{6, "1aaaaaaaaaaaaaaaaaaaaaaaz"}}, 6,
         "the sticker colour \"1aaaaaaaaaaaaaaaaaaaaaaa...\" is not a whole number"},
    Rule{"StickerZero", S2, {{2, "0"}}, 2,
         "the sticker colour 0 is not one of the fourteen face colours (1..15 except 7)"},
    Rule{"StickerGrey", S2, {{8, "7"}}, 8, "the sticker colour 7 is not one"},
    Rule{"StickerSixteen", S2, {{48, "16"}}, 48, "the sticker colour 16 is not one"},
    Rule{"ColourOnFiveSquares", S2, {{2, "9"}}, 0,
         "the stickers do not add up: colour 9 is on 5 squares; on a 2-cube each colour is on 4"},
    Rule{"TwoColoursOnSixSquares", S2, {{2, "9"}, {4, "9"}, {26, "15"}, {28, "15"}}, 0,
         "colour 9 is on 6 squares, colour 15 on 6 squares; on a 2-cube"},
    Rule{"SeventhColour", S2, {{4, "1"}}, 4,
         "colour 1 is a seventh colour; a cube shows six, and these stickers show 7 "
         "(1, 9, 10, 12, 13, 14, 15)"},
    Rule{"CopyNegative", S2, {{3, "-1"}}, 3, "the sticker copy -1 is outside 0..15"},
    Rule{"CopySixteen", S2, {{49, "16"}}, 49, "the sticker copy 16 is outside 0..15"},
    Rule{"UnsolvedWithoutHistory", S2, {{2, "9"}, {10, "10"}}, 0,
         "the cube is not solved, and it has no move history that solves it"},

    // The history.
    Rule{"MoveAxisMissing", H3, {{110, ""}}, 110, "the move's axis is missing"},
    Rule{"MoveFirstMissing", H3, {{111, ""}}, 111, "the move's first value is missing"},
    Rule{"MoveSecondMissing", H3, {{115, " "}}, 115, "the move's second value is missing"},
    Rule{"MoveSecondHuge", H3, {{112, "999999999999999999999999"}}, 112,
         "the move's second value \"999999999999999999999999\" is out of range"},
    Rule{"MoveAxisZero", H3, {{119, "0"}}, 119,
         "history entry 1 (0, 1, 1) is not a move of a 3-cube"},
    Rule{"MoveAxisHuge", H3, {{110, "100000000000000004"}}, 110,
         "history entry 4 (100000000000000004, 1, 3) is not a move"},
    Rule{"MoveSliceZero", H3, {{120, "0"}}, 119, "history entry 1 (1, 0, 1) is not a move"},
    Rule{"MoveSliceFour", H3, {{117, "4"}}, 116, "history entry 2 (1, 4, 3) is not a move"},
    Rule{"MoveEdgeInside", H3, {{121, "2"}}, 119, "history entry 1 (1, 1, 2) is not a move"},
    Rule{"AxisThreeSliceFour", H3, {{112, "4"}}, 110, "history entry 4 (3, 1, 4) is not a move"},
    Rule{"AxisThreeEdgeInside", H3, {{111, "2"}}, 110, "history entry 4 (3, 2, 3) is not a move"},
    Rule{"HistoryDoesNotSolve", H3, {{120, "2"}}, 0,
         "the stickers do not match the move history: played back, its 4 moves do not give a "
         "solved cube"}),
    [](const auto& test) { return std::string(test.param.name); });
// clang-format on

// The writer refuses what the reader would refuse, and writes nothing then.
TEST(PuzzleRule, SavingRefusesWhatWouldNotLoad) {
    // clang-format off
    const std::pair<const char*, void (*)(Puzzle&)> breaks[] = {
        {"(face 1, turn 5)", [](Puzzle& p) { p.view.FrontTurn = 5; }},
        {"the move axis 4", [](Puzzle& p) { p.MoveAxis = 4; }},
        {"the move count 10001", [](Puzzle& p) { p.history.assign(10001, {1, 1, 1}); }},
        {"the sticker colour 7", [](Puzzle& p) { p.cube.SetSticker(1, 1, 1, 7); }},
        {"colour 9 is on 5 squares", [](Puzzle& p) { p.cube.SetSticker(1, 1, 1, 9); }},
        {"colour 1 is a seventh", [](Puzzle& p) { p.cube.SetSticker(1, 1, 1, 1); }},
        {"the sticker copy 16", [](Puzzle& p) { p.cube.SetStickerCopy(2, 2, 6, 16); }},
        {"history entry 1 (1, 1, 3)", [](Puzzle& p) { p.history = {{1, 1, 3}}; }},
        {"played back, its 1 move does not", [](Puzzle& p) { p.history = {{1, 1, 2}}; }},
    };
    // clang-format on
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

TEST(PuzzleFormat, SmallPuzzleIsWrittenLineForLine) {
    // The newer move undoes the older one: played back, they leave the cube
    // as it is, solved.
    Puzzle p{Cube(2), View{5, 3}, -1, {Move{1, 1, 2}, Move{1, 1, 1}}};
    const int colours[] = {10, 9, 12, 13, 14, 15};
    for (int f = 1; f <= 6; ++f) p.cube.FillFace(f, static_cast<Colour>(colours[f - 1]));
    p.cube.SetStickerCopy(1, 1, 1, 0);
    p.cube.SetStickerCopy(2, 2, 6, 15);

    // Face by face, row by row, column innermost; a sticker line, then its
    // copy (empty where never copied). The history comes newest first.
    std::string expected = " 2  5  3  2 -1 \r\n";
    expected += " 10 \r\n 0 \r\n";
    for (int k = 0; k < 3; ++k) expected += " 10 \r\n\r\n";
    for (const char* c : {" 9 ", " 12 ", " 13 ", " 14 "}) {
        for (int k = 0; k < 4; ++k) expected += std::string(c) + "\r\n\r\n";
    }
    for (int k = 0; k < 3; ++k) expected += " 15 \r\n\r\n";
    expected += " 15 \r\n 15 \r\n";
    expected += " 1 \r\n 1 \r\n 1 \r\n";
    expected += " 1 \r\n 1 \r\n 2 \r\n";

    EXPECT_EQ(FormatPuzzle(p), expected);
    const PuzzleRead read = ParsePuzzle(expected, "test.cube");
    ASSERT_TRUE(read.puzzle) << read.error;
    EXPECT_EQ(*read.puzzle, p);

    // Equal as files means every field is the same.
    const std::function<void(Puzzle&)> changes[] = {
        [](Puzzle& q) { q.view.FrontTurn = 4; }, [](Puzzle& q) { q.MoveAxis = 1; },
        [](Puzzle& q) { q.history.pop_back(); }, [](Puzzle& q) { q.cube.SetSticker(2, 1, 3, 9); },
        [](Puzzle& q) { q.cube.SetStickerCopy(2, 1, 3, 9); }};
    for (const auto& change : changes) {
        Puzzle q = p;
        change(q);
        EXPECT_FALSE(q == p);
    }
}

class SizeRoundTrip : public ::testing::TestWithParam<int> {};

// What play leaves is always saved, and loads back as it was.
TEST_P(SizeRoundTrip, SavedPuzzleLoadsBackIdentically) {
    const int n = GetParam();
    // The largest history there is on the largest cube.
    Puzzle p = testing::ScrambledPuzzle(n, n == 20 ? History::kCapacity : 7 * n,
                                        static_cast<std::uint64_t>(n));
    p.view = ViewFromIndex(n);  // and a view of another kind for every size
    testing::TempFolder folder;
    const auto path = folder / "lake.cube";
    ASSERT_TRUE(SavePuzzle(path, p).ok());
    const PuzzleRead read = LoadPuzzle(path);
    ASSERT_TRUE(read.puzzle) << read.error;
    EXPECT_EQ(*read.puzzle, p);
    const std::string text = testing::ReadBytes(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              PuzzleLineCount(n, static_cast<int>(p.history.size())));
}

INSTANTIATE_TEST_SUITE_P(AllSizes, SizeRoundTrip, ::testing::Range(2, 21));

}  // namespace
}  // namespace twistor::storage
