#pragma once

#include <QPoint>
#include <QRect>

#include "render/Canvas.h"

namespace twistor {

// Text sizes in pixels: the window's own font, and the "Solved Cube!" bands.
inline constexpr int kWindowFontPixels = 13;
inline constexpr int kBandFontPixels = 32;

// Areas that belong to the side panel and the two "Solved Cube!" bands;
// clearing an old cube figure leaves them alone.
inline constexpr QRect kSidePanelArea{QPoint(0, 0), QPoint(200, 200)};
inline constexpr QRect kLeftBandArea{QPoint(7, 255), QPoint(208, 355)};
inline constexpr QRect kRightBandArea{QPoint(591, 167), QPoint(792, 267)};

// The two solving-mode boxes, which are also their click targets.
inline constexpr QRect kUserBox{QPoint(32, 32), QPoint(113, 65)};
inline constexpr QRect kComputerBox{QPoint(32, 96), QPoint(113, 129)};

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
void ShowSolvedBands(Canvas& canvas, const QRect& rightBand = kRightBandArea,
                     const QRect& figure = QRect());

// Whether the band at `band` shows its "Solved Cube!" box.
bool SolvedBandShown(const Canvas& canvas, const QRect& band);

// Both bands black (and the right band's earlier place, except where the
// figure is).
void ClearSolvedBands(Canvas& canvas, const QRect& rightBand = kRightBandArea,
                      const QRect& figure = QRect());

// The side panel black, as under an option panel.
void ClearSidePanel(Canvas& canvas);

}  // namespace twistor
