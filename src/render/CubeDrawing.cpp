// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/CubeDrawing.h"

#include <QRegion>
#include <algorithm>
#include <stdexcept>

#include "cube/Tables.h"
#include "render/Palette.h"
#include "render/SidePanel.h"

namespace twistor {

namespace {

// Where a fill starts, right and below a cell's top-left corner: inside the
// cell for every size, as cells are at least 11 wide and 5 deep.
constexpr double kSeedOffset = 3;

// The grid of the three faces. Drawn in light grey it closes every top and
// right cell for the fills; drawn again in black it is the final grid.
void DrawGrid(Canvas& canvas, const Layout& g, Colour colour) {
    const int n = g.CubeSize;
    const int k = g.CellWidth;
    const int kh = g.CellHeight;
    const double left = g.FrontLeft;
    const double top = g.FrontTop;
    const double right = g.FrontRight;
    const double bottom = g.FrontBottom;
    const double depth = g.DepthSpan;
    const double step = g.DepthStep;

    // The front face's verticals and horizontals.
    for (int i = 0; i <= n; ++i) {
        canvas.Line(left + i * k, top, left + i * k, top + kh * n, colour);
    }
    for (int i = 0; i <= n; ++i) {
        canvas.Line(left, top + i * kh, left + k * n, top + i * kh, colour);
    }
    // The top face: lines receding from the front edge, then the cross lines
    // from the front towards the back edge, the last one that edge.
    for (int i = 0; i <= n; ++i) {
        canvas.Line(left + i * k, top, left + i * k + depth, top - depth, colour);
    }
    for (int i = 1; i <= n; ++i) {
        canvas.Line(left + i * step, top - i * step, right + i * step, top - i * step, colour);
    }
    // The right face, whose front edge and top receding line the front and
    // top faces drew: the other receding lines, then the verticals from the
    // front edge to the back. The verticals reach one pixel below the
    // receding bottom line so that rounding cannot open a gap between the two.
    for (int i = 1; i <= n; ++i) {
        canvas.Line(right, top + i * kh, right + depth, top + i * kh - depth, colour);
    }
    for (int i = 1; i <= n; ++i) {
        canvas.Line(right + i * step, top - i * step, right + i * step, bottom + 1 - i * step,
                    colour);
    }
}

// Clears the fixed cube area, and also the previous and the coming figure
// where they lie beyond it (as in a large window), sparing the side panel and
// the bands. The coming front face is left out: its squares and grid cover
// every pixel of it, so clearing it first would only cost time.
void ClearForFigure(Scene& scene, const Layout& g, const QRect& coming) {
    QRegion beyond = QRegion(scene.figureArea.united(coming));
    for (const QRect& keep :
         {kCubeArea, kSidePanelArea, kLeftBandArea, kRightBandArea, scene.rightBandShown}) {
        beyond -= keep;
    }
    const QRect front(QPoint(g.FrontLeft, g.FrontTop), QPoint(g.FrontRight, g.FrontBottom));
    const QRegion clear = (QRegion(kCubeArea) + beyond) - front;
    for (const QRect& r : clear) scene.canvas.FillRect(r.left(), r.top(), r.right(), r.bottom(), 0);
}

}  // namespace

FaceCell FaceCellAt(int corner, int col, int row, int n) {
    switch (corner) {
        case 1:
            return {col, row};
        case 2:
            return {row, n + 1 - col};
        case 3:
            return {n + 1 - col, n + 1 - row};
        default:
            return {n + 1 - row, col};
    }
}

QRect FigureBounds(const Layout& g) {
    return QRect(QPoint(g.FrontLeft, PixelOf(g.FrontTop - g.DepthSpan)),
                 QPoint(PixelOf(g.FrontRight + g.DepthSpan), g.FrontBottom + 1));
}

void DrawCube(Scene& scene, const Cube& cube, View view, const Layout& g) {
    if (!IsValidView(view)) throw std::invalid_argument("invalid view");
    if (g.CubeSize != cube.CubeSize()) {
        throw std::invalid_argument("layout and cube differ in size");
    }
    const int n = g.CubeSize;
    const int k = g.CellWidth;
    const int kh = g.CellHeight;
    const double depth = g.DepthSpan;
    const double step = g.DepthStep;

    const QRect figure = FigureBounds(g);
    ClearForFigure(scene, g, figure);
    scene.figureArea = figure;
    Canvas& canvas = scene.canvas;

    // Front face: squares inset by one pixel, leaving room for the grid.
    for (int row = 1; row <= n; ++row) {
        const int y = g.FrontTop + (row - 1) * kh;
        for (int col = 1; col <= n; ++col) {
            const int x = g.FrontLeft + (col - 1) * k;
            const FaceCell cell = FaceCellAt(view.FrontTurn, col, row, n);
            canvas.FillRect(x + 1, y + 1, x + k - 1, y + kh - 1,
                            cube.Sticker(cell.x, cell.y, view.FrontFace));
        }
    }

    DrawGrid(canvas, g, kBoundaryGrey);

    const tables::ShownFaces& shown = tables::kShownFaces[view.FrontTurn - 1][view.FrontFace - 1];
    // Top face: rows from the back edge towards the front, each row starting
    // one step further left and lower.
    for (int row = 1; row <= n; ++row) {
        const double y = g.FrontTop - depth + (row - 1) * step;
        const double rowLeft = g.FrontLeft + depth - (row - 1) * step;
        for (int col = 1; col <= n; ++col) {
            const FaceCell cell = FaceCellAt(shown.topCorner, col, row, n);
            canvas.FloodFill(rowLeft + (col - 1) * k + kSeedOffset, y + kSeedOffset,
                             cube.Sticker(cell.x, cell.y, shown.topFace));
        }
    }
    // Right face: rows from the top, each cell one step further back.
    for (int row = 1; row <= n; ++row) {
        for (int col = 1; col <= n; ++col) {
            const double x = g.FrontRight + (col - 1) * step;
            const double y = g.FrontTop + (row - 1) * kh - (col - 1) * step;
            const FaceCell cell = FaceCellAt(shown.rightCorner, col, row, n);
            canvas.FloodFill(x + kSeedOffset, y + kSeedOffset,
                             cube.Sticker(cell.x, cell.y, shown.rightFace));
        }
    }

    DrawGrid(canvas, g, kBackground);
}

void DrawSquareCursor(Canvas& canvas, const Layout& g, int column, int row) {
    const int left = g.FrontLeft + (column - 1) * g.CellWidth;
    const int top = g.FrontTop + (row - 1) * g.CellHeight;
    // Each frame as thick as a large square needs to stand out; one pixel
    // each on the smallest squares, which leaves their middle six wide.
    const int thick = std::max(1, g.CellWidth / 16);
    for (int inset = 1; inset <= 2 * thick; ++inset) {
        const Colour colour = inset <= thick ? kWhite : kBlack;
        const int l = left + inset, t = top + inset;
        const int r = left + g.CellWidth - inset, b = top + g.CellHeight - inset;
        canvas.FillRect(l, t, r, t, colour);
        canvas.FillRect(l, b, r, b, colour);
        canvas.FillRect(l, t, l, b, colour);
        canvas.FillRect(r, t, r, b, colour);
    }
}

}  // namespace twistor
