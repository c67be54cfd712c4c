// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SidePanel.h"

#include <QFontMetrics>
#include <QRegion>
#include <QString>
#include <algorithm>

#include "render/CubeDrawing.h"
#include "render/Palette.h"

namespace twistor {

namespace {

void Fill(Canvas& canvas, const QRect& r, Colour colour) {
    canvas.FillRect(r.left(), r.top(), r.right(), r.bottom(), colour);
}

constexpr int kBandBoxWidth = 194;
constexpr int kBandBoxHeight = 42;
const QString kSolvedText = QStringLiteral("Solved Cube!");

// The words at the band size unless they would run past the box: black
// letters beyond the green box would vanish into the background.
int SolvedTextPixels() {
    static const int pixels = [] {
        int size = kBandFontPixels;
        while (size > 1 &&
               QFontMetrics(CanvasFont(size)).horizontalAdvance(kSolvedText) > kBandBoxWidth) {
            --size;
        }
        return size;
    }();
    return pixels;
}

// One band: a light-green box with the words, and black above and below it
// to wipe whatever the band held.
void ShowBand(Canvas& canvas, const QRect& band, int boxTop) {
    const int left = band.left() + 1;
    const int boxBottom = boxTop + kBandBoxHeight - 1;
    canvas.FillRect(left, boxTop, left + kBandBoxWidth - 1, boxBottom, kLightGreen);
    canvas.Text(left, boxTop + 2, kSolvedText, kBlack, SolvedTextPixels());
    canvas.FillRect(band.left(), band.top(), band.right(), boxTop - 1, kBlack);
    canvas.FillRect(band.left(), boxBottom + 1, band.right(), band.bottom(), kBlack);
}

}  // namespace

void DrawSolvePanel(Canvas& canvas, bool computerSolves) {
    canvas.Text(10, 140, QStringLiteral("(Press \"b\" for one move)"), kLightGreen,
                kPanelTextPixels);
    Fill(canvas, kUserBox, computerSolves ? kWhite : kLightCyan);
    Fill(canvas, kComputerBox, computerSolves ? kLightCyan : kWhite);
    canvas.Text(33, 33, QStringLiteral("User Solves"), kBlack, kPanelTextPixels);
    canvas.Text(33, 49, QStringLiteral("Cube"), kBlack, kPanelTextPixels);
    canvas.Text(33, 97, QStringLiteral("Computer"), kBlack, kPanelTextPixels);
    canvas.Text(33, 113, QStringLiteral("Solves Cube"), kBlack, kPanelTextPixels);
}

namespace {

// Clears where a right band was shown before, when it is not where the band
// goes now, sparing the figure.
void ClearEarlierRightBand(Scene& scene, const QRect& rightBand, const QRect& figure) {
    const QRect earlier = scene.rightBandShown;
    if (earlier.isValid() && earlier != rightBand) {
        for (const QRect& r : QRegion(earlier) - QRegion(rightBand) - QRegion(figure))
            Fill(scene.canvas, r, kBlack);
    }
    scene.rightBandShown = rightBand;
}

}  // namespace

QRect RightBandArea(const QRect& figure) {
    if (!figure.intersects(kRightBandArea)) return kRightBandArea;
    return kRightBandArea.translated(figure.right() + 1 - kRightBandArea.left(), 0);
}

void ShowSolvedBands(Scene& scene, const QRect& rightBand, const QRect& figure) {
    ClearEarlierRightBand(scene, rightBand, figure);
    ShowBand(scene.canvas, kLeftBandArea, 288);
    ShowBand(scene.canvas, rightBand, rightBand.top() + 33);
}

void ClearSolvedBands(Scene& scene, const QRect& rightBand, const QRect& figure) {
    ClearEarlierRightBand(scene, rightBand, figure);
    Fill(scene.canvas, kLeftBandArea, kBlack);
    Fill(scene.canvas, rightBand, kBlack);
}

void ShowSolvedBands(Scene& scene, const Layout& layout) {
    const QRect figure = FigureBounds(layout);
    ShowSolvedBands(scene, RightBandArea(figure), figure);
}

void ClearSolvedBands(Scene& scene, const Layout& layout) {
    const QRect figure = FigureBounds(layout);
    ClearSolvedBands(scene, RightBandArea(figure), figure);
}

void ClearSolvedBoxes(Scene& scene) {
    const QRect band = scene.rightBandShown.isValid() ? scene.rightBandShown : kRightBandArea;
    const int shift = band.left() - kRightBandArea.left();
    scene.canvas.FillRect(5, 280, 205, 335, kBlack);
    scene.canvas.FillRect(590 + shift, 190, 800 + shift, 300, kBlack);
}

bool SolvedBandShown(const Canvas& canvas, const QRect& band) {
    // The box's top-left pixel: the words start two pixels below it.
    return canvas.ColourAt(band.left() + 1, band.top() + 33) == kLightGreen;
}

void ClearForNewSize(Scene& scene, const Layout& layout) {
    Canvas& canvas = scene.canvas;
    const QRect oldBand = scene.rightBandShown.isValid() ? scene.rightBandShown : kRightBandArea;
    const bool bandShown = SolvedBandShown(canvas, oldBand);
    const QRegion rest =
        QRegion(0, 0, canvas.Width(), canvas.Height()) - kSidePanelArea - kLeftBandArea;
    for (const QRect& r : rest) Fill(canvas, r, kBlack);
    scene.figureArea = QRect();
    const QRect figure = FigureBounds(layout);
    scene.rightBandShown = RightBandArea(figure);
    if (bandShown) ShowSolvedBands(scene, RightBandArea(figure), figure);
}

void ClearSidePanel(Canvas& canvas) {
    Fill(canvas, kSidePanelArea, kBlack);
}

}  // namespace twistor
