#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include "Driver.h"

namespace twistor {
namespace {

using testing::Game;
using testing::UndoTopLine;
using testing::VisibleControls;

std::string Label(const CubeWindow& w, const char* name) {
    return static_cast<QLabel*>(w.control(name))->text().toStdString();
}

bool ButtonsShown(const CubeWindow& w) {
    const auto v = VisibleControls(w);
    return v.count("Command6") && v.count("Command7");
}

// A script made of steps: each runs when the game waits and returns the
// next command. A step may return "again" (the empty optional) to stay.
struct Flow {
    using Step = std::function<std::string(CubeWindow&)>;
    std::vector<Step> steps;
    std::size_t at = 0;

    Flow& then(Step s) {
        steps.push_back(std::move(s));
        return *this;
    }
    // Plays the history back by clicks (and arrow keys where needed) until
    // the cube is solved.
    Flow& solveByHand() {
        return then([](CubeWindow& w) -> std::string {
            return w.state().history.Empty() ? std::string("#solved") : "#again " + UndoTopLine(w);
        });
    }
    std::string operator()(CubeWindow& w) {
        while (at < steps.size()) {
            const std::string line = steps[at](w);
            if (line.rfind("#again ", 0) == 0) return line.substr(7);
            ++at;
            if (line != "#solved") return line;
        }
        return "";
    }
};

TEST(GameMode, CountsSolvedCubesAndOffersTheNextOne) {
    Game g(" 10  9  12  13  14  15  2  3  0 \r\n");
    Flow f;
    f.then([](CubeWindow&) { return "menu gamemode"; })
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 0");
            EXPECT_EQ(Label(w, "Label5"), "Difficulty level: 3");
            EXPECT_EQ(w.windowTitle().toStdString(),
                      "Twistor Cube (Solving \"2 by 2 by 2\" Twistor-cubes)");
            EXPECT_EQ(w.state().history.MoveCount(), 3);
            EXPECT_FALSE(ButtonsShown(w));
            EXPECT_EQ(w.menuItem("newpuzzle")->text().toStdString(), "New game");
            EXPECT_FALSE(w.menuItem("loadpuzzle")->isEnabled());
            EXPECT_FALSE(w.menuItem("savepuzzle")->isEnabled());
            return "key b";  // does nothing in game mode
        })
        .then([](CubeWindow& w) {
            EXPECT_EQ(w.state().modes.GameMode, 1);
            EXPECT_EQ(w.state().history.MoveCount(), 3);
            return "#solved";
        })
        .solveByHand()
        .then([](CubeWindow& w) {
            EXPECT_TRUE(w.state().cube.IsSolved());
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 1");
            EXPECT_TRUE(ButtonsShown(w));
            return "press Command6";
        })
        .then([](CubeWindow& w) {
            EXPECT_FALSE(ButtonsShown(w));
            EXPECT_EQ(w.state().history.MoveCount(), 3);
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 1");
            return "#solved";
        })
        .solveByHand()
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 2");
            return "press Command7";
        })
        .then([](CubeWindow& w) {
            EXPECT_EQ(w.state().modes.GameMode, 0);
            EXPECT_TRUE(w.menuItem("usolve")->isChecked());
            EXPECT_TRUE(VisibleControls(w).empty());
            EXPECT_EQ(testing::PixelAt(w, 112, 33), 11);
            EXPECT_EQ(w.menuItem("newpuzzle")->text().toStdString(), "New puzzle");
            EXPECT_TRUE(w.menuItem("loadpuzzle")->isEnabled());
            return "";
        });
    g.Run(std::ref(f));
    EXPECT_EQ(f.at, f.steps.size());
}

TEST(GameMode, NewGameMidCubeStartsTheCountAfreshWithoutButtons) {
    Game g(" 10  9  12  13  14  15  2  2  0 \r\n");
    Flow f;
    f.then([](CubeWindow&) { return "menu gamemode"; })
        .then([](CubeWindow& w) { return UndoTopLine(w); })  // one move into the cube
        .then([](CubeWindow&) { return "menu newpuzzle"; })
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 0");
            EXPECT_FALSE(ButtonsShown(w));
            EXPECT_FALSE(w.state().cube.IsSolved());
            return "#solved";
        })
        .solveByHand()
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 1");
            EXPECT_TRUE(ButtonsShown(w));
            return "menu newpuzzle";  // right after a solve
        })
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 0");
            EXPECT_FALSE(ButtonsShown(w)) << "the fresh scrambled cube hides them";
            return "#solved";
        })
        .solveByHand()
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 1");
            // While the buttons wait, clicks on the cube are not taken.
            const auto [x, y] = testing::SquareCentre(w, 1, 1);
            return "click " + std::to_string(x) + " " + std::to_string(y) + " left";
        })
        .then([](CubeWindow& w) {
            EXPECT_TRUE(w.state().cube.IsSolved());
            return "";
        });
    g.Run(std::ref(f));
    EXPECT_EQ(f.at, f.steps.size());
}

TEST(GameMode, AnAbandonedCubeAndTheFreshCubeOfANewGameDoNotCount) {
    Game g(" 10  9  12  13  14  15  2  2  0 \r\n");
    Flow f;
    f.then([](CubeWindow&) { return "menu gamemode"; })
        .then([](CubeWindow&) { return "menu usolve"; })
        .then([](CubeWindow& w) {
            EXPECT_TRUE(VisibleControls(w).empty());
            EXPECT_EQ(w.windowTitle().toStdString(), "Twistor Cube (Practice-mode)");
            return "menu gamemode";
        })
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 0");
            EXPECT_FALSE(ButtonsShown(w));
            return "#solved";
        })
        .solveByHand()
        .then([](CubeWindow& w) {
            EXPECT_EQ(Label(w, "Label4"), "Number of cubes solved: 1");
            return "";
        });
    g.Run(std::ref(f));
    EXPECT_EQ(f.at, f.steps.size());
}

TEST(GameMode, DifficultyZeroStillScramblesOnce) {
    Game g(" 10  9  12  13  14  15  3  0  0 \r\n");
    Flow f;
    f.then([](CubeWindow&) { return "menu gamemode"; }).then([](CubeWindow& w) {
        EXPECT_EQ(Label(w, "Label5"), "Difficulty level: 1");
        EXPECT_EQ(w.state().history.MoveCount(), 1);
        return "";
    });
    g.Run(std::ref(f));
}

TEST(ComputerMode, PlaysTheWholeHistoryBackAndThenWaits) {
    Game g(" 10  9  12  13  14  15  5  20  0 \r\n");
    Flow f;
    f.then([](CubeWindow& w) {
         EXPECT_EQ(w.state().history.MoveCount(), 20);
         // a few moves of the player's own in other views first
         return "key Down";
     })
        .then([](CubeWindow& w) {
            const auto [x, y] = testing::SquareCentre(w, 2, 1);
            return "click " + std::to_string(x) + " " + std::to_string(y) + " left\nkey t\nclick " +
                   std::to_string(x) + " " + std::to_string(y) + " left\nkey Left";
        })
        .then([](CubeWindow&) { return "menu csolve"; })
        .then([](CubeWindow& w) {
            EXPECT_TRUE(w.state().history.Empty());
            EXPECT_TRUE(w.state().cube.IsSolved());
            EXPECT_EQ(w.state().modes.SolveMode, 1);
            EXPECT_EQ(testing::PixelAt(w, 112, 97), 11) << "computer box highlighted";
            return "";
        });
    g.Run(std::ref(f));
    EXPECT_EQ(f.at, f.steps.size());
}

TEST(ComputerMode, WithAnEmptyHistoryMakesNoMove) {
    Game g(" 10  9  12  13  14  15  4  0  0 \r\n");
    Cube before(4);
    Flow f;
    f.then([&](CubeWindow& w) {
         before = w.state().cube;
         return "menu csolve";
     }).then([&](CubeWindow& w) {
        EXPECT_TRUE(w.state().cube == before);
        EXPECT_EQ(w.state().view, (View{1, 1}));
        return "";
    });
    g.Run(std::ref(f));
}

TEST(ComputerMode, EachMoveWaitsForTheTimerAndPracticeModeEndsTheWait) {
    Game g(" 10  9  12  13  14  15  3  2  5 \r\n");
    int interval = -1;
    bool active = false;
    int movesDuringWait = -1;
    QElapsedTimer clock;
    qint64 waited = -1;
    Flow f;
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
    g.Run(std::ref(f));
    EXPECT_EQ(f.at, f.steps.size());

    // A long wait ends at once when the player takes over.
    Game h(" 10  9  12  13  14  15  3  2  50 \r\n");
    Flow f2;
    f2.then([&](CubeWindow& w) {
          clock.start();
          QTimer::singleShot(100, &w, [&w = w] { w.menuItem("usolve")->trigger(); });
          return "menu csolve";
      }).then([&](CubeWindow& w) {
        waited = clock.elapsed();
        EXPECT_EQ(w.state().history.MoveCount(), 2) << "no move was made";
        EXPECT_EQ(w.state().modes.SolveMode, 0);
        return "";
    });
    h.Run(std::ref(f2));
    EXPECT_LT(waited, 3000);
}

TEST(Sizes, ChoosingASizeWaitsForNewPuzzleAndEverySizeSolves) {
    Game g(" 10  9  12  13  14  15  2  3  0 \r\n");
    int size = 3;
    Flow f;
    for (; size <= 20; ++size) {
        const int k = size;
        f.then([k](CubeWindow&) { return "menu by" + std::to_string(k); })
            .then([k](CubeWindow& w) {
                EXPECT_EQ(w.state().cube.CubeSize(), k - 1) << "the cube in play stays";
                EXPECT_TRUE(w.menuItem(QString("by%1").arg(k))->isChecked());
                EXPECT_FALSE(w.menuItem(QString("by%1").arg(k - 1))->isChecked());
                return "menu newpuzzle";
            })
            .then([k](CubeWindow& w) {
                EXPECT_EQ(w.state().cube.CubeSize(), k);
                EXPECT_EQ(w.state().history.MoveCount(), 3);
                EXPECT_EQ(w.state().layout.CellWidth, 230 / k);
                return "menu csolve";
            })
            .then([k](CubeWindow& w) {
                EXPECT_TRUE(w.state().cube.IsSolved()) << "size " << k;
                return "menu usolve";
            });
    }
    g.Run(std::ref(f));
    EXPECT_EQ(f.at, f.steps.size());
}

}  // namespace
}  // namespace twistor
