// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "cube/Cube.h"
#include "render/Layout.h"

namespace twistor {
namespace {

// A click hits the square it lands in anywhere inside it (its middle, where
// a player clicks, and half a pixel inside each corner), and nothing on a
// grid line, beyond the face or before there is a layout. For every size,
// laid out afresh or loaded, and in a window narrower than the figure.
TEST(HitScan, EachSquareUpToItsLinesAndNothingElse) {
    EXPECT_EQ(HitScan(Layout{}, 0, 0), std::nullopt);
    for (int n = kMinCubeSize; n <= kMaxCubeSize; ++n) {
        Layout loaded = ComputeLayout(2, 792, 540);
        ApplyLoadedSize(loaded, n);
        for (const Layout& g : {ComputeLayout(n, 792, 540), loaded, ComputeLayout(n, 300, 100)}) {
            const double k = g.CellWidth;
            for (int row = 1; row <= n; ++row) {
                for (int column = 1; column <= n; ++column) {
                    const std::pair square{column, row};
                    const auto [x, y] = SquareCentre(g, column, row);
                    EXPECT_EQ(HitScan(g, x, y), square) << n;
                    const double left = g.FrontLeft + (column - 1) * k;
                    const double top = g.FrontTop + (row - 1) * k;
                    for (const double dx : {0.5, k - 0.5}) {
                        for (const double dy : {0.5, k - 0.5})
                            EXPECT_EQ(HitScan(g, left + dx, top + dy), square) << n;
                    }
                    EXPECT_EQ(HitScan(g, left, y), std::nullopt) << n;
                    EXPECT_EQ(HitScan(g, x, top), std::nullopt) << n;
                }
                const double across = g.FrontTop + (row - 0.5) * k;
                EXPECT_EQ(HitScan(g, g.FrontRight + 0.5, across), std::nullopt) << n;
                EXPECT_EQ(HitScan(g, across - g.FrontTop + g.FrontLeft, g.FrontBottom + 0.5),
                          std::nullopt)
                    << n;
            }
        }
    }
}

}  // namespace
}  // namespace twistor
