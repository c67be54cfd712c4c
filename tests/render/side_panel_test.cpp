// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <set>
#include <utility>

#include "Pixels.h"
#include "render/Canvas.h"
#include "render/CubeDrawing.h"
#include "render/Layout.h"
#include "render/SidePanel.h"

namespace twistor {
namespace {

// On a high-density screen the words are drawn at its resolution, not
// enlarged from the ratio-1 picture, and they stay on their boxes, which
// fill exactly their own pixels.
TEST(SolvePanel, WordsAreDrawnAtTheDeviceResolution) {
    Canvas plain(200, 200);
    DrawSolvePanel(plain, false);
    Canvas dense(200, 200, 2);
    DrawSolvePanel(dense, false);
    QImage doubled = plain.Image().scaled(400, 400);
    doubled.setDevicePixelRatio(2);
    EXPECT_NE(dense.Image(), doubled);
    const QRect hint = Corners(0, 135, 199, 170);  // light green with black words
    EXPECT_GT(CountColour(plain, hint, kLightGreen), 100);
    EXPECT_EQ(CountOther(plain, hint, {kLightGreen, kBlack}), 0);

    for (const auto& [box, colour] : {std::pair{kUserBox, kLightCyan}, {kComputerBox, kWhite}}) {
        // A box takes a click on every pixel drawn in its colour up to its
        // edges, and on none of the black ring around it.
        for (int y = box.top() - 1; y <= box.bottom() + 1; ++y) {
            for (int x = box.left() - 1; x <= box.right() + 1; ++x) {
                if (box.adjusted(1, 1, -1, -1).contains(x, y)) continue;  // the words
                EXPECT_EQ(OnBox(box, x, y), plain.ColourAt(x, y) == colour) << x << ", " << y;
            }
        }
        int ink = 0;
        int mixedBlocks = 0;  // 2 x 2 blocks of device pixels that are not of one colour
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                std::set<int> block;
                for (int d : {0, 1, 2, 3}) {
                    const int c = DeviceColour(dense, 2 * x + d % 2, 2 * y + d / 2);
                    EXPECT_TRUE(c == colour || c == kBlack) << x << ", " << y;
                    ink += c == kBlack;
                    block.insert(c);
                }
                mixedBlocks += block.size() > 1;
            }
        }
        EXPECT_GT(ink, 4 * 150);
        EXPECT_GT(mixedBlocks, 100);
        EXPECT_EQ(DeviceColour(dense, 2 * box.left(), 2 * box.top()), colour);
        EXPECT_EQ(DeviceColour(dense, 2 * box.right() + 1, 2 * box.bottom() + 1), colour);
        EXPECT_EQ(DeviceColour(dense, 2 * box.left() - 1, 2 * box.top() - 1), kBlack);
    }
}

TEST(SolvedBands, GreenBoxesWithTheWordsAndTheRestOfTheBandsBlack) {
    Scene scene(800, 560);
    scene.canvas.FillRect(0, 0, 799, 559, kWhite);
    ShowSolvedBands(scene);
    const Canvas& canvas = scene.canvas;
    for (const QRect& band : {kLeftBandArea, kRightBandArea}) {
        const QRect box(band.left() + 1, band.top() + 33, 194, 42);
        const QRect above = Corners(band.left(), band.top(), band.right(), box.top() - 1);
        const QRect below = Corners(band.left(), box.bottom() + 1, band.right(), band.bottom());
        EXPECT_EQ(CountOther(canvas, above, {kBlack}) + CountOther(canvas, below, {kBlack}), 0);
        EXPECT_EQ(CountOther(canvas, box, {kLightGreen, kBlack}), 0);
        EXPECT_GT(CountColour(canvas, box, kBlack), 300);  // "Solved Cube!" in large letters
        EXPECT_EQ(canvas.ColourAt(box.left(), box.top()), kLightGreen);
        EXPECT_EQ(canvas.ColourAt(box.right(), box.bottom()), kLightGreen);
        // The text starts at the box's left edge, two pixels below its top.
        EXPECT_EQ(CountColour(canvas, box.adjusted(0, 0, 0, 2 - box.height()), kBlack), 0);
    }
    // Nothing outside the bands: 202 x 101 each, less the 1 + 7 columns
    // beside each 42-row box.
    EXPECT_EQ(CountColour(canvas, Whole(canvas), kWhite), 800 * 560 - 2 * (202 * 101 - 8 * 42));
    // Shown again further right, the right band leaves nothing at its old place.
    const QRect moved = kRightBandArea.translated(100, 0);
    ShowSolvedBands(scene, moved);
    for (const QRect& r : QRegion(kRightBandArea) - moved)
        EXPECT_EQ(CountOther(canvas, r, {kBlack}), 0);
}

}  // namespace
}  // namespace twistor
