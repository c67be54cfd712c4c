// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QSize>
#include <array>
#include <optional>
#include <tuple>
#include <utility>

#include "Pixels.h"
#include "cube/Cube.h"
#include "render/Canvas.h"
#include "render/Layout.h"
#include "render/Palette.h"

namespace twistor {
namespace {

// A resized canvas keeps its picture. Two grey diagonals that run off it cut
// it into three regions, filled from seeds on the edges, then cleared in parts
// (once in a colour beyond the palette, drawn black). At every density each
// device pixel is checked against diagonals drawn here independently: the
// band of device pixels with X + Y from s to s + 2 (pen - 1), s the sum of the
// start's device coordinates, pen the device pixels to a pixel.
TEST(Canvas, LinesFillsAndClearsReachEveryEdge) {
    for (const double ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        Canvas canvas(1, 1);
        for (const auto& [width, height] : {std::pair{23, 1}, {23, 17}}) {
            canvas.Resize(width, height);
            EXPECT_EQ(canvas.Image().size(), QSize(width, height));
        }
        canvas.FillRect(0, 0, 22, 16, kLightBlue);
        canvas.Resize(23, 17, ratio);
        EXPECT_EQ(CountOther(canvas, Whole(canvas), {kLightBlue}), 0);
        canvas.FillRect(0, 0, 22, 16, kBlack);
        const int band = 2 * (static_cast<int>(ratio) - 1);
        const int low = canvas.Device(-4) + canvas.Device(9);
        const int high = canvas.Device(14) + canvas.Device(21);
        canvas.Line(-4, 9, 9, -4, kLightGrey);   // x + y = 5
        canvas.Line(14, 21, 27, 8, kLightGrey);  // x + y = 35
        int clearedTo = 0;                       // device columns left of it are black
        int clearedFrom = canvas.Image().width();
        const auto wrong = [&](int a, int b, int c) {
            const std::array<int, 5> colours{a, kLightGrey, b, kLightGrey, c};
            int count = 0;
            for (int y = 0; y < canvas.Image().height(); ++y) {
                for (int x = 0; x < canvas.Image().width(); ++x) {
                    const int s = x + y;
                    const int i = (s >= low) + (s > low + band) + (s >= high) + (s > high + band);
                    const bool black = x < clearedTo || x >= clearedFrom;
                    count += DeviceColour(canvas, x, y) != (black ? kBlack : colours[i]);
                }
            }
            return count;
        };
        for (const auto& [x, y] : {std::pair{0.0, 5.0}, {-1.0, 3.0}, {23.0, 3.0}, {3.0, 16.5}})
            canvas.FloodFill(x, y, kLightRed);
        EXPECT_EQ(wrong(kBlack, kBlack, kBlack), 0);
        canvas.FloodFill(22, 2, kLightRed);
        EXPECT_EQ(wrong(kBlack, kLightRed, kBlack), 0);
        canvas.FloodFill(0, 0, kLightBlue);
        EXPECT_EQ(wrong(kLightBlue, kLightRed, kBlack), 0);
        canvas.FloodFill(22, 16, kYellow);
        EXPECT_EQ(wrong(kLightBlue, kLightRed, kYellow), 0);
        for (const auto& [x, y, c] : {std::tuple{0, 0, +kLightBlue},
                                      {22, 16, +kYellow},
                                      {-1, 0, -1},
                                      {23, 0, -1},
                                      {0, -1, -1},
                                      {0, 17, -1}}) {
            EXPECT_EQ(canvas.ColourAt(x, y), c) << x << ", " << y;
        }
        canvas.FillRect(12, -3, 30, 30, kBlack);
        canvas.FillRect(-3, -3, 10, 30, 16);  // beyond the palette
        clearedFrom = canvas.Device(12);
        clearedTo = canvas.Device(11);
        EXPECT_EQ(wrong(kLightBlue, kLightRed, kYellow), 0);
        clearedTo = clearedFrom;  // all black from here
        for (const bool text : {false, true}) {
            if (text) canvas.Text(12, 8, QStringLiteral("W"), kWhite, 13);  // past the bottom
            canvas.FillRect(-3, -3, 30, 30, kBlack);
            EXPECT_EQ(wrong(kBlack, kBlack, kBlack), 0);
        }
        // A line that is no diagonal still runs from end to end.
        canvas.Line(1, 1, 11, 4, kLightGrey);
        EXPECT_EQ(canvas.ColourAt(1, 1), kLightGrey);
        EXPECT_EQ(canvas.ColourAt(11, 4), kLightGrey);
    }
}

// Without the font, Qt draws empty boxes; the tests would still find pixels.
TEST(CanvasText, UsesDejaVuSansAtExactPixelSizes) {
    for (int size : {13, 32}) {
        const QFontInfo info(CanvasFont(size));
        EXPECT_EQ(info.family(), QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(info.pixelSize(), size);
    }
}

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
