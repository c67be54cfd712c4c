#include <gtest/gtest.h>

#include "cube/Cube.h"
#include "render/Layout.h"

namespace twistor {
namespace {

// A loaded puzzle takes its cells and depth from its own size, the depth
// half the face and unrounded, but keeps the corner of the last lay-out.
TEST(ApplyLoadedSize, HalfFaceDepthAndTheOldCorner) {
    Layout g = ComputeLayout(3, 792, 540);
    ApplyLoadedSize(g, 9);
    EXPECT_EQ(g.CubeSize, 9);
    EXPECT_EQ(g.CellWidth, 25);
    EXPECT_EQ(g.CellHeight, 25);
    EXPECT_EQ(g.FaceSpan, 225);
    EXPECT_EQ(g.DepthSpan, 112.5);
    EXPECT_EQ(g.DepthStep, 12.5);
    EXPECT_EQ(g.FrontLeft, 231);
    EXPECT_EQ(g.FrontTop, 204);
    EXPECT_EQ(g.FrontRight, 456);
    EXPECT_EQ(g.FrontBottom, 429);
}

// Where a player clicks to turn a square is that square, for every square of
// every size, laid out afresh or loaded.
TEST(SquareCentre, HitScanTakesItBackToItsSquare) {
    for (int n = kMinCubeSize; n <= kMaxCubeSize; ++n) {
        Layout loaded = ComputeLayout(2, 792, 540);
        ApplyLoadedSize(loaded, n);
        for (const Layout& g : {ComputeLayout(n, 792, 540), loaded}) {
            for (int row = 1; row <= n; ++row) {
                for (int column = 1; column <= n; ++column) {
                    const auto [x, y] = SquareCentre(g, column, row);
                    EXPECT_EQ(HitScan(g, x, y), (std::pair{column, row})) << n;
                }
            }
        }
    }
}

}  // namespace
}  // namespace twistor
