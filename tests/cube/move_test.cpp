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

}  // namespace
}  // namespace twistor
