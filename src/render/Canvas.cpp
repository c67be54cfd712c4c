// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Canvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "render/Palette.h"

namespace twistor {

namespace {

// Far beyond any window, yet safe to add to and subtract from as an int.
constexpr double kCoordinateLimit = 1 << 24;

// RGB32 pixels are always opaque, so a pixel with a clear alpha byte can only
// be one that the running fill has already painted.
constexpr QRgb kOpaque = 0xff000000u;

// Eight pixels at a time, which the compiler turns into vector stores; a
// plain std::fill stays one pixel per store at -O2.
void FillPixels(QRgb* first, int count, QRgb rgb) {
    for (; count >= 8; count -= 8, first += 8) {
        for (int i = 0; i < 8; ++i) first[i] = rgb;
    }
    for (; count > 0; --count) *first++ = rgb;
}

}  // namespace

int PixelOf(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::floor(std::clamp(v, -kCoordinateLimit, kCoordinateLimit) + 0.5));
}

QFont CanvasFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

namespace {

// Sharper than any screen needs, and never coarser than the pixel grid.
double UsableRatio(double ratio) {
    return std::isfinite(ratio) ? std::clamp(ratio, 1.0, 8.0) : 1.0;
}

int DeviceSize(int pixels, double ratio) {
    return static_cast<int>(std::ceil(std::max(pixels, 0) * ratio));
}

}  // namespace

Canvas::Canvas(int width, int height, double pixelRatio)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), ratio_(UsableRatio(pixelRatio)) {
    image_ = QImage(DeviceSize(width_, ratio_), DeviceSize(height_, ratio_), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(kPalette[0]);
    ink_.resize(static_cast<std::size_t>(image_.height()));
}

int Canvas::Device(double x) const {
    return ratio_ == 1 ? PixelOf(x) : PixelOf(x * ratio_);
}

void Canvas::AddInk(int top, int bottom, int left, int right) {
    top = std::max(top, 0);
    bottom = std::min(bottom, image_.height() - 1);
    left = std::max(left, 0);
    right = std::min(right, LastColumn());
    for (int y = top; y <= bottom; ++y) ink_[y].Add(left, right);
}

void Canvas::Resize(int width, int height, double pixelRatio) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const double ratio = UsableRatio(pixelRatio);
    if (width == width_ && height == height_ && ratio == ratio_) return;
    QImage resized(DeviceSize(width, ratio), DeviceSize(height, ratio), QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(kPalette[0]);
    const bool sameRatio = ratio == ratio_;
    if (sameRatio) {
        const int columns = std::min(resized.width(), image_.width());
        const int rows = std::min(resized.height(), image_.height());
        for (int y = 0; y < rows; ++y) {
            std::memcpy(resized.scanLine(y), image_.constScanLine(y),
                        static_cast<std::size_t>(columns) * sizeof(QRgb));
        }
    } else {
        // Pixel by pixel, so that the picture keeps its palette colours.
        QPainter painter(&resized);
        painter.drawImage(QPointF(0, 0), image_);
        painter.end();
    }
    image_ = std::move(resized);
    width_ = width;
    height_ = height;
    ratio_ = ratio;
    // Ink that was cut off no longer counts; a picture enlarged or reduced
    // may have ink anywhere.
    ink_.resize(static_cast<std::size_t>(image_.height()));
    for (Ink& row : ink_)
        row = sameRatio ? Ink{row.left, std::min(row.right, LastColumn())} : Ink{0, LastColumn()};
}

void Canvas::FillRect(int x1, int y1, int x2, int y2, Colour colour) {
    const int left = Device(std::min(x1, x2));
    const int right = Device(std::max(x1, x2) + 1.0) - 1;
    const int top = Device(std::min(y1, y2));
    const int bottom = Device(std::max(y1, y2) + 1.0) - 1;
    FillDevice(left, top, right, bottom, PaletteRgb(colour));
}

void Canvas::FillDevice(int left, int top, int right, int bottom, QRgb rgb) {
    const int from0 = std::max(left, 0);
    const int to0 = std::min(right, LastColumn());
    top = std::max(top, 0);
    bottom = std::min(bottom, image_.height() - 1);
    if (from0 > to0 || top > bottom) return;
    const bool black = rgb == kPalette[0];
    const Pixels pixels = Writable();
    for (int y = top; y <= bottom; ++y) {
        int from = from0;
        int to = to0;
        if (black) {
            // Only what may hold ink is painted; when that is all of it, the
            // row holds none afterwards.
            Ink& ink = ink_[y];
            from = std::max(from, ink.left);
            to = std::min(to, ink.right);
            if (from == ink.left && to == ink.right) ink = Ink{};
        } else {
            ink_[y].Add(from0, to0);
        }
        if (from <= to) FillPixels(pixels.Row(y) + from, to - from + 1, rgb);
    }
}

Canvas::Pixels Canvas::Writable() {
    return Pixels{reinterpret_cast<QRgb*>(image_.bits()),
                  image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))};
}

void Canvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
    const int px = PixelOf(x1);
    const int py = PixelOf(y1);
    const int pxEnd = PixelOf(x2);
    const int pyEnd = PixelOf(y2);
    if (py == pyEnd) {
        FillRect(px, py, pxEnd, py, colour);
        return;
    }
    if (px == pxEnd) {
        FillRect(px, py, px, pyEnd, colour);
        return;
    }
    // A slanted line runs in device pixels, from the first device pixel of
    // one end to that of the other, so it touches both end pixels. Its pen is
    // a whole number of device pixels no wider than a pixel: wider, it would
    // eat into the cells beside it at ratios such as 1.5.
    const int pen = std::max(1, static_cast<int>(ratio_));
    int x = Device(px);
    int y = Device(py);
    const int xEnd = Device(pxEnd);
    const int yEnd = Device(pyEnd);
    const int width = image_.width();
    const int height = image_.height();
    // Bresenham: one step along the longer axis at a time, so every pixel
    // touches the next at least at a corner and a 4-connected fill cannot
    // slip through.
    const QRgb rgb = PaletteRgb(colour);
    const bool black = rgb == kPalette[0];
    const Pixels pixels = Writable();
    const int dx = std::abs(xEnd - x);
    const int dy = -std::abs(yEnd - y);
    const int stepX = std::clamp(xEnd - x, -1, 1);  // level and upright lines were drawn above
    const int stepY = std::clamp(yEnd - y, -1, 1);
    int error = dx + dy;
    for (;;) {
        if (pen == 1) {
            if (x >= 0 && x < width && y >= 0 && y < height) {
                pixels.Row(y)[x] = rgb;
                if (!black) ink_[y].Add(x, x);
            }
        } else {
            FillDevice(x, y, x + pen - 1, y + pen - 1, rgb);
        }
        if (x == xEnd && y == yEnd) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Canvas::Text(int x, int y, const QString& text, Colour colour, int pixelSize) {
    if (image_.isNull()) return;
    const QFont font = CanvasFont(pixelSize);
    const QFontMetrics metrics(font);
    {
        QPainter painter(&image_);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(PaletteRgb(colour)));
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    }
    // Generous: glyphs may overhang their advance and the line height.
    if (PaletteRgb(colour) != kPalette[0]) {
        AddInk(Device(y - pixelSize), Device(y + 2 * pixelSize), Device(x - pixelSize),
               Device(x + metrics.horizontalAdvance(text) + pixelSize));
    }
}

void Canvas::FloodFill(double seedX, double seedY, Colour colour) {
    const int x0 = Device(PixelOf(seedX));
    const int y0 = Device(PixelOf(seedY));
    if (x0 < 0 || x0 >= image_.width() || y0 < 0 || y0 >= image_.height()) return;
    const Pixels pixels = Writable();
    const QRgb border = kPalette[7];
    const QRgb painted = PaletteRgb(colour) & ~kOpaque;
    const auto open = [&](QRgb p) { return p != border && p != painted; };
    const auto closed = [&](QRgb p) { return !open(p); };
    if (!open(pixels.Row(y0)[x0])) return;

    const int lastX = LastColumn();
    const int height = image_.height();
    fillScans_.clear();
    fillSpans_.clear();
    const auto paint = [&](QRgb* row, int y, int left, int right) {
        FillPixels(row + left, right - left + 1, painted);
        fillSpans_.push_back(Span{y, left, right});
    };
    const auto scan = [&](int y, int left, int right, int dir) {
        if (y >= 0 && y < height) fillScans_.push_back(Scan{y, left, right, dir});
    };

    // The open run through the open pixel x of a row, from its first pixel
    // to its last. These searches take most of a fill's time; std::find_if,
    // which libstdc++ unrolls to four pixels a step, does them a fifth faster
    // than a loop of one pixel a step, wherever the code happens to lie.
    const auto runStart = [&](const QRgb* row, int x) {
        const auto before = std::find_if(std::make_reverse_iterator(row + x),
                                         std::make_reverse_iterator(row), closed);
        return static_cast<int>(before.base() - row);
    };
    const auto runEnd = [&](const QRgb* row, int x) {
        return static_cast<int>(std::find_if(row + x + 1, row + lastX + 1, closed) - row) - 1;
    };

    // Span fill: paint the run of open pixels around the seed, then look for
    // open runs in the rows above and below it. A run found below that reaches
    // past its parent on either side is also looked at from above there, so
    // each row is read about once.
    QRgb* seedRow = pixels.Row(y0);
    const int left = runStart(seedRow, x0);
    const int right = runEnd(seedRow, x0);
    paint(seedRow, y0, left, right);
    scan(y0 - 1, left, right, -1);
    scan(y0 + 1, left, right, 1);
    while (!fillScans_.empty()) {
        const Scan s = fillScans_.back();
        fillScans_.pop_back();
        QRgb* row = pixels.Row(s.y);
        int x = s.left;
        while (x <= s.right) {
            if (!open(row[x])) {
                ++x;
                continue;
            }
            const int start = runStart(row, x);
            const int end = runEnd(row, x);
            paint(row, s.y, start, end);
            scan(s.y + s.dir, start, end, s.dir);
            if (start < s.left) scan(s.y - s.dir, start, s.left - 1, -s.dir);
            if (end > s.right) scan(s.y - s.dir, s.right + 1, end, -s.dir);
            x = end + 2;
        }
    }
    const QRgb rgb = painted | kOpaque;
    for (const Span& span : fillSpans_) {
        FillPixels(pixels.Row(span.y) + span.left, span.right - span.left + 1, rgb);
        if (rgb != kPalette[0]) ink_[span.y].Add(span.left, span.right);
    }
}

int Canvas::ColourAt(int x, int y) const {
    if (x < 0 || x >= Width() || y < 0 || y >= Height()) return -1;
    // Device(x) rounds x * ratio, which lies a pixel inside the image's width.
    const QRgb rgb = reinterpret_cast<const QRgb*>(image_.constScanLine(Device(y)))[Device(x)];
    const auto it = std::find(kPalette.begin(), kPalette.end(), rgb);
    return it == kPalette.end() ? -1 : static_cast<int>(it - kPalette.begin());
}

}  // namespace twistor
