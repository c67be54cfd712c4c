// SPDX-License-Identifier: GPL-3.0-or-later
// What each handler leaves on the screen, as a player sees it: the mode
// boxes, the caption, the controls and labels shown, and the menu.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <set>
#include <vector>

#include "Driver.h"
#include "app/DrawingArea.h"
#include "app/Widgets.h"
#include "render/Palette.h"
#include "storage/Settings.h"

namespace twistor {
namespace {

using testing::Game;
using testing::Screen;
using testing::Steps;

// One player action and the screen it leaves. "solve" solves the cube by
// hand; "user box" and "computer box" click the middle of a mode box, "cube"
// the middle of the front face's top-left square.
struct Act {
    const char* does;
    const char* screen;
};
// The screen the action before left.
constexpr const char* kUnchanged = nullptr;

void Play(Steps& steps, const Act& act) {
    const std::string does = act.does;
    if (does == "solve") {
        steps.solveByHand();
    } else {
        steps.then([does](CubeWindow& w) {
            if (does == "user box") return testing::ClickLine(kUserBox);
            if (does == "computer box") return testing::ClickLine(kComputerBox);
            if (does == "cube") return testing::ClickLine(w, 1, 1, "left");
            return does;
        });
    }
    steps.then([act](CubeWindow& w) {
        EXPECT_EQ(Screen(w), act.screen) << "after " << act.does;
        // A solved game cube takes no clicks while it waits for the next one.
        EXPECT_TRUE(!w.state().game.WaitingForNewCube || w.state().cube.IsSolved());
        return "#next";
    });
}

TEST(Handlers, EachLeavesTheScreenAPlayerExpects) {
    const char* kGameAfresh =
        R"(no box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown Label4 "Number of cubes solved: 0" Label5 "Difficulty level: 2" | off loadpuzzle savepuzzle | ticked gamemode by3 | New game)";
    const char* kGameSolved =
        R"(no box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown Command6 Command7 Label4 "Number of cubes solved: 1" Label5 "Difficulty level: 2" | off loadpuzzle savepuzzle | ticked gamemode by3 | New game)";
    const char* kPractice =
        R"(user box | Twistor Cube (Practice-mode) | shown | off | ticked usolve by3 | New puzzle)";
    const char* kPractice2 =
        R"(user box | Twistor Cube (Practice-mode) | shown | off | ticked usolve by2 | New puzzle)";
    const char* kComputer2 =
        R"(computer box | Twistor Cube (Practice-mode) | shown | off | ticked csolve by2 | New puzzle)";
    const Act acts[] = {
        {"passes 0", kPractice2},
        {"computer box", kComputer2},
        {"menu usolve", kPractice2},
        {"menu csolve", kComputer2},
        {"user box", kPractice2},
        {"key b", kUnchanged},
        {"menu by3",
         R"(user box | Twistor Cube (Practice-mode) | shown | off | ticked usolve by3 | New puzzle)"},
        {"menu difficulty\ntype Text1 4\npress Command3", kUnchanged},
        {"menu gamemode",
         R"(no box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown Label4 "Number of cubes solved: 0" Label5 "Difficulty level: 4" | off loadpuzzle savepuzzle | ticked gamemode by3 | New game)"},
        {"key b", kUnchanged},
        {"computer box", kUnchanged},
        {"solve",
         R"(no box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown Command6 Command7 Label4 "Number of cubes solved: 1" Label5 "Difficulty level: 4" | off loadpuzzle savepuzzle | ticked gamemode by3 | New game)"},
        {"key Tab\nkey Return",  // "Start new cube", by the keyboard
         R"(no box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown Label4 "Number of cubes solved: 1" Label5 "Difficulty level: 4" | off loadpuzzle savepuzzle | ticked gamemode by3 | New game)"},
        {"solve",
         R"(no box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown Command6 Command7 Label4 "Number of cubes solved: 2" Label5 "Difficulty level: 4" | off loadpuzzle savepuzzle | ticked gamemode by3 | New game)"},
        {"press Command7",
         R"(user box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown | off | ticked usolve by3 | New puzzle)"},
        {"menu gamemode",
         R"(no box | Twistor Cube (Solving "3 by 3 by 3" Twistor-cubes) | shown Label4 "Number of cubes solved: 0" Label5 "Difficulty level: 4" | off loadpuzzle savepuzzle | ticked gamemode by3 | New game)"},
        {"menu difficulty\ntype Text1 2\npress Command3", kUnchanged},
        {"menu newpuzzle", kGameAfresh},
        {"solve", kGameSolved},
        {"cube", kUnchanged},
        {"menu newpuzzle", kGameAfresh},  // right after a solve
        {"solve", kGameSolved},
        {"menu usolve", kPractice},
        {"menu gamemode", kGameAfresh},
        {"menu usolve", kPractice},  // the cube in play is left
        {"menu gamemode", kGameAfresh},
        {"solve", kGameSolved},
        {"menu csolve",
         R"(computer box | Twistor Cube (Practice-mode) | shown | off | ticked csolve by3 | New puzzle)"},
        {"menu newpuzzle", kUnchanged},
    };
    Game g(testing::SettingsLine(2, 1));
    Steps steps;
    const char* screen = kUnchanged;
    for (const Act& act : acts) {
        if (act.screen != kUnchanged) screen = act.screen;
        Play(steps, {act.does, screen});
    }
    g.Run(steps);
}

// The corners and the middle of a control, which take a click, and the
// pixels just outside its sides, which do not.
std::vector<QPoint> Inside(const QRect& r) {
    return {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()};
}

std::string ClicksJustOutside(const QRect& r) {
    const QPoint c = r.center();
    std::string lines;
    for (const QPoint p : {QPoint(r.left() - 1, c.y()), QPoint(r.right() + 1, c.y()),
                           QPoint(c.x(), r.top() - 1), QPoint(c.x(), r.bottom() + 1)})
        lines += testing::ClickLine(p) + "\n";
    return lines;
}

struct PanelCase {
    const char* item;
    const char* keys;  // how the keyboard opens it
    const char* closes;
    const char* keyCloses;  // how the keyboard presses that button
    std::set<std::string> controls;
    const char* first;  // the control that has the keyboard when it opens
    int stops;          // the controls Tab goes round
};

// Each panel, opened over practice mode, a game cube in play and a solved
// game cube with its buttons, shows its own controls only, keeps them while
// the player clicks just outside the button that closes it, closes on a
// click on that button, and leaves the screen exactly as it found it. The
// keyboard alone opens and closes it with the same result, from its first
// control, and Tab keeps to the panel. The puzzle panels are not offered in
// game mode.
TEST(Panels, ShowTheirOwnControlsAndLeaveTheScreenAsTheyFoundIt) {
    const std::set<std::string> colours = {"Command1", "Command2", "Command4", "Label2",  "Check1",
                                           "Check2",   "Check3",   "Check4",   "Check35", "Check36",
                                           "Check37",  "Check38",  "Check39",  "Check42", "Check43",
                                           "Check44",  "Check45",  "Check46"};
    const std::set<std::string> load = {"Command8", "Command9", "File2", "Label6", "Text3"};
    const std::set<std::string> save = {"Command10", "Command11", "File1", "Label7", "Text4"};
    const std::set<std::string> difficulty = {"Command3", "Label1", "Text1"};
    const std::set<std::string> time = {"Command5", "Label3", "Text2"};
    const PanelCase panels[] = {
        {"difficulty", "key F10\nkey d", "Command3", "key Return", difficulty, "Text1", 2},
        {"difficulty", "key Alt+O\nkey d", "Command3", "key Tab\nkey Space", difficulty, "Text1",
         2},
        {"choosetime", "key F10\nkey v\nkey m", "Command5", "key Escape", time, "Text2", 2},
        {"choosecolors", "key F10\nkey c", "Command1",
         "key Space\nkey Return\nkey Space\nkey Return", colours, "Check42", 9},
        {"loadpuzzle", "key Ctrl+O", "Command8", "key Return", load, "Text3", 4},
        {"loadpuzzle", "key Ctrl+O", "Command9", "key Escape", load, "Text3", 4},
        {"savepuzzle", "key Ctrl+S", "Command10", "key Tab\nkey Return", save, "Text4", 4},
        {"savepuzzle", "key Ctrl+S", "Command11", "key Escape", save, "Text4", 4},
    };
    Game g(testing::SettingsLine(2, 1));
    Steps steps;
    std::string before;
    for (const char* over : {"practice", "game", "buttons"}) {
        if (std::string(over) == "game") steps.then([](CubeWindow&) { return "menu gamemode"; });
        if (std::string(over) == "buttons") steps.solveByHand();
        const bool game = std::string(over) != "practice";
        for (const PanelCase& p : panels) {
            const auto button = [&p](CubeWindow& w) {
                return w.area()->findChild<QWidget*>(p.closes)->geometry();
            };
            const std::string item = p.item;
            const bool offered = !game || item.find("puzzle") == std::string::npos;
            // A click on the button's middle, then the keyboard alone.
            for (const std::size_t at : {std::size_t{4}, std::size_t{5}}) {
                const bool keyboard = at == 5;
                steps.then([&before, p, keyboard](CubeWindow& w) {
                    before = Screen(w) + "\n" + DumpState(w);
                    return keyboard ? std::string(p.keys) : "menu " + std::string(p.item);
                });
                if (!offered) {
                    steps.then([&before](CubeWindow& w) {
                        EXPECT_EQ(Screen(w) + "\n" + DumpState(w), before);
                        return "#next";
                    });
                    continue;
                }
                steps.then([p](CubeWindow&) {
                    EXPECT_EQ(QApplication::focusWidget()->objectName(), p.first) << p.item;
                    std::string tabs = "key Shift+Tab\nkey Tab";
                    for (int k = 0; k < p.stops; ++k) tabs += "\nkey Tab";
                    // Space unticks a colour box; the next step ticks it again.
                    return tabs + (p.first == std::string("Check42") ? "\nkey Space" : "");
                });
                for (int k = 0; k < 2; ++k) {
                    steps.then([p, over, button, k](CubeWindow& w) {
                        const auto* box = qobject_cast<QCheckBox*>(QApplication::focusWidget());
                        if (k == 0) {
                            EXPECT_EQ(QApplication::focusWidget()->objectName(), p.first)
                                << "Tab keeps to " << p.item;
                            EXPECT_FALSE(box && box->isChecked()) << "Space unticks";
                        }
                        EXPECT_EQ(VisibleControls(w), p.controls) << p.item << " over " << over;
                        for (const char* menu : {"solvingoptions", "newpuzzle", "loadpuzzle",
                                                 "savepuzzle", "difficulty", "choosecolors"})
                            EXPECT_FALSE(w.menuItem(menu)->isEnabled()) << menu << " in " << p.item;
                        for (const char* menu :
                             {"sizeofcube", "savesettings", "quit", "instructions"})
                            EXPECT_TRUE(w.menuItem(menu)->isEnabled()) << menu << " in " << p.item;
                        // Nor do the cube's keys and clicks reach the cube.
                        return k == 0 ? (box ? "key Space\n" : "") + ClicksJustOutside(button(w)) +
                                            "key Down\n" + testing::ClickLine(w, 2, 2, "left")
                                      : "#next";
                    });
                }
                steps.then([button, at, p](CubeWindow& w) {
                    if (at == 5) {
                        // The clicks just outside may have moved the keyboard.
                        w.area()->findChild<QWidget*>(p.first)->setFocus();
                        return std::string(p.keyCloses);
                    }
                    return testing::ClickLine(Inside(button(w))[at]);
                });
                steps.then([&before, p, over, at](CubeWindow& w) {
                    EXPECT_EQ(Screen(w) + "\n" + DumpState(w), before)
                        << p.closes << " over " << over << (at == 5 ? " by the keyboard" : "");
                    EXPECT_FALSE(w.state().panels.TakesInput);
                    return "#next";
                });
            }
        }
    }
    g.Run(steps);
}

// The drawn mode boxes and the colour boxes (whose whole colour takes the
// click) each take a click at their corners and middle, and not just outside.
TEST(Controls, TakeAClickOnTheirCornersAndMiddleButNotJustOutside) {
    Game g(testing::SettingsLine(2, 1));
    Steps steps;
    const auto clickEach = [&steps](std::function<QRect(CubeWindow&)> area,
                                    std::function<std::string(CubeWindow&)> before,
                                    std::function<bool(CubeWindow&)> clicked) {
        for (std::size_t at = 0; at < 5; ++at) {
            steps.then([=](CubeWindow& w) { return before(w) + ClicksJustOutside(area(w)); })
                .then([=](CubeWindow& w) {
                    EXPECT_FALSE(clicked(w)) << "just outside";
                    return testing::ClickLine(Inside(area(w))[at]);
                })
                .then([=](CubeWindow& w) {
                    EXPECT_TRUE(clicked(w)) << "corner or middle " << at << " of " << area(w).x();
                    return "#next";
                });
        }
    };
    const auto computer = [](CubeWindow& w) {
        return w.state().modes.SolveMode == Solver::Computer;
    };
    clickEach([](CubeWindow&) { return kComputerBox; },
              [](CubeWindow&) { return testing::ClickLine(kUserBox) + "\n"; }, computer);
    clickEach([](CubeWindow&) { return kUserBox; },
              [](CubeWindow&) { return testing::ClickLine(kComputerBox) + "\n"; },
              [&](CubeWindow& w) { return !computer(w); });
    // A colour box with the others unticked (six ticked leave the rest off).
    steps.then([](CubeWindow&) { return "menu choosecolors"; }).then([](CubeWindow& w) {
        std::string lines;
        for (const ColourChoice& c : w.controls().colourBoxes)
            if (c.box->isChecked()) lines += "press " + c.box->objectName().toStdString() + "\n";
        return lines;
    });
    const auto box = [](CubeWindow& w) { return w.controls().BoxOf(kYellow); };
    clickEach([box](CubeWindow& w) { return box(w)->geometry(); },
              [box](CubeWindow& w) { return box(w)->isChecked() ? "press Check1\n" : ""; },
              [box](CubeWindow& w) { return box(w)->isChecked(); });
    g.Run(steps);
}

// Words that cannot fit at any size end at the smallest size, never below.
TEST(FitText, StopsAtTheSmallestSize) {
    FittingLabel label(QString(200, 'W'), 16, nullptr);
    label.setGeometry(0, 0, 20, 10);
    FitText(&label, 16);
    EXPECT_EQ(label.font().pixelSize(), 7);
}

}  // namespace
}  // namespace twistor
