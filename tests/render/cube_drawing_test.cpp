#include <gtest/gtest.h>

#include <QImage>
#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

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

// Every colour a sticker may have: all but black and the fills' grey.
constexpr std::array<Colour, 14> kFaceColours = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15};

int StickerNumber(int x, int y, int f, int n) {
    return ((f - 1) * n + (y - 1)) * n + (x - 1);
}

Cube PaintedCube(int n, auto colourOf) {
    Cube cube(n);
    for (int f = 1; f <= 6; ++f) {
        for (int y = 1; y <= n; ++y) {
            for (int x = 1; x <= n; ++x) cube.SetSticker(x, y, f, colourOf(x, y, f));
        }
    }
    return cube;
}

Cube SomeCube(int n) {
    return PaintedCube(n,
                       [](int x, int y, int f) { return kFaceColours[(x * 5 + y * 3 + f) % 14]; });
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
            return kFaceColours[(StickerNumber(x, y, f, n) / place) % 14];
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
                    EXPECT_EQ(front[r][c], StickerNumber(c + 1, r + 1, v.FrontFace, n));
                }
                EXPECT_EQ(turned[c][n - 1 - r], front[r][c]);
            }
        }
        EXPECT_EQ(shown[i][kTop], tipped);
        EXPECT_EQ(shown[i][kRight], swung);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShownFaces, ::testing::Values(2, 3, 4, 9, 20));

// Neighbouring cells differ in colour, and each shown face has colours of its
// own, so a fill that leaks into a neighbour or the background shows.
Colour CheckerColour(int x, int y, int f) {
    static constexpr Colour kFront[] = {6, 8, 14, 15};
    static constexpr Colour kTop[] = {1, 2, 3, 4, 5};
    static constexpr Colour kRight[] = {9, 10, 11, 12, 13};
    if (f == 1) return kFront[(x + 2 * y) % 4];
    if (f == 2) return kTop[(x + 2 * y) % 5];
    return f == 6 ? kRight[(x + 2 * y) % 5] : 15;
}

// New and loaded layouts of every size at ratio 1, with the rounded depth of
// a new cube and the unrounded depth of a loaded puzzle (laid out for a
// 2-cube before); and on high-density screens, where the figure lies where
// it lies at ratio 1.
struct Drawing {
    double ratio;
    int n;
    bool loaded;
    int width;
    int height;
    int view;
};

std::vector<Drawing> DrawCases() {
    std::vector<Drawing> cases;
    for (int n = 2; n <= 20; ++n) {
        for (const bool loaded : {false, true}) cases.push_back({1, n, loaded, kWidth, kHeight, 0});
    }
    cases.insert(cases.end(),
                 {Drawing{1.5, 2, false, kWidth, kHeight, 0}, Drawing{1.5, 3, true, 1013, 677, 7},
                  Drawing{1.5, 7, false, 1280, 721, 13}, Drawing{1.5, 9, true, kWidth, kHeight, 22},
                  Drawing{1.5, 20, false, 1001, 600, 5}, Drawing{2, 2, true, 999, 601, 17},
                  Drawing{2, 3, false, kWidth, kHeight, 3}, Drawing{2, 9, true, 1280, 721, 10},
                  Drawing{2, 13, false, 1013, 677, 20}, Drawing{2, 20, true, kWidth, kHeight, 1}});
    return cases;
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
        DrawCube(scene, SomeCube(n), View{5, 3}, g);
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

// The figure's exact pixels: one checksum over every pixel of the drawings
// above and of two in windows narrower than the figure. A change that moves
// a single pixel fails here; if it is meant, take the new sum once the
// pictures are right. No light grey is ever left: no fill leaks out of its
// cell, none misses part of it.
TEST(DrawCube, PicturesStayPixelForPixel) {
    std::vector<Drawing> cases = DrawCases();
    cases.push_back({1, 4, false, 300, 200, 2});
    cases.push_back({1.5, 5, true, 330, 250, 9});
    std::uint64_t sum = 14695981039346656037u;  // FNV-1a, a pixel at a time
    int grey = 0;
    for (const Drawing& c : cases) {
        Layout g = ComputeLayout(c.loaded ? 2 : c.n, c.width, c.height);
        if (c.loaded) ApplyLoadedSize(g, c.n);
        Scene scene(c.width, c.height, c.ratio);
        DrawCube(scene, PaintedCube(c.n, CheckerColour), ViewFromIndex(c.view), g);
        const QImage& image = scene.canvas.Image();
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                sum = (sum ^ line[x]) * 1099511628211u;
                grey += line[x] == kPalette[kBoundaryGrey];
            }
        }
    }
    EXPECT_EQ(grey, 0);
    EXPECT_EQ(sum, 14047168052862808931u);
}

}  // namespace
}  // namespace twistor
