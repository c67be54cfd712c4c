// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <algorithm>
#include <limits>
#include <vector>

#include "cube/Cube.h"

namespace twistor {

// The pixel a fractional coordinate falls on; halves round up. Lines and
// fill seeds round alike, so a seed computed from a line's end point lands
// where that line was drawn.
int PixelOf(double v);

// The font of every text on the canvas. No antialiasing: the image holds
// only palette colours, so what it shows can be read back as colour numbers.
QFont CanvasFont(int pixelSize);

// The persistent off-screen picture the window shows. Everything is painted
// in colour numbers; coordinates are pixels, origin top left, and anything
// off the image is silently dropped.
//
// On a high-density screen the image holds `pixelRatio` device pixels to the
// pixel: every position and size below stays in (logical) pixels, while
// lines, fills and text are drawn at the device's resolution. A pixel covers
// the device pixels from Device(x) up to Device(x + 1), so rectangles that
// meet in pixels meet in device pixels too. At ratio 1 the two are the same.
class Canvas {
  public:
    // A black picture. Text needs a QGuiApplication; the rest does not.
    Canvas(int width, int height, double pixelRatio = 1);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // In device pixels, with its device pixel ratio set.
    const QImage& Image() const { return image_; }

    // Keeps what overlaps the new size; new area is black. A new ratio keeps
    // the picture enlarged or reduced pixel by pixel until it is drawn again.
    void Resize(int width, int height, double pixelRatio);
    void Resize(int width, int height) { Resize(width, height, ratio_); }

    // The first device pixel of the pixel at x (or y).
    int Device(double x) const;

    // The rectangle with corners (x1, y1) and (x2, y2), both included.
    void FillRect(int x1, int y1, int x2, int y2, Colour colour);

    // A one-pixel line from one end point to the other, both included.
    void Line(double x1, double y1, double x2, double y2, Colour colour);

    // (x, y) is the top-left corner of the first character; the pixels
    // between the glyphs keep their colour.
    void Text(int x, int y, const QString& text, Colour colour, int pixelSize);

    // Paints everything 4-connected to the seed that is not light grey
    // (colour 7): light-grey pixels are the border, even a diagonal line of
    // them. A seed on the border or off the image paints nothing.
    void FloodFill(double x, double y, Colour colour);

    // The colour number of a pixel (of its first device pixel); -1 off the
    // image (or for a colour that is not in the palette, which nothing here
    // paints).
    int ColourAt(int x, int y) const;

  private:
    // A run a fill has painted; and a stretch of row y still to look at,
    // lying next to a run painted in row y - dir.
    struct Span {
        int y;
        int left;
        int right;
    };
    struct Scan {
        int y;
        int left;
        int right;
        int dir;
    };

    // Direct access to the pixels for one operation. Taking it detaches the
    // image from any copy the window holds, so that copy stays as it was.
    struct Pixels {
        QRgb* base;
        qsizetype stride;
        QRgb* Row(int y) const { return base + y * stride; }
    };
    Pixels Writable();

    // The columns of one row that may hold something other than black. Black
    // rectangles paint only inside it: clearing a large, mostly black area,
    // as every cube redraw does, then costs next to nothing.
    struct Ink {
        int left = std::numeric_limits<int>::max();
        int right = std::numeric_limits<int>::min();
        void Add(int from, int to) {
            left = std::min(left, from);
            right = std::max(right, to);
        }
    };
    void AddInk(int top, int bottom, int left, int right);
    int LastColumn() const { return image_.width() - 1; }
    // Device pixels, corners included, clipped to the image.
    void FillDevice(int left, int top, int right, int bottom, QRgb rgb);

    int width_ = 0;
    int height_ = 0;
    double ratio_ = 1;
    QImage image_;
    std::vector<Ink> ink_;
    // Kept between fills so that a redraw of 800 cells allocates nothing.
    std::vector<Scan> fillScans_;
    std::vector<Span> fillSpans_;
};

}  // namespace twistor
