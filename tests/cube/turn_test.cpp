// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "TestCubes.h"
#include "cube/Cube.h"
#include "cube/Random.h"

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

}  // namespace
}  // namespace twistor
