// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include "cube/Cube.h"
#include "cube/View.h"
#include "render/Canvas.h"
#include "render/Layout.h"
#include "render/Scene.h"

namespace twistor {

// Every figure clears this area first, whatever the layout.
inline constexpr QRect kCubeArea{QPoint(220, 0), QPoint(590, 1000)};

// The face cell (x, y) painted as cell (col, row) of a face whose painting
// starts at `corner` (1..4: at (1, 1), (1, N), (N, N), (N, 1)). The front
// face starts at the corner given by the view's FrontTurn.
struct FaceCell {
    int x;
    int y;
};
FaceCell FaceCellAt(int corner, int col, int row, int n);

// Every pixel the figure for `layout` can paint.
QRect FigureBounds(const Layout& layout);

// Paints the cube as seen from `view`: the front face as a grid of squares,
// the top and right faces as bands of parallelograms receding up and to the
// right. Clears the fixed cube area and wherever the last figure lay (apart
// from the side panel and the bands) first. Throws std::invalid_argument for
// an invalid view or a layout of another size than the cube.
void DrawCube(Scene& scene, const Cube& cube, View view, const Layout& layout);

// The keyboard's square cursor on the front-face square (column, row), both
// 1..N: a white frame just inside the square's grid lines and a black one
// inside that, so that it shows on every sticker colour. The middle of the
// square keeps its colour. DrawCube takes it away again.
void DrawSquareCursor(Canvas& canvas, const Layout& layout, int column, int row);

}  // namespace twistor
