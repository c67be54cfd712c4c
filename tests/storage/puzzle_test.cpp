// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Puzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "TestFiles.h"
#include "cube/History.h"

namespace twistor::storage {
namespace {

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
