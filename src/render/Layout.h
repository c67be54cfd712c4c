// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <utility>

namespace twistor {

// Where the cube figure lies in the drawing area. The front face is a square
// of FaceSpan pixels with its top-left corner at (FrontLeft, FrontTop); the
// top and right faces recede up and to the right by DepthSpan, DepthStep per
// cell. DepthSpan and DepthStep may be fractional.
struct Layout {
    int CubeSize;
    int CellWidth;
    int CellHeight;
    int FaceSpan;
    double DepthSpan;
    double DepthStep;
    int FrontLeft;
    int FrontTop;
    int FrontRight;
    int FrontBottom;
};

// The figure for an N-cube in a drawing area of width x height pixels: the
// front face's corner on a multiple of N, about 165 pixels left of and 65
// below the centre. Throws std::out_of_range for a size outside 2..20.
Layout ComputeLayout(int n, int width, int height);

// The geometry of a loaded puzzle of size N: cells and depth follow N (with
// a depth of half the face, not rounded), the front face keeps its corner.
// Throws std::out_of_range for a size outside 2..20.
void ApplyLoadedSize(Layout& layout, int n);

// The front-face square under (x, y) as (column, row), both 1..N from the
// top left. A point on a grid line or on the face's border hits nothing.
std::optional<std::pair<int, int>> HitScan(const Layout& layout, double x, double y);

// The pixel at the middle of the front-face square (column, row), both 1..N:
// where a player clicks to turn it. HitScan takes it back to (column, row).
std::pair<int, int> SquareCentre(const Layout& layout, int column, int row);

}  // namespace twistor
