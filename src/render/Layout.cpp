// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Layout.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "cube/Cube.h"

namespace twistor {

namespace {

// Division rounding towards minus infinity: a window narrower than the
// figure puts its corner at a negative multiple of N, not at zero.
int FloorDiv(int a, int b) {
    return static_cast<int>(std::floor(static_cast<double>(a) / b));
}

void CheckSize(int n) {
    if (!IsValidCubeSize(n)) {
        throw std::out_of_range("cube size " + std::to_string(n) + " is outside 2..20");
    }
}

void SetCells(Layout& layout, int n) {
    layout.CubeSize = n;
    layout.CellWidth = 230 / n;
    layout.CellHeight = layout.CellWidth;
    layout.FaceSpan = layout.CellWidth * n;
}

void SetFarEdges(Layout& layout) {
    layout.FrontRight = layout.FrontLeft + layout.FaceSpan;
    layout.FrontBottom = layout.FrontTop + layout.FaceSpan;
}

}  // namespace

Layout ComputeLayout(int n, int width, int height) {
    CheckSize(n);
    Layout layout{};
    SetCells(layout, n);
    layout.FrontLeft = FloorDiv(FloorDiv(width, 2) - 115 - 50, n) * n;
    layout.FrontTop = FloorDiv(FloorDiv(height, 2) - 115 + 50, n) * n;
    SetFarEdges(layout);
    layout.DepthSpan = (115 / n) * n;
    layout.DepthStep = layout.DepthSpan / n;
    return layout;
}

void ApplyLoadedSize(Layout& layout, int n) {
    CheckSize(n);
    SetCells(layout, n);
    layout.DepthSpan = layout.FaceSpan / 2.0;
    layout.DepthStep = layout.DepthSpan / n;
    SetFarEdges(layout);
}

std::optional<std::pair<int, int>> HitScan(const Layout& layout, double x, double y) {
    // A layout not yet computed (all zero) has no squares.
    const int n = layout.CubeSize;
    if (!IsValidCubeSize(n) || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    const double column = std::floor((x - layout.FrontLeft) / layout.CellWidth);
    const double row = std::floor((y - layout.FrontTop) / layout.CellHeight);
    if (column < 0 || column >= n || row < 0 || row >= n) return std::nullopt;
    const int c = static_cast<int>(column);
    const int r = static_cast<int>(row);
    // Squares are open: their grid lines (the left and top of each square)
    // belong to none of them.
    if (x == layout.FrontLeft + c * layout.CellWidth ||
        y == layout.FrontTop + r * layout.CellHeight) {
        return std::nullopt;
    }
    return std::pair{c + 1, r + 1};
}

std::pair<int, int> SquareCentre(const Layout& layout, int column, int row) {
    return {layout.FrontLeft + (column - 1) * layout.CellWidth + layout.CellWidth / 2,
            layout.FrontTop + (row - 1) * layout.CellHeight + layout.CellHeight / 2};
}

}  // namespace twistor
