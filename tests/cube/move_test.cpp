#include <gtest/gtest.h>

#include "TestCubes.h"
#include "cube/Move.h"
#include "cube/Random.h"
#include "solver/Solver.h"

namespace twistor {
namespace {

using testing::AllEdgeClicks;
using testing::AllViews;

bool AxisRunsThroughFront(int axis, int face) {
    switch (axis) {
        case 1:
            return face == 5 || face == 6;
        case 2:
            return face == 1 || face == 3;
        default:
            return face == 2 || face == 4;
    }
}

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
                        ASSERT_EQ(!click.has_value(), AxisRunsThroughFront(axis, v.FrontFace));
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

TEST(ClickToMove, DropsSquaresOffTheEdgeAndOtherButtons) {
    const View v{1, 1};
    EXPECT_FALSE(ClickToMove(kLeftButton, 1, 2, v, 3));   // middle row
    EXPECT_FALSE(ClickToMove(kRightButton, 2, 1, v, 3));  // middle column
    EXPECT_FALSE(ClickToMove(3, 1, 1, v, 3));             // middle button
    EXPECT_FALSE(ClickToMove(0, 1, 1, v, 3));
    EXPECT_FALSE(ClickToMove(kLeftButton, 0, 1, v, 3));
    EXPECT_FALSE(ClickToMove(kLeftButton, 4, 1, v, 3));
    // The top-left corner: the left button turns column 1, the right row 1.
    EXPECT_EQ(ClickToMove(kLeftButton, 1, 1, v, 3)->move, (Move{1, 1, 1}));
    EXPECT_EQ(ClickToMove(kRightButton, 1, 1, v, 3)->move, (Move{3, 1, 1}));
    // On a 2-cube every square is on an edge for both buttons.
    for (int c = 1; c <= 2; ++c) {
        for (int r = 1; r <= 2; ++r) {
            EXPECT_TRUE(ClickToMove(kLeftButton, c, r, v, 2));
            EXPECT_TRUE(ClickToMove(kRightButton, c, r, v, 2));
        }
    }
}

TEST(ClickToMove, QuarterTurnedViewSwapsWhichButtonTurnsFaceColumns) {
    for (int face = 1; face <= 4; ++face) {
        EXPECT_EQ(ClickToMove(kRightButton, 1, 2, View{face, 2}, 3)->move.axis, 1);
        EXPECT_NE(ClickToMove(kLeftButton, 2, 1, View{face, 2}, 3)->move.axis, 1);
    }
}

TEST(ClickToMove, OppositeEdgeGivesTheInverseMove) {
    const int n = 5;
    for (View v : AllViews()) {
        for (int k = 1; k <= n; ++k) {
            const Move top = ClickToMove(kLeftButton, k, 1, v, n)->move;
            const Move bottom = ClickToMove(kLeftButton, k, n, v, n)->move;
            EXPECT_EQ(Inverse(top, n), bottom);
            const Move left = ClickToMove(kRightButton, 1, k, v, n)->move;
            const Move right = ClickToMove(kRightButton, n, k, v, n)->move;
            EXPECT_EQ(Inverse(left, n), right);
        }
    }
}

TEST(SolverStep, SpinsWithAnArrowKeyOnlyWhenItCannotClick) {
    Random rnd(7);
    int keys[4] = {};
    for (int i = 0; i < 400; ++i) {
        const SolverStep s = NextSolverStep(Move{1, 2, 3}, View{5, 1}, 3, rnd);
        ASSERT_TRUE(std::holds_alternative<SolverSpin>(s));
        const int code = static_cast<int>(std::get<SolverSpin>(s).key);
        ASSERT_GE(code, 37);
        ASSERT_LE(code, 40);
        ++keys[code - 37];
    }
    for (int k : keys) EXPECT_GT(k, 60);  // all four keys come up
    const SolverStep click = NextSolverStep(Move{1, 2, 3}, View{1, 1}, 3, rnd);
    ASSERT_TRUE(std::holds_alternative<Click>(click));
    EXPECT_EQ(std::get<Click>(click), (Click{kLeftButton, 2, 3}));
}

}  // namespace
}  // namespace twistor
