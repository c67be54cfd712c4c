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
        EXPECT_EQ(TurnWholeCube(TurnWholeCube(v, CubeKey::Right), CubeKey::Left), v);
        EXPECT_EQ(TurnWholeCube(TurnWholeCube(v, CubeKey::Up), CubeKey::Down), v);
        EXPECT_EQ(TurnWholeCube(TurnWholeCube(v, CubeKey::Down), CubeKey::Up), v);
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
        const View r = TurnWholeCube(v, CubeKey::R);
        EXPECT_EQ(t.FrontFace, v.FrontFace);
        EXPECT_EQ(r.FrontFace, v.FrontFace);
        EXPECT_EQ(t.FrontTurn, v.FrontTurn % 4 + 1);
    }
    EXPECT_EQ(TurnWholeCube(View{3, 4}, CubeKey::T), (View{3, 1}));
    EXPECT_EQ(TurnWholeCube(View{3, 1}, CubeKey::R), (View{3, 4}));
}

TEST(WholeCubeTurns, FromFaceOneUpright) {
    const View v{1, 1};
    EXPECT_EQ(TurnWholeCube(v, CubeKey::Left), (View{6, 1}));
    EXPECT_EQ(TurnWholeCube(v, CubeKey::Right), (View{5, 1}));
    EXPECT_EQ(TurnWholeCube(v, CubeKey::Up), (View{4, 1}));
    EXPECT_EQ(TurnWholeCube(v, CubeKey::Down), (View{2, 1}));
}

// The keyboard's tables, written out view by view, must be the ring steps:
// two independent descriptions of the same geometry.
TEST(WholeCubeTurns, AgreeWithTheKeyTables) {
    struct Row {
        CubeKey key;
        int cells[4][6][2];
    };
    const Row tables[] = {
        {CubeKey::Left,
         {{{6, 1}, {6, 4}, {6, 3}, {6, 2}, {1, 1}, {3, 3}},
          {{2, 2}, {3, 2}, {4, 2}, {1, 2}, {2, 1}, {2, 3}},
          {{5, 3}, {5, 4}, {5, 1}, {5, 2}, {3, 1}, {1, 3}},
          {{4, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 1}, {4, 3}}}},
        {CubeKey::Up,
         {{{4, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {4, 4}},
          {{6, 2}, {6, 1}, {6, 4}, {6, 3}, {1, 2}, {3, 4}},
          {{2, 3}, {3, 3}, {4, 3}, {1, 3}, {2, 2}, {2, 4}},
          {{5, 4}, {5, 1}, {5, 2}, {5, 3}, {3, 2}, {1, 4}}}},
        {CubeKey::Right,
         {{{5, 1}, {5, 2}, {5, 3}, {5, 4}, {3, 3}, {1, 1}},
          {{4, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 3}, {4, 1}},
          {{6, 3}, {6, 2}, {6, 1}, {6, 4}, {1, 3}, {3, 1}},
          {{2, 4}, {3, 4}, {4, 4}, {1, 4}, {2, 3}, {2, 1}}}},
        {CubeKey::Down,
         {{{2, 1}, {3, 1}, {4, 1}, {1, 1}, {2, 4}, {2, 2}},
          {{5, 2}, {5, 3}, {5, 4}, {5, 1}, {3, 4}, {1, 2}},
          {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 4}, {4, 2}},
          {{6, 4}, {6, 3}, {6, 2}, {6, 1}, {1, 4}, {3, 2}}}},
    };
    for (const Row& t : tables) {
        for (int turn = 1; turn <= 4; ++turn) {
            for (int face = 1; face <= 6; ++face) {
                const View expected{t.cells[turn - 1][face - 1][0], t.cells[turn - 1][face - 1][1]};
                EXPECT_EQ(TurnWholeCube(View{face, turn}, t.key), expected)
                    << "key " << static_cast<int>(t.key) << " view " << face << "," << turn;
            }
        }
    }
}

// A whole-cube turn shows the cube from another side: the face it brings to
// the front is the one that the slice turns push the front's stickers onto.
TEST(WholeCubeTurns, DownShowsWhatAnUpwardColumnTurnPushedOntoTheTop) {
    const int n = 3;
    for (View v : AllViews()) {
        Cube cube = testing::PlainCube(n);
        for (int j = 1; j <= n; ++j) {
            for (int i = 1; i <= n; ++i) {
                // number the front squares as seen on screen
                int x = i, y = j;
                if (v.FrontTurn == 2) x = j, y = n - i + 1;
                if (v.FrontTurn == 3) x = n - i + 1, y = n - j + 1;
                if (v.FrontTurn == 4) x = n - j + 1, y = i;
                cube.SetSticker(x, y, v.FrontFace, static_cast<Colour>(i + 3 * (j - 1)));
            }
        }
        Cube pushed = cube;
        for (int col = 1; col <= n; ++col) pushed.TurnSlice(v, Click{kLeftButton, col, 1});
        const View down = TurnWholeCube(v, CubeKey::Down);
        for (int j = 1; j <= n; ++j) {
            for (int i = 1; i <= n; ++i) {
                EXPECT_EQ(testing::ShownOnFront(pushed, down, i, j),
                          testing::ShownOnFront(cube, v, i, j));
            }
        }
    }
}

}  // namespace
}  // namespace twistor
