// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppIcon.h"

#include <QPainter>
#include <QPolygonF>
#include <array>
#include <cstdio>
#include <vector>

#include "render/Palette.h"

namespace twistor {
namespace {

// Drawn on a 256 x 256 grid: the front face a square, the top and right faces
// parallelograms that go back up and to the right, as in the game's window.
constexpr double kUnits = 256;
constexpr double kLeft = 16, kTop = 80, kSide = 160, kDepth = 64;
constexpr double kLine = 6;
constexpr int kLayers = 3;

struct Sticker {
    std::array<QPointF, 4> corners;
    int colour;
};

// The corner of face square (i, j) for i, j = 0..kLayers along the face's two
// edges from its origin.
QPointF Along(QPointF origin, QPointF across, QPointF down, int i, int j) {
    return origin + across * (double(i) / kLayers) + down * (double(j) / kLayers);
}

void AddFace(std::vector<Sticker>& out, QPointF origin, QPointF across, QPointF down,
             int topRowColour, int colour) {
    for (int j = 0; j < kLayers; ++j) {
        for (int i = 0; i < kLayers; ++i) {
            out.push_back(
                {{Along(origin, across, down, i, j), Along(origin, across, down, i + 1, j),
                  Along(origin, across, down, i + 1, j + 1), Along(origin, across, down, i, j + 1)},
                 j == 0 ? topRowColour : colour});
        }
    }
}

std::vector<Sticker> Stickers() {
    const QPointF back(kDepth, -kDepth);
    std::vector<Sticker> s;
    // Top yellow; front red and right blue, with the top layer turned a
    // quarter so the front shows blue and the right green along the top.
    AddFace(s, QPointF(kLeft, kTop) + back, QPointF(kSide, 0), -back, 14, 14);
    AddFace(s, QPointF(kLeft, kTop), QPointF(kSide, 0), QPointF(0, kSide), 9, 12);
    AddFace(s, QPointF(kLeft + kSide, kTop), back, QPointF(0, kSide), 10, 9);
    return s;
}

}  // namespace

std::string IconSvg() {
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n"
        "  <g stroke=\"#000000\" stroke-width=\"6\" stroke-linejoin=\"round\">\n";
    char buffer[160];
    for (const Sticker& st : Stickers()) {
        const QRgb c = PaletteRgb(st.colour);
        std::snprintf(buffer, sizeof buffer,
                      "    <path fill=\"#%02x%02x%02x\" d=\"M%g %gL%g %gL%g %gL%g %gZ\"/>\n",
                      qRed(c), qGreen(c), qBlue(c), st.corners[0].x(), st.corners[0].y(),
                      st.corners[1].x(), st.corners[1].y(), st.corners[2].x(), st.corners[2].y(),
                      st.corners[3].x(), st.corners[3].y());
        svg += buffer;
    }
    return svg + "  </g>\n</svg>\n";
}

QImage IconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = size / kUnits;
    p.scale(scale, scale);
    // At the smallest sizes a line narrower than a pixel would wash out.
    QPen pen(Qt::black, std::max(kLine, 1 / scale));
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    for (const Sticker& st : Stickers()) {
        p.setBrush(QColor(PaletteRgb(st.colour)));
        p.drawPolygon(st.corners.data(), static_cast<int>(st.corners.size()));
    }
    p.end();
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(IconImage(size)));
    return icon;
}

}  // namespace twistor
