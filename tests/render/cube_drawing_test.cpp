#include <gtest/gtest.h>

#include <QImage>
#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <ostream>
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

// p in the face's cell units: (column, row), both 0..N across the face.
QPointF CellUnits(const Face& f, QPointF p) {
    const QPointF q = p - f.origin;
    const double det = f.col.x() * f.row.y() - f.col.y() * f.row.x();
    return {(q.x() * f.row.y() - q.y() * f.row.x()) / det,
            (f.col.x() * q.y() - f.col.y() * q.x()) / det};
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

// Reads every device pixel of a drawing: one at least two pixels inside a
// cell must have the colour expectedAt(side, col, row) gives, one two pixels
// clear of the figure must be black, and no grey may be left anywhere: no
// fill leaks, none misses part of its cell. Near the lines rounding decides.
// Counts how many pixels each cell had checked. Returns the wrong pixels.
int WrongPixels(const Canvas& canvas, const Layout& g, auto expectedAt, std::vector<int>& checked) {
    const int n = g.CubeSize;
    const QImage& image = canvas.Image();
    const double ratio = canvas.PixelRatio();
    constexpr double kMargin = 2 - 1e-9;  // a pixel exactly at 2 counts
    const auto faces = Faces(g);
    checked.assign(3 * n * n, 0);
    int wrong = 0;
    for (int dy = 0; dy < image.height(); ++dy) {
        for (int dx = 0; dx < image.width(); ++dx) {
            const int colour = DeviceColour(canvas, dx, dy);
            // The device pixel's centre, in pixels; pixel x itself at ratio 1.
            const QPointF p((dx + 0.5) / ratio - 0.5, (dy + 0.5) / ratio - 0.5);
            int expected = 0;
            for (int side : {kFront, kTop, kRight}) {
                const Face& f = faces[side];
                const QPointF u = CellUnits(f, p);
                const double colPixels = std::max(std::abs(f.col.x()), std::abs(f.col.y()));
                const double rowPixels = std::max(std::abs(f.row.x()), std::abs(f.row.y()));
                const auto within = [&](double v, double cellPixels, double margin) {
                    return v > margin / cellPixels && v < n - margin / cellPixels;
                };
                if (!within(u.x(), colPixels, -kMargin) || !within(u.y(), rowPixels, -kMargin)) {
                    continue;
                }
                const auto clear = [&](double v, double cellPixels) {
                    const double part = v - std::floor(v);
                    return std::min(part, 1 - part) * cellPixels >= kMargin;
                };
                if (!within(u.x(), colPixels, 0) || !within(u.y(), rowPixels, 0) ||
                    !clear(u.x(), colPixels) || !clear(u.y(), rowPixels)) {
                    expected = -1;  // near a line
                    break;
                }
                const int col = static_cast<int>(u.x()) + 1;
                const int row = static_cast<int>(u.y()) + 1;
                ++checked[(side * n + row - 1) * n + col - 1];
                expected = expectedAt(side, col, row);
                break;
            }
            const bool bad = colour == kBoundaryGrey || (expected >= 0 && colour != expected);
            if (bad && wrong++ < 5) {
                ADD_FAILURE() << "device pixel (" << dx << ", " << dy << ") is " << colour
                              << ", not " << expected;
            }
        }
    }
    return wrong;
}

// Each cell is filled edge to edge with the sticker its middle shows at
// ratio 1, and with nothing else: every size at ratio 1, with the rounded
// depth of a new cube and the unrounded depth of a loaded puzzle (laid out
// for a 2-cube before); and on high-density screens, where the figure lies
// where it lies at ratio 1.
struct DenseCase {
    double ratio;
    int n;
    bool loaded;
    int width;
    int height;
    int view;
};

void PrintTo(const DenseCase& c, std::ostream* os) {
    *os << "ratio " << c.ratio << ", N = " << c.n << (c.loaded ? " loaded" : "") << ", " << c.width
        << " x " << c.height << ", view " << c.view;
}

class HighDensity : public ::testing::TestWithParam<DenseCase> {};

TEST_P(HighDensity, EachCellIsFilledWithTheStickerItShowsAtRatioOne) {
    const DenseCase c = GetParam();
    Layout g = ComputeLayout(c.loaded ? 2 : c.n, c.width, c.height);
    if (c.loaded) ApplyLoadedSize(g, c.n);
    const Cube cube = PaintedCube(c.n, CheckerColour);
    const View view = ViewFromIndex(c.view);
    Scene plainScene(c.width, c.height);
    DrawCube(plainScene, cube, view, g);
    Scene denseScene(c.width, c.height, c.ratio);
    DrawCube(denseScene, cube, view, g);
    const Canvas& plain = plainScene.canvas;
    const Canvas& dense = denseScene.canvas;
    ASSERT_EQ(dense.Image().width(), static_cast<int>(std::ceil(c.width * c.ratio)));

    const auto faces = Faces(g);
    std::vector<int> checked;
    EXPECT_EQ(WrongPixels(
                  dense, g,
                  [&](int side, int col, int row) {
                      const QPoint p = CellCentre(faces[side], col, row);
                      const int shown = plain.ColourAt(p.x(), p.y());
                      return shown == 0 ? 99 : shown;  // a cell left black is wrong
                  },
                  checked),
              0);
    EXPECT_EQ(std::count(checked.begin(), checked.end(), 0), 0) << "cells too thin to check";
}

std::vector<DenseCase> DrawCases() {
    std::vector<DenseCase> cases;
    for (int n = 2; n <= 20; ++n) {
        for (const bool loaded : {false, true}) cases.push_back({1, n, loaded, kWidth, kHeight, 0});
    }
    cases.insert(
        cases.end(),
        {DenseCase{1.5, 2, false, kWidth, kHeight, 0}, DenseCase{1.5, 3, true, 1013, 677, 7},
         DenseCase{1.5, 7, false, 1280, 721, 13}, DenseCase{1.5, 9, true, kWidth, kHeight, 22},
         DenseCase{1.5, 20, false, 1001, 600, 5}, DenseCase{2, 2, true, 999, 601, 17},
         DenseCase{2, 3, false, kWidth, kHeight, 3}, DenseCase{2, 9, true, 1280, 721, 10},
         DenseCase{2, 13, false, 1013, 677, 20}, DenseCase{2, 20, true, kWidth, kHeight, 1}});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Ratios, HighDensity, ::testing::ValuesIn(DrawCases()));

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

// The figure's exact pixels, as a checksum of the colour numbers of every
// device pixel: new and loaded layouts, at every density. A change that
// moves a single pixel fails here; if it is meant, take the new sums.
TEST(DrawCube, PicturesStayPixelForPixel) {
    struct Case {
        double ratio;
        int n;
        bool loaded;
        int width;
        int height;
        int view;
        std::uint64_t sum;
    };
    for (const Case& c : {Case{1, 3, false, kWidth, kHeight, 0, 7235471527240883335u},
                          Case{1, 9, true, kWidth, kHeight, 5, 279550636804726495u},
                          Case{1, 20, false, 1013, 677, 11, 16323064696300911512u},
                          Case{1.5, 7, true, 1013, 677, 7, 8730841020148914937u},
                          Case{1.5, 2, false, kWidth, kHeight, 3, 115142996268377861u},
                          Case{2, 20, true, kWidth, kHeight, 1, 14491387945175344471u},
                          Case{2, 13, false, 1280, 721, 20, 1608640481766128163u},
                          Case{1, 4, false, 300, 200, 2, 13278833107584901727u},
                          Case{1.5, 5, true, 330, 250, 9, 8759580748813834972u}}) {
        Layout g = ComputeLayout(c.loaded ? 2 : c.n, c.width, c.height);
        if (c.loaded) ApplyLoadedSize(g, c.n);
        Scene scene(c.width, c.height, c.ratio);
        DrawCube(scene, SomeCube(c.n), ViewFromIndex(c.view), g);
        std::uint64_t sum = 14695981039346656037u;  // FNV-1a
        const QImage& image = scene.canvas.Image();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                sum = (sum ^ static_cast<std::uint64_t>(DeviceColour(scene.canvas, x, y) + 1)) *
                      1099511628211u;
            }
        }
        EXPECT_EQ(sum, c.sum) << "ratio " << c.ratio << ", N = " << c.n;
    }
}

}  // namespace
}  // namespace twistor
