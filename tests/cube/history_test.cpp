// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "TestCubes.h"
#include "cube/History.h"
#include "cube/Scrambler.h"
#include "solver/Solver.h"

namespace twistor {
namespace {

std::vector<Move> Stack(const History& h) {
    return {h.Entries().begin(), h.Entries().end()};
}

struct Fixture {
    explicit Fixture(int n) : cube(testing::LabelledCube(n)) {}
    PushResult Push(Move m) { return PushUserMove(history, m, cube, view, rnd); }
    Cube cube;
    View view{1, 1};
    History history;
    Random rnd{3};
};

// What the player sees: every face as the front, in turn.
std::vector<Colour> Picture(const Cube& cube, View v) {
    const int n = cube.CubeSize();
    const View up = TurnWholeCube(v, CubeKey::Up);
    std::vector<Colour> shown;
    for (const View w : {v, up, TurnWholeCube(up, CubeKey::Up), TurnWholeCube(v, CubeKey::Down),
                         TurnWholeCube(v, CubeKey::Left), TurnWholeCube(v, CubeKey::Right)}) {
        for (int k = 0; k < n * n; ++k)
            shown.push_back(testing::ShownOnFront(cube, w, k % n + 1, k / n + 1));
    }
    return shown;
}

// Clicks on a size-n cube, from a history `below`, leave the stack given:
// each entry the inverse of its move, a move and its undoing cancel, a run on
// one slice folds into at most two entries, never across axes or below the
// run. Where most slices of the run turn one way, that whole-cube turn is
// taken out of it: cube and view turn together and the picture stays.
TEST(PushUserMove, StoresInversesCancelsFoldsAndTakesOutWholeCubeTurns) {
    using enum PushResult;
    struct Case {
        int n;
        std::vector<Move> below, pushed, stack;
        PushResult last;
        View view{1, 1};
    };
    // clang-format off
    const Case cases[] = {
        {3, {}, {{1, 2, 1}}, {{1, 2, 3}}, Pushed},
        {3, {}, {{1, 2, 1}, {1, 2, 3}}, {}, Cancelled},
        {3, {}, {{1, 2, 1}, {1, 2, 1}}, {{1, 2, 3}, {1, 2, 3}}, Folded},
        {3, {}, {{1, 2, 1}, {1, 2, 1}, {1, 2, 1}}, {{1, 2, 1}}, Folded},
        {2, {}, {{3, 1, 1}, {3, 1, 1}, {3, 1, 1}}, {{3, 1, 1}}, Folded},
        {4, {{1, 2, 4}, {1, 2, 4}, {3, 1, 2}}, {{2, 3, 1}, {2, 3, 1}},
            {{1, 2, 4}, {1, 2, 4}, {3, 1, 2}, {2, 3, 4}, {2, 3, 4}}, Folded},
        {3, {{2, 1, 3}, {1, 2, 1}, {1, 3, 1}}, {{1, 1, 1}},
            {{2, 1, 3}, {1, 1, 3}, {1, 1, 3}}, FoldedShift, {2, 1}},
        // Both ways need five moves: the cube turns as more slices do already, here down.
        {5, {{1, 1, 5}, {1, 1, 5}, {1, 2, 1}, {1, 2, 1}, {1, 3, 5}}, {{1, 3, 1}},
            {{1, 1, 5}, {1, 2, 5}, {1, 3, 5}, {1, 4, 1}, {1, 5, 1}}, FoldedShift, {4, 1}},
        // A majority one way is enough, however many slices turn the other.
        {5, {{1, 1, 1}, {1, 2, 5}, {1, 2, 5}, {1, 3, 5}}, {{1, 3, 1}},
            {{1, 2, 1}, {1, 3, 1}, {1, 4, 5}, {1, 5, 5}}, FoldedShift, {2, 1}},
        // In a tie the slices at rest count for neither way: two down against one up.
        {5, {{1, 1, 1}, {1, 1, 1}, {1, 2, 1}, {1, 2, 1}, {1, 3, 5}}, {{1, 3, 1}},
            {{1, 1, 1}, {1, 2, 1}, {1, 3, 1}, {1, 4, 5}, {1, 5, 5}}, FoldedShift, {2, 1}},
        // Two slices of three turning the same way are enough.
        {3, {{1, 2, 3}}, {{1, 1, 1}}, {{1, 3, 1}}, FoldedShift, {4, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        Fixture f(c.n);
        f.history.Assign(c.below);
        const std::vector<Colour> picture = Picture(f.cube, f.view);
        PushResult last{};
        for (const Move m : c.pushed) last = f.Push(m);
        const auto what = "case " + std::to_string(&c - cases);
        EXPECT_EQ(last, c.last) << what;
        EXPECT_EQ(Stack(f.history), c.stack) << what;
        EXPECT_EQ(f.view, c.view) << what;
        EXPECT_EQ(Picture(f.cube, f.view), picture) << what;
    }
}

TEST(PushUserMove, AFullHistoryRefusesNewEntriesButStillCancelsAndFolds) {
    const int n = 5;
    std::vector<Move> full;
    for (int i = 0; i < History::kCapacity - 2; ++i)
        full.push_back(i % 2 ? Move{2, 1, 5} : Move{3, 1, 2});
    full.push_back({1, 2, 5});
    full.push_back({1, 2, 5});
    Fixture f(n);
    ASSERT_TRUE(f.history.Assign(full));
    ASSERT_TRUE(f.history.Full());
    const Cube before = f.cube;
    EXPECT_FALSE(Scrambler().Step(f.cube, f.view, f.history,
                                  f.rnd));  // so the scramble ends

    EXPECT_EQ(f.Push({3, 1, 2}),
              PushResult::Refused);  // another axis: needs entry 10001
    EXPECT_EQ(f.Push({1, 1, 1}),
              PushResult::Refused);  // folds, but still one entry more
    EXPECT_EQ(Stack(f.history), full);
    EXPECT_TRUE(f.cube == before);

    EXPECT_EQ(f.Push({1, 2, 1}),
              PushResult::Folded);  // +2 and +1 make -1: one entry fewer
    EXPECT_EQ(f.history.MoveCount(), History::kCapacity - 1);
    EXPECT_EQ(f.Push({1, 2, 1}), PushResult::Cancelled);
    EXPECT_EQ(f.history.MoveCount(), History::kCapacity - 2);

    std::vector<Move> tooMany(History::kCapacity + 1, Move{1, 1, 1});
    EXPECT_FALSE(f.history.Assign(tooMany));
}

TEST(Scrambler, RunsAreShortTurnDifferentSlicesAndNeverUndoTheLastMove) {
    for (int n : {2, 3, 4, 7}) {
        Random rnd(100 + n);
        Cube cube = testing::PlainCube(n);
        View view;
        History history;
        Scrambler s;
        for (int i = 0; i < 2000; ++i) ASSERT_TRUE(s.Step(cube, view, history, rnd));
        ASSERT_EQ(history.MoveCount(), 2000);
        const auto e = history.Entries();
        int runLength = 1;
        int runsOfTwo = 0;
        for (std::size_t i = 1; i < e.size(); ++i) {
            ASSERT_NE(e[i], Inverse(e[i - 1], n));
            if (e[i].axis != e[i - 1].axis) {
                runLength = 1;
                continue;
            }
            ASSERT_LE(++runLength, 2) << "n " << n;
            ++runsOfTwo;
            ASSERT_NE(SliceOf(e[i]), SliceOf(e[i - 1]));
            if (n <= 3) {
                ASSERT_NE(EdgeOf(e[i]), EdgeOf(e[i - 1]));
            }
        }
        EXPECT_GT(runsOfTwo, 100) << "n " << n;
    }
}

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
