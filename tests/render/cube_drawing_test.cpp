// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPointF>
#include <QRegion>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "../cube/TestCubes.h"
#include "Pixels.h"
#include "cube/Cube.h"
#include "cube/View.h"
#include "render/Canvas.h"
#include "render/CubeDrawing.h"
#include "render/Layout.h"
#include "render/SidePanel.h"

namespace twistor {
namespace {

constexpr int kWidth = 792;
constexpr int kHeight = 540;

// Every colour a sticker may have: all but black and the fills' light grey.
constexpr std::array<Colour, 14> kFaceColours = {
    kDarkBlue,  kDarkGreen,  kDarkCyan,  kDarkRed,  kDarkMagenta,  kDarkYellow, kDarkGrey,
    kLightBlue, kLightGreen, kLightCyan, kLightRed, kLightMagenta, kYellow,     kWhite};

using testing::CellNumber;

Cube PaintedCube(int n, auto colourOf) {
    Cube cube(n);
    testing::ForEachCell(n,
                         [&](int x, int y, int f) { cube.SetSticker(x, y, f, colourOf(x, y, f)); });
    return cube;
}

// The three visible faces as the figure's geometry has them: a corner and
// the steps to the next column and row. On top, rows run from the back edge
// to the front; on the right, columns run from the front edge to the back.
enum Side { kFront, kTop, kRight };
struct Face {
    QPointF origin;
    QPointF col;
    QPointF row;
};

std::array<Face, 3> Faces(const Layout& g) {
    const double k = g.CellWidth;
    const double d = g.DepthStep;
    return {{{QPointF(g.FrontLeft, g.FrontTop), {k, 0}, {0, k}},
             {QPointF(g.FrontLeft + g.DepthSpan, g.FrontTop - g.DepthSpan), {k, 0}, {-d, d}},
             {QPointF(g.FrontRight, g.FrontTop), {d, -d}, {0, k}}}};
}

QPoint CellCentre(const Face& f, int col, int row) {
    const QPointF p = f.origin + (col - 0.5) * f.col + (row - 0.5) * f.row;
    return {PixelOf(p.x()), PixelOf(p.y())};
}

// Which sticker each screen cell shows, indexed [side][row - 1][col - 1].
// Fourteen colours cannot tell 6 N^2 stickers apart, so the cube is drawn
// once per base-14 digit of the sticker numbers and the digits read back.
using Shown = std::array<std::vector<std::vector<int>>, 3>;

Shown ShownStickers(const Layout& g, View view) {
    const int n = g.CubeSize;
    Shown shown;
    shown.fill(std::vector<std::vector<int>>(n, std::vector<int>(n, 0)));
    for (int place = 1; place < 6 * n * n; place *= 14) {
        const Cube cube = PaintedCube(n, [&](int x, int y, int f) {
            return kFaceColours[(CellNumber(x, y, f, n) / place) % 14];
        });
        Scene scene(kWidth, kHeight);
        DrawCube(scene, cube, view, g);
        const Canvas& canvas = scene.canvas;
        for (int side : {kFront, kTop, kRight}) {
            for (int row = 1; row <= n; ++row) {
                for (int col = 1; col <= n; ++col) {
                    const QPoint p = CellCentre(Faces(g)[side], col, row);
                    const auto* it = std::find(kFaceColours.begin(), kFaceColours.end(),
                                               canvas.ColourAt(p.x(), p.y()));
                    EXPECT_NE(it, kFaceColours.end()) << "not a face colour";
                    shown[side][row - 1][col - 1] +=
                        static_cast<int>(it - kFaceColours.begin()) * place;
                }
            }
        }
    }
    return shown;
}

class ShownFaces : public ::testing::TestWithParam<int> {};

// What the figure shows follows from three facts: an upright face shows its
// (x, y) at column x, row y; "t" turns the picture a quarter clockwise; and
// turning the whole cube brings the top ("Down") or the right face ("Left")
// to the front as it was seen.
TEST_P(ShownFaces, EveryCellShowsWhatTheWholeCubeTurnsBringToTheFront) {
    const int n = GetParam();
    Layout g = ComputeLayout(n, kWidth, kHeight);
    if (n % 2 == 1) ApplyLoadedSize(g, n);  // fractional depth steps
    std::vector<Shown> shown;
    for (int i = 0; i < 24; ++i) shown.push_back(ShownStickers(g, ViewFromIndex(i)));
    for (int i = 0; i < 24; ++i) {
        const View v = ViewFromIndex(i);
        SCOPED_TRACE(std::to_string(v.FrontFace) + "/" + std::to_string(v.FrontTurn));
        const auto& front = shown[i][kFront];
        const auto& turned = shown[ViewIndex(TurnWholeCube(v, CubeKey::T))][kFront];
        const auto& tipped = shown[ViewIndex(TurnWholeCube(v, CubeKey::Down))][kFront];
        const auto& swung = shown[ViewIndex(TurnWholeCube(v, CubeKey::Left))][kFront];
        for (int r = 0; r < n; ++r) {
            for (int c = 0; c < n; ++c) {
                if (v.FrontTurn == 1) {
                    EXPECT_EQ(front[r][c], CellNumber(c + 1, r + 1, v.FrontFace, n));
                }
                EXPECT_EQ(turned[c][n - 1 - r], front[r][c]);
            }
        }
        EXPECT_EQ(shown[i][kTop], tipped);
        EXPECT_EQ(shown[i][kRight], swung);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShownFaces, ::testing::Values(2, 3, 4, 9, 20));

// Neighbouring cells differ in colour, and the front, top and right faces of
// the first view have colours of their own, so a fill that leaks into a
// neighbour shows. No sticker is white, the ground the tests draw on.
Colour CheckerColour(int x, int y, int f) {
    static constexpr Colour kFront[] = {kDarkYellow, kDarkGrey, kYellow};
    if (f == 2) return static_cast<Colour>(kDarkBlue + (x + 2 * y) % 5);   // to dark magenta
    if (f == 6) return static_cast<Colour>(kLightBlue + (x + 2 * y) % 5);  // to light magenta
    return kFront[(x + 2 * y) % 3];
}

// The fixed cube area does not follow the layout: after a size change, or in
// a large window where the figure lies beside it, an old figure must not
// leave pixels behind. The result must equal a drawing on a fresh canvas.
TEST(DrawCube, SizeChangesLeaveNoStalePixels) {
    const auto withPanel = [](int width, int height) {
        Scene scene(width, height);
        DrawSolvePanel(scene.canvas, false);
        ShowSolvedBands(scene);
        return scene;
    };
    const auto draw = [](Scene& scene, int n, const Layout& g) {
        DrawCube(scene, PaintedCube(n, CheckerColour), View{5, 3}, g);
    };
    const auto fresh = [&](int width, int height, int n) {
        Scene scene = withPanel(width, height);
        draw(scene, n, ComputeLayout(n, width, height));
        return scene.canvas.Image();
    };
    Scene big = withPanel(1920, 1080);
    draw(big, 3, ComputeLayout(3, 1920, 1080));
    draw(big, 20, ComputeLayout(20, 1920, 1080));
    EXPECT_TRUE(big.canvas.Image() == fresh(1920, 1080, 20)) << "new size, same window";
    big.canvas.Resize(1200, 800);  // the old figure is partly inside the new size
    draw(big, 20, ComputeLayout(20, 1200, 800));
    EXPECT_TRUE(big.canvas.Image() == fresh(1200, 800, 20)) << "smaller window";

    Scene small = withPanel(kWidth, kHeight);
    draw(small, 2, ComputeLayout(2, kWidth, kHeight));
    small.canvas.Resize(1600, 900);  // maximized
    draw(small, 4, ComputeLayout(4, 1600, 900));
    Layout loaded = ComputeLayout(4, 1600, 900);
    ApplyLoadedSize(loaded, 7);
    draw(small, 7, loaded);
    draw(small, 5, ComputeLayout(5, 1600, 900));
    EXPECT_TRUE(small.canvas.Image() == fresh(1600, 900, 5)) << "larger window";
}

// New and loaded layouts of every size at ratio 1, with the rounded depth of
// a new cube and the unrounded depth of a loaded puzzle (laid out for a
// 2-cube before); then on high-density screens, where the figure lies where
// it lies at ratio 1, in wide windows where it reaches the right band's place
// and in narrow ones that cut it.
struct Drawing {
    double ratio;
    int n;
    bool loaded;
    int width = kWidth;
    int height = kHeight;
    int view = 0;
};

std::vector<Drawing> DrawCases() {
    std::vector<Drawing> cases;
    for (int n = 2; n <= 20; ++n) {
        for (const bool loaded : {false, true}) cases.push_back({1, n, loaded});
    }
    cases.insert(cases.end(), {{1.5, 2, false},
                               {1.5, 3, true, 1013, 677, 7},
                               {1.5, 7, false, 1280, 721, 13},
                               {1.5, 9, true, kWidth, kHeight, 22},
                               {1.5, 20, false, 1001, 600, 5},
                               {2, 2, true, 999, 601, 17},
                               {2, 3, false, kWidth, kHeight, 3},
                               {2, 9, true, 1280, 721, 10},
                               {2, 13, false, 1013, 677, 20},
                               {2, 20, true, kWidth, kHeight, 1},
                               {1, 4, false, 300, 200, 2},
                               {1.5, 5, true, 330, 250, 9},
                               {1, 20, false, 1920, 1080, 4},
                               {1, 12, true, 1100, kHeight, 6}});
    return cases;
}

// Each drawing's exact pixels, as a checksum (FNV-1a) per drawing: a change
// that moves a single pixel names the drawing it moved in; if it is meant,
// take the new sums once the pictures are right. No light grey is ever left
// (no fill leaks out of its cell, none misses part of it), and the figure
// lies in its bounds: the ring around them is untouched, and the faces'
// colours reach their right edge. The right band keeps its own place unless
// the figure reaches it, and then lies just right of the figure; showing and
// clearing the bands never touches the figure.
TEST(DrawCube, PicturesStayPixelForPixelInTheirBoundsBesideTheBands) {
    constexpr std::uint32_t kSums[] = {
        0x61d41ea5, 0x37901415, 0xdc8fa15d, 0x087bcf9d, 0x268a398d, 0xa30c2861, 0xa054e50f,
        0xa6d4ea3b, 0xf0c17b83, 0xd42bd623, 0xba6048c8, 0x1e1738ba, 0xa3afaa2c, 0xd8b7e4a4,
        0x1805e4cd, 0x120cc4cd, 0xd2a8e535, 0x24dedef1, 0xfaab327d, 0x3c15724d, 0x653a1625,
        0x4690cebd, 0x36f08215, 0xde19808d, 0xc1a8c1f5, 0xace59575, 0x47ab11dd, 0x0ac1d1f1,
        0x0110c26f, 0xf7a28b4f, 0x0dcb0ca5, 0xaf62d0ad, 0x3a1ce8cc, 0x914904c4, 0x5b7ec7f4,
        0xf8b436dc, 0xbef5a6b9, 0x13e38eb9, 0xea757e01, 0xbb4979c5, 0x932b3ad7, 0xde3844f5,
        0x5e98ee6e, 0xc87b67b1, 0x949080dd, 0x60f23b69, 0xc2132829, 0x5f63a0d1, 0x35ba5d45,
        0xc079da0e, 0x0944b018, 0x4e5cb5e5};
    const std::vector<Drawing> cases = DrawCases();
    ASSERT_EQ(cases.size(), std::size(kSums));
    int moved = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Drawing& c = cases[i];
        SCOPED_TRACE(::testing::Message()
                     << "size " << c.n << (c.loaded ? " loaded" : " new") << " in " << c.width
                     << "x" << c.height << " at ratio " << c.ratio << ", view " << c.view);
        Layout g = ComputeLayout(c.loaded ? 2 : c.n, c.width, c.height);
        if (c.loaded) ApplyLoadedSize(g, c.n);
        Scene scene(c.width, c.height, c.ratio);
        Canvas& canvas = scene.canvas;
        canvas.FillRect(0, 0, c.width - 1, c.height - 1, kWhite);
        DrawCube(scene, PaintedCube(c.n, CheckerColour), ViewFromIndex(c.view), g);
        std::uint32_t sum = 2166136261u;
        int grey = 0;
        const QImage& image = canvas.Image();
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                sum = (sum ^ line[x]) * 16777619u;
                grey += line[x] == kPalette[kLightGrey];
            }
        }
        EXPECT_EQ(sum, kSums[i]);
        EXPECT_EQ(grey, 0);

        const QRect figure = FigureBounds(g);
        for (const QRect& r : QRegion(figure.adjusted(-3, -3, 3, 3)) - figure - kCubeArea)
            EXPECT_EQ(CountOther(canvas, r, {kWhite}), 0);
        if (!Whole(canvas).contains(figure)) continue;  // a window narrower than the figure
        const QRect rightColumn(figure.right() - 1, figure.top(), 1, figure.height());
        EXPECT_GT(CountOther(canvas, rightColumn, {kBlack, kWhite}), 0);

        const QRect band = RightBandArea(figure);
        if (figure.intersects(kRightBandArea)) {
            ++moved;
            EXPECT_EQ(band,
                      kRightBandArea.translated(figure.right() + 1 - kRightBandArea.left(), 0));
        } else {
            EXPECT_EQ(band, kRightBandArea);
        }
        const QImage drawn = image.copy(DeviceRect(canvas, figure));
        ShowSolvedBands(scene, band, figure);
        EXPECT_TRUE(SolvedBandShown(canvas, band));
        ClearSolvedBands(scene, band, figure);
        EXPECT_EQ(image.copy(DeviceRect(canvas, figure)), drawn);
    }
    EXPECT_GT(moved, 0) << "some wide layout reaches the band's place";
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
