// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "Driver.h"
#include "app/DrawingArea.h"

namespace twistor {
namespace {

using testing::Game;
using testing::Steps;
using testing::Text;
using testing::UndoTopLine;

// Solved by a route the history does not fold away: six times a column up,
// the top row over, the column down and the row back, then (in a game) the
// scramble's moves undone by the clicks that undo them. The solved step must
// forget the history, or the computer would later scramble a solved cube,
// and a game counts the cube.
TEST(SolvedStep, ACubeSolvedByAnotherRouteForgetsItsHistoryAndCounts) {
    for (const bool game : {false, true}) {
        Game g(testing::SettingsLine(2, 0));
        Steps f;
        if (game) {
            // Down to the scramble's first move, from a view that can undo it.
            f.then([](CubeWindow&) { return "menu gamemode"; }).then([](CubeWindow& w) {
                const GameState& s = w.state();
                if (s.history.MoveCount() > 1) return "#again " + UndoTopLine(w);
                return std::string(ClickForMove(s.history.Top(), s.view, 2) ? "#next"
                                                                            : "#again key Down");
            });
        }
        f.then([](CubeWindow& w) {
             const GameState& s = w.state();
             std::string lines;
             for (int i = 0; i < 6; ++i) {
                 lines += testing::ClickLine(w, 2, 1, "left") + "\n" +
                          testing::ClickLine(w, 2, 1, "right") + "\n" +
                          testing::ClickLine(w, 2, 2, "left") + "\n" +
                          testing::ClickLine(w, 1, 1, "right") + "\n";
             }
             if (!s.history.Empty()) lines += UndoTopLine(w);
             return lines;
         }).then([game](CubeWindow& w) {
            EXPECT_TRUE(w.state().cube.IsSolved()) << game;
            EXPECT_TRUE(w.state().history.Empty()) << game;
            EXPECT_TRUE(SolvedBandShown(w.area()->canvas(), kLeftBandArea)) << game;
            EXPECT_EQ(VisibleControls(w).count("Command6") == 1, game);
            EXPECT_EQ(Text(w.controls().Label4),
                      game ? "Number of cubes solved: 1" : "Number of cubes solved: 0");
            return "";
        });
        g.Run(f);
    }
}

TEST(ComputerMode, EachMoveWaitsForTheTimerAndPracticeModeEndsTheWait) {
    Game g(testing::SettingsLine(3, 2, 5));
    int interval = -1;
    bool active = false;
    int movesDuringWait = -1;
    QElapsedTimer clock;
    qint64 waited = -1;
    Steps f;
    f.then([&](CubeWindow& w) {
         // Look at the loop while it holds the first move back.
         QTimer::singleShot(100, &w, [&, &w = w] {
             interval = w.timer()->interval();
             active = w.timer()->isActive();
             movesDuringWait = w.state().history.MoveCount();
         });
         return "menu csolve";
     }).then([&](CubeWindow& w) {
        EXPECT_TRUE(w.state().cube.IsSolved());
        EXPECT_EQ(interval, 500);
        EXPECT_TRUE(active);
        EXPECT_EQ(movesDuringWait, 2);
        EXPECT_FALSE(w.timer()->isActive());
        return "";
    });
    g.Run(f);

    // A long wait ends at once when the player takes over.
    Game h(testing::SettingsLine(3, 2, 50));
    Steps f2;
    f2.then([&](CubeWindow& w) {
          clock.start();
          QTimer::singleShot(100, &w, [&w = w] { w.menuItem("usolve")->trigger(); });
          return "menu csolve";
      }).then([&](CubeWindow& w) {
        waited = clock.elapsed();
        EXPECT_EQ(w.state().history.MoveCount(), 2) << "no move was made";
        EXPECT_EQ(w.state().modes.SolveMode, Solver::Player);
        return "";
    });
    h.Run(f2);
    EXPECT_LT(waited, 3000);
}

}  // namespace
}  // namespace twistor
