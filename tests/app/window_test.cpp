// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>

#include "Driver.h"
#include "app/AppIcon.h"
#include "app/DrawingArea.h"
#include "render/Palette.h"

namespace twistor {
namespace {

using testing::Game;
using testing::Steps;

TEST(Clicks, OffTheSquaresOrOffTheEdgesMoveNothing) {
    Game g(testing::SettingsLine(3, 2));
    Cube before(2);
    Steps steps;
    steps
        .then([&](CubeWindow& w) {
            before = w.state().cube;
            const Layout& l = w.state().layout;
            const int K = l.CellWidth, L = l.FrontLeft, T = l.FrontTop, M = K + K / 2;
            // The line between two squares, the left and the top border, the
            // middle square with either button, the middle row with the left
            // button, the right face, the top face and the ground.
            const auto click = [](int x, int y, const char* button) {
                return "click " + std::to_string(x) + " " + std::to_string(y) + " " + button + "\n";
            };
            return click(L + K, T + K / 2, "left") + click(L, T + K / 2, "right") +
                   click(L + K / 2, T, "left") + click(L + M, T + M, "left") +
                   click(L + M, T + M, "right") + click(L + K / 2, T + M, "left") +
                   click(l.FrontRight + 10, T + 20, "left") + click(L + 20, T - 10, "left") +
                   click(700, 500, "left");
        })
        .then([&](CubeWindow& w) {
            EXPECT_TRUE(w.state().cube == before);
            EXPECT_EQ(w.state().history.MoveCount(), 2);
            // A click with the middle button on an edge square does nothing either.
            const auto [x, y] = SquareCentre(w.state().layout, 1, 1);
            w.OnAreaPress(4, x, y);
            return "passes 1";
        })
        .then([&](CubeWindow& w) {
            EXPECT_TRUE(w.state().cube == before);
            return "";
        });
    g.Run(steps);
}

// Every visible label's and button's words lie inside its own box (a
// button's inside its frame) as the condensed face lays them out, and no
// other visible control lies on them. Returns how many texts it looked at.
int ExpectTextFits(CubeWindow& w, const std::string& where) {
    const auto controls = w.area()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    int texts = 0;
    for (QWidget* c : controls) {
        auto* label = qobject_cast<QLabel*>(c);
        auto* button = dynamic_cast<WrapButton*>(c);
        if (c->isHidden() || (!label && !button)) continue;
        ++texts;
        const std::string what = where + ", " + c->objectName().toStdString();
        EXPECT_EQ(QFontInfo(c->font()).family().toStdString(), "DejaVu Sans Condensed") << what;
        const QFontMetrics fm(c->font());
        QRect room = button ? button->CaptionRect() : label->contentsRect();
        QRect text = fm.boundingRect(
            room, button ? WrapButton::kCaptionFlags : static_cast<int>(label->alignment()),
            c->property("text").toString());
        if (label) {  // a label's line is taller than its box: its letters must not be
            const QRect ink = fm.tightBoundingRect(label->text()).translated(0, fm.ascent());
            text = QRect(text.left(), text.top() + ink.top(), text.width(), ink.height());
        }
        EXPECT_TRUE(room.contains(text)) << what;
        text.translate(c->pos());
        for (QWidget* other : controls) {
            EXPECT_TRUE(other == c || other->isHidden() || !other->geometry().intersects(text))
                << what << " runs under " << other->objectName().toStdString();
        }
    }
    return texts;
}

// Each panel in turn, then game mode with a solved cube and its buttons.
TEST(Panels, EveryTextFitsItsBoxAndNoControlLiesOnIt) {
    for (const std::string area : {"area 792 540", "area maximized"}) {
        Game g(testing::SettingsLine(3, 1));
        g.preamble = area;
        int texts = 0;
        Steps steps;
        for (const char* step :
             {"menu difficulty", "press Command3", "menu choosecolors", "press Command1",
              "menu loadpuzzle", "press Command9", "menu choosetime", "press Command5",
              "menu savepuzzle", "press Command11", "menu gamemode"}) {
            steps.then([&texts, area, step](CubeWindow& w) {
                texts += ExpectTextFits(w, area + ", before " + step);
                return step;
            });
        }
        steps.solveByHand().then([&texts, area](CubeWindow& w) {
            EXPECT_TRUE(VisibleControls(w).count("Command6")) << area;
            texts += ExpectTextFits(w, area + ", solved");
            return "";
        });
        g.Run(steps);
        EXPECT_GE(texts, 2 + 4 + 2 + 3 + 3 + 4) << area;  // each panel's and a game's at least
        EXPECT_EQ(g.window().area()->width() > 792, area == "area maximized");
    }
}

// Restored, the window fits the screen, centred, at three quarters of it
// but never below the drawing area's least size. A new puzzle takes the
// whole screen again after the player made the window smaller.
TEST(Resize, RestoreFitsTheScreenAndNewPuzzleTakesItAgain) {
    Game g(testing::SettingsLine(3, 1));
    g.preamble = "area maximized";
    QSize screen;
    Steps steps;
    steps
        .then([&](CubeWindow& w) {
            screen = w.size();
            // What a window manager restores the window to.
            const QRect restored = w.normalGeometry();
            const QRect available = w.screen()->availableGeometry();
            EXPECT_EQ(restored.size(), (available.size() * 3 / 4).expandedTo(w.minimumSizeHint()));
            EXPECT_TRUE(available.contains(restored));
            EXPECT_LE(std::abs(restored.center().x() - available.center().x()), 1);
            w.showNormal();
            w.resize(screen - QSize(0, 150));
            return "key x";
        })
        .then([&](CubeWindow& w) {
            EXPECT_EQ(w.size(), screen - QSize(0, 150));
            return "menu newpuzzle";
        })
        .then([&](CubeWindow& w) {
            EXPECT_EQ(w.size(), screen);
            return "";
        });
    g.Run(steps);
}

// The icon at 256 pixels: the front face's three rows, its top row turned a
// quarter (blue over the red), and nothing drawn below the figure.
TEST(AppIcon, ShowsTheFrontFaceWithItsTopRowTurned) {
    const QImage icon = IconImage(256);
    EXPECT_EQ(icon.pixel(96, 107), PaletteRgb(kLightBlue));
    for (const int y : {160, 213}) EXPECT_EQ(icon.pixel(96, y), PaletteRgb(kLightRed)) << y;
    EXPECT_EQ(qAlpha(icon.pixel(96, 250)), 0);
}

}  // namespace
}  // namespace twistor
