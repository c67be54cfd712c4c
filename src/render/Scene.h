// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include "render/Canvas.h"

namespace twistor {

// The picture the window shows, and what the drawing remembers about it so
// that the next drawing clears what is stale and nothing else.
struct Scene {
    Scene(int width, int height, double pixelRatio = 1) : canvas(width, height, pixelRatio) {}

    Canvas canvas;
    // Where the last cube figure lies. Not valid before the first.
    QRect figureArea;
    // Where the right "Solved Cube!" band was last painted or cleared; it
    // moves with the figure in wide windows. Not valid before the first.
    QRect rightBandShown;
};

}  // namespace twistor
