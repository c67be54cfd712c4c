#include <gtest/gtest.h>

#include "cube/Cube.h"
#include "render/Layout.h"

namespace twistor {
namespace {

TEST(ComputeLayout, StandardCubeInTheDefaultWindow) {
    const Layout g = ComputeLayout(3, 792, 540);
    EXPECT_EQ(g.CubeSize, 3);
    EXPECT_EQ(g.CellWidth, 76);
    EXPECT_EQ(g.CellHeight, 76);
    EXPECT_EQ(g.FaceSpan, 228);
    EXPECT_EQ(g.DepthSpan, 114);
    EXPECT_EQ(g.DepthStep, 38);
    EXPECT_EQ(g.FrontLeft, 231);
    EXPECT_EQ(g.FrontTop, 204);
    EXPECT_EQ(g.FrontRight, 459);
    EXPECT_EQ(g.FrontBottom, 432);
    // The top face's back edge.
    EXPECT_EQ(g.FrontLeft + g.DepthSpan, 345);
    EXPECT_EQ(g.FrontTop - g.DepthSpan, 90);
    EXPECT_EQ(g.FrontLeft + g.DepthSpan + g.FaceSpan, 573);
}

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

TEST(HitScan, SquaresAreOpenOnAllFourSides) {
    const Layout g = ComputeLayout(3, 792, 540);  // corner (231, 204), squares of 76
    EXPECT_EQ(HitScan(g, 232, 205), (std::pair{1, 1}));
    EXPECT_EQ(HitScan(g, 306.5, 279.5), (std::pair{1, 1}));
    EXPECT_EQ(HitScan(g, 307.25, 205), (std::pair{2, 1}));
    EXPECT_EQ(HitScan(g, 458.9, 431.9), (std::pair{3, 3}));
    EXPECT_EQ(HitScan(g, 400, 300), (std::pair{3, 2}));
    // The border of the face and the lines between squares hit nothing.
    EXPECT_FALSE(HitScan(g, 231, 250));
    EXPECT_FALSE(HitScan(g, 250, 204));
    EXPECT_FALSE(HitScan(g, 307, 250));
    EXPECT_FALSE(HitScan(g, 250, 280));
    EXPECT_FALSE(HitScan(g, 459, 250));
    EXPECT_FALSE(HitScan(g, 250, 432));
    // The drawn top and right faces are not the front face.
    EXPECT_FALSE(HitScan(g, 400, 150));
    EXPECT_FALSE(HitScan(g, 500, 300));
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
