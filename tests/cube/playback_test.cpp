// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <variant>

#include "TestCubes.h"
#include "cube/History.h"
#include "cube/Scrambler.h"
#include "solver/Solver.h"

namespace twistor {
namespace {

// Plays the whole history back; returns the number of slice moves made.
int PlayBack(Cube& cube, View& view, History& history, Random& rnd) {
    int slices = 0;
    for (int steps = 0; !history.Empty(); ++steps) {
        // each entry costs at most one spin and one click
        EXPECT_LE(steps, 2 * History::kCapacity);
        if (std::holds_alternative<Click>(PlaySolverStep(cube, view, history, rnd))) ++slices;
    }
    return slices;
}

class PlaybackBySize : public ::testing::TestWithParam<int> {};

// Whatever the player does, in whatever views, the computer's playback of
// the history ends with every face uniform.
TEST_P(PlaybackBySize, SolvesAfterRandomPlayerMovesInRandomViews) {
    const int n = GetParam();
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        Random rnd(seed * 7919 + static_cast<std::uint64_t>(n));
        Cube cube = testing::PlainCube(n);
        View view = ViewFromIndex(rnd.Draw(24) - 1);
        History history;
        const auto clicks = testing::AllEdgeClicks(n);
        // Favour runs on one slice and one axis so that folding and shifts
        // happen often.
        Click last = clicks[0];
        for (int i = 0; i < 300; ++i) {
            if (rnd.Draw(6) == 1) {
                view = TurnWholeCube(view, RandomArrow(rnd));
                continue;
            }
            Click c =
                rnd.Draw(3) == 1 ? last : clicks[rnd.Draw(static_cast<int>(clicks.size())) - 1];
            if (rnd.Draw(4) == 1 && last.PickButton == kLeftButton) c.PickColumn = rnd.Draw(n);
            if (!IsEdgeClick(c, n)) c = last;
            last = c;
            const auto request = ClickToMove(c.PickButton, c.PickColumn, c.PickRow, view, n);
            ASSERT_TRUE(request.has_value());
            ASSERT_NE(PushUserMove(history, request->move, cube, view, rnd), PushResult::Refused);
            cube.TurnSlice(view, c);
        }
        PlayBack(cube, view, history, rnd);
        ASSERT_TRUE(cube.IsSolved()) << "n " << n << " seed " << seed;
    }
}

TEST_P(PlaybackBySize, UndoesAScrambleOfKMovesWithExactlyKSliceMoves) {
    const int n = GetParam();
    Random rnd(n);
    Cube cube = testing::PlainCube(n);
    View view;
    History history;
    Scrambler s;
    const int k = 40;
    for (int i = 0; i < k; ++i) s.Step(cube, view, history, rnd);
    EXPECT_EQ(history.MoveCount(), k);
    EXPECT_FALSE(cube.IsSolved());
    EXPECT_EQ(PlayBack(cube, view, history, rnd), k);
    EXPECT_TRUE(cube.IsSolved());
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlaybackBySize, ::testing::Range(2, 21));

}  // namespace
}  // namespace twistor
