#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <set>
#include <string>
#include <utility>

#include "Pixels.h"
#include "render/Canvas.h"
#include "render/CubeDrawing.h"
#include "render/Layout.h"
#include "render/SidePanel.h"

namespace twistor {
namespace {

constexpr int kBlack = 0;
constexpr int kLightGreen = 10;
constexpr int kLightCyan = 11;
constexpr int kWhite = 15;

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
    for (const QRect& black : {Corners(7, 255, 208, 287), Corners(7, 330, 208, 355),
                               Corners(591, 167, 792, 199), Corners(591, 242, 792, 267)}) {
        EXPECT_EQ(CountOther(canvas, black, {kBlack}), 0);
    }
    for (const QRect& box : {Corners(8, 288, 201, 329), Corners(592, 200, 785, 241)}) {
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
    ShowSolvedBands(scene, kRightBandArea.translated(100, 0));
    EXPECT_EQ(CountOther(canvas, Corners(591, 167, 690, 267), {kBlack}), 0);
}

// The right band keeps its own place wherever the figure leaves it free and
// otherwise sits just right of the figure, for every size, for a new cube's
// rounded depth and a loaded cube's exact one, in the reference area and in
// wider ones. Showing and clearing it never touches the figure.
TEST(SolvedBands, RightBandKeepsItsPlaceUnlessTheFigureReachesIt) {
    constexpr int kWhiteGround = 15;
    int moved = 0;
    for (const auto& [width, height] : {std::pair{792, 540}, {1100, 540}, {1920, 1080}}) {
        for (int n = 2; n <= 20; ++n) {
            for (const bool loaded : {false, true}) {
                const std::string what = std::to_string(width) + "x" + std::to_string(height) +
                                         " size " + std::to_string(n) +
                                         (loaded ? " loaded" : " new");
                Layout g = ComputeLayout(n, width, height);
                if (loaded) ApplyLoadedSize(g, n);
                Cube cube(n);
                for (int f = 1; f <= 6; ++f) cube.FillFace(f, static_cast<Colour>(f + 8));
                Scene scene(width, height);
                Canvas& canvas = scene.canvas;
                canvas.FillRect(0, 0, width - 1, height - 1, kWhiteGround);
                DrawCube(scene, cube, View{1, 1}, g);
                const QRect figure = FigureBounds(g);
                // The figure lies in its box: the ring around it is untouched,
                // and the faces' colours reach the outline at its right.
                const QRect ring = figure.adjusted(-3, -3, 3, 3);
                const QRegion around = QRegion(ring) - QRegion(figure) -
                                       QRegion(Corners(220, 0, 590, height)) -
                                       QRegion(kRightBandArea) - QRegion(kLeftBandArea);
                for (const QRect& r : around)
                    ASSERT_EQ(CountOther(canvas, r, {kWhiteGround}), 0) << what;
                const QRect rightColumn(figure.right() - 1, figure.top(), 1, figure.height());
                ASSERT_GT(CountOther(canvas, rightColumn, {kBlack, kWhiteGround}), 0) << what;

                const QRect band = RightBandArea(figure);
                const bool free = !figure.intersects(kRightBandArea);
                if (free) {
                    EXPECT_EQ(band, kRightBandArea) << what;
                } else {
                    ++moved;
                    EXPECT_EQ(band, kRightBandArea.translated(figure.right() + 1 - 591, 0))
                        << what << ": just right of the figure";
                }
                EXPECT_FALSE(band.intersects(figure)) << what;
                const QImage drawn = canvas.Image().copy(figure);
                ShowSolvedBands(scene, band, figure);
                EXPECT_EQ(canvas.ColourAt(band.left() + 1, band.top() + 33), kLightGreen) << what;
                ClearSolvedBands(scene, band, figure);
                EXPECT_EQ(canvas.Image().copy(figure), drawn) << what;
            }
        }
    }
    EXPECT_GT(moved, 0) << "some wide layout reaches the band's place";
}

}  // namespace
}  // namespace twistor
