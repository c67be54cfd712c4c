#include <gtest/gtest.h>

#include "TestCubes.h"
#include "cube/Cube.h"
#include "cube/View.h"

namespace twistor {
namespace {

using testing::AllViews;

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
