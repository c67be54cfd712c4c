// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <algorithm>
#include <initializer_list>

#include "render/Canvas.h"
#include "render/Palette.h"

namespace twistor {

// Pixels of `colour` inside r (corners included), clipped to the canvas.
inline int CountColour(const Canvas& canvas, const QRect& r, int colour) {
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) count += canvas.ColourAt(x, y) == colour;
    }
    return count;
}

// Pixels inside r, clipped to the canvas, whose colour is none of `allowed`.
inline int CountOther(const Canvas& canvas, QRect r, std::initializer_list<int> allowed) {
    r &= QRect(0, 0, canvas.Width(), canvas.Height());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            count +=
                std::find(allowed.begin(), allowed.end(), canvas.ColourAt(x, y)) == allowed.end();
        }
    }
    return count;
}

// The colour number of a device pixel, or -1.
inline int DeviceColour(const Canvas& canvas, int x, int y) {
    const QRgb rgb = canvas.Image().pixel(x, y) | 0xff000000u;
    const auto it = std::find(kPalette.begin(), kPalette.end(), rgb);
    return it == kPalette.end() ? -1 : static_cast<int>(it - kPalette.begin());
}

inline QRect Corners(int x1, int y1, int x2, int y2) {
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

// The device pixels of r.
inline QRect DeviceRect(const Canvas& canvas, const QRect& r) {
    return QRect(QPoint(canvas.Device(r.left()), canvas.Device(r.top())),
                 QPoint(canvas.Device(r.right() + 1) - 1, canvas.Device(r.bottom() + 1) - 1));
}

inline QRect Whole(const Canvas& canvas) {
    return QRect(0, 0, canvas.Width(), canvas.Height());
}

}  // namespace twistor
