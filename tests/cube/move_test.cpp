// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestCubes.h"
#include "cube/Move.h"
#include "cube/Random.h"
#include "solver/Solver.h"

namespace twistor {
namespace {

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
