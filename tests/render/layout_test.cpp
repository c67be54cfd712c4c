#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

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

TEST(ComputeLayout, SmallestCells) {
    const Layout g = ComputeLayout(20, 792, 540);
    EXPECT_EQ(g.CellWidth, 11);
    EXPECT_EQ(g.FaceSpan, 220);
    EXPECT_EQ(g.DepthStep, 5);
    EXPECT_EQ(g.DepthSpan, 100);
}

// A window smaller than the figure puts the corner at a negative multiple of
// N, rounding down: truncation would shift the figure by up to N - 1 pixels.
TEST(ComputeLayout, TinyWindowsRoundDown) {
    const Layout g = ComputeLayout(3, 100, 50);
    EXPECT_EQ(g.FrontLeft, -117);  // Int(-115 / 3) = -39
    EXPECT_EQ(g.FrontTop, -42);    // Int(-40 / 3) = -14
    EXPECT_EQ(g.FrontRight, -117 + 228);
    EXPECT_EQ(g.FrontBottom, -42 + 228);
    const Layout odd = ComputeLayout(7, 331, 0);  // Int(331 / 2) = 165
    EXPECT_EQ(odd.FrontLeft, 0);
    EXPECT_EQ(odd.FrontTop, -70);  // Int(-65 / 7) = -10
    EXPECT_EQ(ComputeLayout(7, 329, 1).FrontLeft, -7);
}

TEST(ComputeLayout, RefusesSizesOutsideTheMenu) {
    EXPECT_THROW(ComputeLayout(1, 792, 540), std::out_of_range);
    EXPECT_THROW(ComputeLayout(21, 792, 540), std::out_of_range);
    EXPECT_THROW(ComputeLayout(0, 792, 540), std::out_of_range);
    Layout g = ComputeLayout(3, 792, 540);
    EXPECT_THROW(ApplyLoadedSize(g, 26), std::out_of_range);
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

    ApplyLoadedSize(g, 20);
    EXPECT_EQ(g.DepthSpan, 110);
    EXPECT_EQ(g.DepthStep, 5.5);
    EXPECT_EQ(g.FrontLeft, 231);
    EXPECT_EQ(g.FrontRight, 451);
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
    EXPECT_FALSE(HitScan(g, 230.9, 250));
    EXPECT_FALSE(HitScan(g, 459.1, 250));
    // The drawn top and right faces are not the front face.
    EXPECT_FALSE(HitScan(g, 400, 150));
    EXPECT_FALSE(HitScan(g, 500, 300));
    EXPECT_FALSE(HitScan(g, std::numeric_limits<double>::quiet_NaN(), 250));
    EXPECT_FALSE(HitScan(g, 250, std::numeric_limits<double>::infinity()));
}

// Sweeping whole pixels across the face: each square answers to the K - 1
// pixels strictly inside it, and the N + 1 lines to nothing.
TEST(HitScan, EachSquareOwnsItsInterior) {
    for (int n = 2; n <= 20; ++n) {
        SCOPED_TRACE(n);
        // A loaded puzzle's corner is a multiple of the previous size, not of N.
        Layout g = ComputeLayout(n % 2 == 1 ? 3 : n, 700, 500);
        ApplyLoadedSize(g, n);
        std::vector<int> perColumn(n + 1, 0);
        std::vector<int> perRow(n + 1, 0);
        int misses = 0;
        for (int p = g.FrontLeft - 2; p <= g.FrontRight + 2; ++p) {
            const auto byX = HitScan(g, p, g.FrontTop + 1.5);
            const auto byY = HitScan(g, g.FrontLeft + 0.5, p - g.FrontLeft + g.FrontTop);
            if (byX) {
                EXPECT_EQ(byX->second, 1);
                ++perColumn[byX->first];
            } else {
                ++misses;
            }
            if (byY) {
                EXPECT_EQ(byY->first, 1);
                ++perRow[byY->second];
            }
        }
        for (int k = 1; k <= n; ++k) {
            EXPECT_EQ(perColumn[k], g.CellWidth - 1);
            EXPECT_EQ(perRow[k], g.CellHeight - 1);
        }
        EXPECT_EQ(misses, n + 1 + 4);
    }
}

}  // namespace
}  // namespace twistor
