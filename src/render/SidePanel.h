// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

#include "render/Canvas.h"
#include "render/Layout.h"
#include "render/Scene.h"

namespace twistor {

// Text sizes in pixels: the side panel's words, and the "Solved Cube!" bands.
inline constexpr int kPanelTextPixels = 13;
inline constexpr int kBandFontPixels = 32;

// Areas that belong to the side panel and the two "Solved Cube!" bands;
// clearing an old cube figure leaves them alone.
inline constexpr QRect kSidePanelArea{QPoint(0, 0), QPoint(200, 200)};
inline constexpr QRect kLeftBandArea{QPoint(7, 255), QPoint(208, 355)};
inline constexpr QRect kRightBandArea{QPoint(591, 167), QPoint(792, 267)};

// The two solving-mode boxes, which are also their click targets.
inline constexpr QRect kUserBox{QPoint(32, 32), QPoint(113, 65)};
inline constexpr QRect kComputerBox{QPoint(32, 96), QPoint(113, 129)};

// Whether a click at (x, y) lands on a box, its edges included.
inline bool OnBox(const QRect& box, double x, double y) {
    return x >= box.left() && x <= box.right() && y >= box.top() && y <= box.bottom();
}

// The hint for one computer move and the two mode boxes, the current mode's
// box highlighted.
void DrawSolvePanel(Canvas& canvas, bool computerSolves);

// Where the right band goes for a figure: its own place, unless the figure
// reaches into it (as in a wide window); then just right of the figure. The
// left band never moves.
QRect RightBandArea(const QRect& figure);

// The two "Solved Cube!" boxes, each with its band cleared around it. A
// right band shown before at another place is cleared, except where the
// figure is.
void ShowSolvedBands(Scene& scene, const QRect& rightBand = kRightBandArea,
                     const QRect& figure = QRect());

// Whether the band at `band` shows its "Solved Cube!" box.
bool SolvedBandShown(const Canvas& canvas, const QRect& band);

// Both bands black (and the right band's earlier place, except where the
// figure is).
void ClearSolvedBands(Scene& scene, const QRect& rightBand = kRightBandArea,
                      const QRect& figure = QRect());

// The same for the figure of `layout`, with the right band beside it.
void ShowSolvedBands(Scene& scene, const Layout& layout);
void ClearSolvedBands(Scene& scene, const Layout& layout);

// The two "Solved Cube!" boxes black, the right one where it was last
// shown, as when a puzzle is loaded over a solved cube.
void ClearSolvedBoxes(Scene& scene);

// The picture for a window of a new size, laid out as `layout`: everything
// but the side panel and the left band black, and the right band, if it
// showed its box, shown again beside the new figure.
void ClearForNewSize(Scene& scene, const Layout& layout);

// The side panel black, as under an option panel.
void ClearSidePanel(Canvas& canvas);

}  // namespace twistor
