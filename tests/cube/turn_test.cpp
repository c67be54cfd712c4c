// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "TestCubes.h"
#include "cube/Cube.h"
#include "cube/Move.h"
#include "cube/Random.h"
#include "solver/Solver.h"

namespace twistor {
namespace {

using testing::AllEdgeClicks;
using testing::AllViews;
using testing::Compose;
using testing::IsIdentity;
using testing::Permutation;
using testing::PermutationOf;

Permutation TurnPermutation(int n, View v, Click c) {
    return PermutationOf(n, [&](Cube& cube) { cube.TurnSlice(v, c); });
}

class TurnSliceAllClicks : public ::testing::TestWithParam<int> {};

// Every view and every edge click, taken together, make exactly the quarter
// turns of the 3N slices both ways, each of order 4; the opposite edge of
// the same line undoes a turn.
TEST_P(TurnSliceAllClicks, MakeExactlySixNDistinctQuarterTurns) {
    const int n = GetParam();
    std::set<Permutation> distinct;
    for (View v : AllViews()) {
        for (Click c : AllEdgeClicks(n)) {
            const Permutation p = TurnPermutation(n, v, c);
            ASSERT_FALSE(IsIdentity(p));
            if (!distinct.insert(p).second) continue;
            const Permutation twice = Compose(p, p);
            ASSERT_FALSE(IsIdentity(twice)) << "a half turn is not a quarter turn";
            ASSERT_TRUE(IsIdentity(Compose(twice, twice))) << "four turns must restore the cube";

            Click opposite = c;
            if (c.PickButton == kLeftButton)
                opposite.PickRow = n + 1 - c.PickRow;
            else
                opposite.PickColumn = n + 1 - c.PickColumn;
            ASSERT_TRUE(IsIdentity(Compose(p, TurnPermutation(n, v, opposite))))
                << "view " << v.FrontFace << "," << v.FrontTurn << " button " << c.PickButton;
        }
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(6 * n));
}

INSTANTIATE_TEST_SUITE_P(Sizes, TurnSliceAllClicks, ::testing::Values(2, 3, 4, 20));

TEST(TurnSlice, LeftClickOnTopLeftMovesColumnOntoFaceAboveAndTurnsLeftFace) {
    const int n = 3;
    Cube before = testing::PlainCube(n);
    before.SetSticker(1, 1, 5, 14);                               // mark a corner of the left face
    for (int y = 1; y <= n; ++y) before.SetSticker(1, y, 1, 15);  // column 1 of the front
    Cube after = before;
    after.TurnSlice(View{1, 1}, Click{kLeftButton, 1, 1});

    for (int y = 1; y <= n; ++y) EXPECT_EQ(after.Sticker(1, y, 2), 15) << "face 2 gets the column";
    EXPECT_EQ(after.Sticker(1, n, 5), 14) << "the left face turns a quarter anticlockwise";
    EXPECT_EQ(after.Sticker(1, 1, 5), 5);
    after.TurnSlice(View{1, 1}, Click{kLeftButton, 1, n});
    EXPECT_TRUE(after == before);
}

TEST(TurnSlice, MiddleLineOfOddCubeTurnsNoFaceAndEveryTwoCubeTurnTurnsOne) {
    auto facesTouched = [](int n, Click c) {
        const Permutation p = TurnPermutation(n, View{1, 1}, c);
        std::set<int> faces;
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (p[i] != static_cast<int>(i)) faces.insert(static_cast<int>(i) / (n * n) + 1);
        }
        return faces;
    };
    EXPECT_EQ(facesTouched(3, Click{kLeftButton, 2, 1}), (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(facesTouched(2, Click{kLeftButton, 2, 1}), (std::set<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(facesTouched(2, Click{kRightButton, 1, 1}), (std::set<int>{1, 2, 3, 5, 6}));
}

TEST(CubeEquality, AnyOneStickerOnAnyFaceOrTheSizeMakesCubesDiffer) {
    for (const int n : {2, 3, 20}) {
        const Cube plain = testing::PlainCube(n);
        EXPECT_TRUE(plain == testing::PlainCube(n));
        EXPECT_FALSE(plain == testing::PlainCube(n == 2 ? 3 : 2));
        for (int cell = 0; cell < 6 * n * n; ++cell) {
            Cube other = plain;
            other.SetSticker(cell % n + 1, cell / n % n + 1, cell / (n * n) + 1, kBackground);
            EXPECT_FALSE(other == plain) << n << ": cell " << cell;
        }
    }
}

TEST(DealColours, GivesEachFaceOneColourOfTheSetAndRefusesRepeats) {
    Random rnd;
    Cube cube(4);
    const std::array<int, 6> set{1, 5, 9, 10, 11, 13};
    ASSERT_TRUE(DealColours(cube, set, rnd));
    EXPECT_TRUE(cube.IsSolved());
    std::set<int> used;
    for (int f = 1; f <= 6; ++f) used.insert(cube.Sticker(1, 1, f));
    EXPECT_EQ(used, std::set<int>(set.begin(), set.end()));

    const Cube untouched = cube;
    for (const auto& bad :
         {std::array<int, 6>{1, 1, 9, 10, 11, 13}, std::array<int, 6>{1, 7, 9, 10, 11, 13},
          std::array<int, 6>{0, 5, 9, 10, 11, 13}, std::array<int, 6>{1, 5, 9, 10, 11, 16}}) {
        EXPECT_FALSE(DealColours(cube, bad, rnd));
        EXPECT_TRUE(cube == untouched);
    }
}

using testing::AllEdgeClicks;
using testing::AllViews;

// The two faces each axis runs through.
constexpr int kAxisFaces[4][2] = {{}, {5, 6}, {1, 3}, {2, 4}};

// The computer's click for an entry, read back by the click mapping, is the
// entry; it spins exactly where the axis runs through the front face, and
// one spin, whichever key, makes the entry clickable.
TEST(ClickAndSolverTables, AreInversesInEveryView) {
    for (int n = 2; n <= 6; ++n) {
        for (View v : AllViews()) {
            for (int axis = 1; axis <= 3; ++axis) {
                for (int slice = 1; slice <= n; ++slice) {
                    for (int edge : {1, n}) {
                        const Move m = MakeMove(axis, slice, edge);
                        const std::optional<Click> click = ClickForMove(m, v, n);
                        ASSERT_EQ(!click, v.FrontFace == kAxisFaces[axis][0] ||
                                              v.FrontFace == kAxisFaces[axis][1]);
                        if (click) {
                            const auto back = ClickToMove(click->PickButton, click->PickColumn,
                                                          click->PickRow, v, n);
                            ASSERT_TRUE(back.has_value());
                            EXPECT_EQ(back->move, m)
                                << "n " << n << " view " << v.FrontFace << "," << v.FrontTurn;
                            continue;
                        }
                        for (CubeKey k :
                             {CubeKey::Left, CubeKey::Up, CubeKey::Right, CubeKey::Down}) {
                            EXPECT_TRUE(ClickForMove(m, TurnWholeCube(v, k), n).has_value());
                        }
                    }
                }
            }
        }
    }
}

// A move names a turn of the cube, not of the screen: the click it came
// from, in any view, turns the stickers exactly as the move's click from a
// fixed view does.
TEST(ClickToMove, NamesTheSameTurnFromEveryView) {
    for (int n : {2, 3, 4}) {
        for (View v : AllViews()) {
            for (Click c : AllEdgeClicks(n)) {
                const auto request = ClickToMove(c.PickButton, c.PickColumn, c.PickRow, v, n);
                ASSERT_TRUE(request.has_value());
                EXPECT_EQ(request->direction, TurnDirection(c, n));
                const Move m = request->move;
                const View reference = m.axis == 1   ? View{1, 1}
                                       : m.axis == 2 ? View{5, 1}
                                                     : View{6, 1};
                const Click referenceClick = *ClickForMove(m, reference, n);
                EXPECT_EQ(testing::PermutationOf(n, [&](Cube& cube) { cube.TurnSlice(v, c); }),
                          testing::PermutationOf(
                              n, [&](Cube& cube) { cube.TurnSlice(reference, referenceClick); }));
            }
        }
    }
}

TEST(WholeCubeTurns, OppositeKeysUndoEachOtherAndFourPressesReturn) {
    for (View v : AllViews()) {
        EXPECT_EQ(TurnWholeCube(TurnWholeCube(v, CubeKey::Left), CubeKey::Right), v);
        EXPECT_EQ(TurnWholeCube(TurnWholeCube(v, CubeKey::Up), CubeKey::Down), v);
        EXPECT_EQ(TurnWholeCube(TurnWholeCube(v, CubeKey::R), CubeKey::T), v);
        for (CubeKey k :
             {CubeKey::Left, CubeKey::Up, CubeKey::Right, CubeKey::Down, CubeKey::R, CubeKey::T}) {
            View w = v;
            for (int i = 0; i < 4; ++i) {
                w = TurnWholeCube(w, k);
                ASSERT_TRUE(IsValidView(w));
                if (i < 3) {
                    EXPECT_NE(w, v);
                }
            }
            EXPECT_EQ(w, v);
        }
        const View t = TurnWholeCube(v, CubeKey::T);
        EXPECT_EQ(t.FrontFace, v.FrontFace);
        EXPECT_EQ(t.FrontTurn, v.FrontTurn % 4 + 1);
    }
}

}  // namespace
}  // namespace twistor
