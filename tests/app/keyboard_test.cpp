// SPDX-License-Identifier: GPL-3.0-or-later
// The whole game without a mouse: the square cursor and its slice turns,
// the menus and their shortcuts, and what a screen reader is told.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QMenu>
#include <sstream>

#include "Driver.h"
#include "app/DrawingArea.h"
#include "app/KeyBindings.h"
#include "render/CubeDrawing.h"
#include "render/Palette.h"

namespace twistor {
namespace {

using testing::Game;
using testing::Steps;

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

// The click a Ctrl+arrow stands for: on the edge square of the cursor's
// column (left button) or row (right button). Nothing without a cursor.
std::string MatchingClick(const CubeWindow& w, const std::string& key) {
    const Cursor& c = w.state().cursor;
    const int n = w.state().cube.CubeSize();
    if (!c.Shown) return "";
    if (key == "Ctrl+Up") return testing::ClickLine(w, c.Column, 1, "left");
    if (key == "Ctrl+Down") return testing::ClickLine(w, c.Column, n, "left");
    if (key == "Ctrl+Left") return testing::ClickLine(w, 1, c.Row, "right");
    return testing::ClickLine(w, n, c.Row, "right");
}

// The sticker shown at the front face's square (column, row).
int ShownSticker(const CubeWindow& w, int column, int row) {
    const GameState& s = w.state();
    const FaceCell cell = FaceCellAt(s.view.FrontTurn, column, row, s.cube.CubeSize());
    return s.cube.Sticker(cell.x, cell.y, s.view.FrontFace);
}

// Just inside the square's grid lines: the cursor's white frame, or the sticker.
int FrameColour(CubeWindow& w, int column, int row) {
    const Layout& l = w.state().layout;
    return testing::PixelAt(w, l.FrontLeft + (column - 1) * l.CellWidth + 1,
                            l.FrontTop + (row - 1) * l.CellHeight + 1);
}

// The help lists the keys in two columns: the keys from the third, their
// words from the eighteenth, on a line of their own when the keys leave no
// room, and no line past the seventy-ninth column.
TEST(Keyboard, TheHelpListsEveryKeyInTwoColumns) {
    std::istringstream help(KeysHelp());
    int keyLines = 0;
    for (std::string line; std::getline(help, line);) {
        EXPECT_LE(line.size(), 79u) << line;
        const std::size_t words = line.find_first_not_of(' ', line.find("  ", 2));
        if (line.rfind("                 ", 0) != 0) ++keyLines;
        EXPECT_TRUE(words == 17 || (line.find_first_not_of(' ') == 2 && words == std::string::npos))
            << line;
    }
    EXPECT_EQ(keyLines, 17);
}

// Each Ctrl+arrow gives exactly the game that the matching click gives: the
// same stickers, view and history after every key, in several views.
TEST(Keyboard, CtrlArrowsTurnExactlyAsTheMatchingClicks) {
    const std::pair<int, const char*> cases[] = {
        {2, "Ctrl+Up Shift+Up Ctrl+Up Ctrl+Left t Ctrl+Down Ctrl+Right Shift+Right Ctrl+Up"},
        {3,
         "Shift+Down Ctrl+Left Down Ctrl+Up Shift+Left Ctrl+Down r Ctrl+Right Shift+Up "
         "Ctrl+Up Left Ctrl+Left"},
        {20, "Shift+Left Ctrl+Down Right Ctrl+Left Shift+Up Ctrl+Up r Ctrl+Right"},
    };
    for (const auto& [size, keys] : cases) {
        std::string clicks;  // the same game, played with the mouse
        Game byKeys(testing::SettingsLine(size, 3));
        Steps steps;
        for (const std::string& key : Words(keys)) {
            steps.then([&clicks, key](CubeWindow& w) {
                if (key.rfind("Ctrl+", 0) == 0)
                    clicks += MatchingClick(w, key) + "\n";
                else if (key.rfind("Shift+", 0) != 0)
                    clicks += "key " + key + "\n";
                clicks += "dump\n";
                return "key " + key + "\ndump";
            });
        }
        byKeys.Run(steps);
        Game byMouse(testing::SettingsLine(size, 3));
        byMouse.Run(clicks);
        EXPECT_EQ(byKeys.output(), byMouse.output()) << "size " << size;
        EXPECT_NE(byKeys.output().find("moves 4\n"), std::string::npos) << "size " << size;
    }
}

// The first Shift+arrow shows the cursor in the middle (up and left of it
// for an even size); it never leaves the face; it is drawn only once shown,
// and every square's middle keeps its sticker's colour.
TEST(Keyboard, TheCursorStartsInTheMiddleStaysOnTheFaceAndLeavesTheMiddlesAlone) {
    for (const int n : {2, 3, 7, 20}) {
        Game g(testing::SettingsLine(n, 2));
        Steps steps;
        steps.then([n](CubeWindow& w) {
            EXPECT_FALSE(w.state().cursor.Shown);
            const int mid = (n + 1) / 2;
            EXPECT_EQ(FrameColour(w, mid, mid), ShownSticker(w, mid, mid)) << "no cursor yet";
            return "key Shift+Right";
        });
        steps.then([n](CubeWindow& w) {
            const Cursor& c = w.state().cursor;
            EXPECT_TRUE(c.Shown);
            EXPECT_EQ(c.Column, n / 2 + n % 2);  // 1 of 2, 2 of 3, 4 of 7, 10 of 20
            EXPECT_EQ(c.Row, c.Column);
            return "#next";
        });
        for (const auto& [key, column, row] : {std::tuple{"Shift+Left", 1, (n + 1) / 2},
                                               {"Shift+Up", 1, 1},
                                               {"Shift+Right", n, 1},
                                               {"Shift+Down", n, n},
                                               {"Shift+Left", 1, n}}) {
            std::string presses;
            for (int k = 0; k <= n; ++k) presses += std::string("key ") + key + "\n";
            steps.then([presses](CubeWindow&) { return presses + "key t"; });
            steps.then([n, key = key, column = column, row = row](CubeWindow& w) {
                const Cursor& c = w.state().cursor;
                EXPECT_EQ(c.Column, column) << key << " on size " << n;
                EXPECT_EQ(c.Row, row) << key << " on size " << n;
                EXPECT_EQ(FrameColour(w, c.Column, c.Row), kWhite);
                for (int y = 1; y <= n; ++y) {
                    for (int x = 1; x <= n; ++x) {
                        const auto [px, py] = SquareCentre(w.state().layout, x, y);
                        EXPECT_EQ(testing::PixelAt(w, px, py), ShownSticker(w, x, y));
                    }
                }
                return "#next";
            });
        }
        g.Run(steps);
    }
}

// While the menu bar or a menu has the keyboard, the arrows are its, not
// the cube's. A shortcut acts only while its menu item is on.
TEST(Keyboard, MenusOpenFromTheKeyboardAndKeepTheirKeys) {
    const std::pair<const char*, const char*> opens[] = {
        {"F10", "options"}, {"Alt+O", "options"}, {"Alt+I", "instructions"}};
    Game g(testing::SettingsLine(3, 2));
    Steps steps;
    View view;
    for (const auto& [key, menu] : opens) {
        steps.then([&view, key = key](CubeWindow& w) {
            view = w.state().view;
            return std::string("key ") + key + "\nkey Down\nkey Down";
        });
        steps.then([&view, menu = menu](CubeWindow& w) {
            const auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            EXPECT_TRUE(shown && shown->objectName() == menu) << menu;
            if (shown) {
                EXPECT_NE(shown->activeAction(), shown->actions().front()) << menu;
            }
            EXPECT_EQ(w.state().view, view) << "Down moved in the menu";
            return "key Escape\nkey Escape";
        });
    }
    // Each shortcut, and the same with its item off: in game mode for the
    // files, with a panel open for a new puzzle.
    const std::tuple<const char*, const char*, std::set<std::string>> shortcuts[] = {
        {"", "key Ctrl+O", {"Command8", "Command9", "File2", "Label6", "Text3"}},
        {"key Escape", "key Ctrl+S", {"Command10", "Command11", "File1", "Label7", "Text4"}},
        {"key Escape\nmenu gamemode", "key Ctrl+O", {"Label4", "Label5"}},
        {"", "key Ctrl+S", {"Label4", "Label5"}},
        {"menu usolve\nmenu difficulty", "key Ctrl+N", {"Command3", "Label1", "Text1"}},
    };
    int moves = 0;
    for (const auto& [before, key, shown] : shortcuts) {
        steps.then([&moves, before = before, key = key](CubeWindow& w) {
            moves = w.state().history.MoveCount();
            return std::string(before) + "\n" + key;
        });
        steps.then([&moves, key = key, shown = shown](CubeWindow& w) {
            EXPECT_EQ(VisibleControls(w), shown) << key;
            EXPECT_EQ(w.state().history.MoveCount(), moves) << key;
            return "#next";
        });
    }
    steps.then([](CubeWindow&) { return "key Escape\nkey Ctrl+N"; }).then([](CubeWindow& w) {
        EXPECT_EQ(w.state().history.MoveCount(), 2) << "a new puzzle";
        return "key Ctrl+Q\ndump";
    });
    EXPECT_EQ(g.Run(steps), 0);
    EXPECT_EQ(g.output(), "") << "Ctrl+Q quits at once";
}

// Every control a player can reach has a name and a role, in every panel
// and in game mode; the picture is described in words, afresh after a move.
TEST(ScreenReader, FindsEveryControlByNameAndReadsTheCube) {
    Game g(testing::SettingsLine(2, 1));
    Steps steps;
    const auto checkTree = [](CubeWindow& w, const std::string& where) {
        std::vector<QAccessibleInterface*> todo{QAccessible::queryAccessibleInterface(&w)};
        int named = 0;
        while (!todo.empty()) {
            QAccessibleInterface* at = todo.back();
            todo.pop_back();
            for (int i = 0; i < at->childCount(); ++i) todo.push_back(at->child(i));
            if (at->state().invisible || at->role() == QAccessible::Client) continue;
            EXPECT_FALSE(at->text(QAccessible::Name).isEmpty())
                << at->object()->metaObject()->className() << " in " << where;
            EXPECT_NE(at->role(), QAccessible::NoRole) << where;
            ++named;
        }
        EXPECT_GT(named, 3) << where;
        return "#next";
    };
    const auto description = [](CubeWindow& w) {
        QAccessibleInterface* cube = QAccessible::queryAccessibleInterface(w.area());
        EXPECT_EQ(cube->text(QAccessible::Name), "Cube");
        EXPECT_EQ(cube->role(), QAccessible::Canvas);
        return cube->text(QAccessible::Description).toStdString();
    };
    for (const char* open : {"passes 0", "menu difficulty\nkey Escape", "menu choosetime",
                             "key Escape\nmenu choosecolors", "key Escape\nmenu loadpuzzle",
                             "key Escape\nmenu savepuzzle", "key Escape\nmenu gamemode"}) {
        steps.then([open](CubeWindow&) { return open; });
        steps.then([open, checkTree, description](CubeWindow& w) {
            if (open == std::string("passes 0")) {
                const std::string text = description(w);
                EXPECT_EQ(text.rfind("A 2 by 2 by 2 cube, practice mode, not solved", 0), 0u)
                    << text;
            }
            if (std::string(open).find("choosecolors") != std::string::npos) {
                for (const ColourChoice& c : w.controls().colourBoxes) {
                    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(c.box);
                    EXPECT_EQ(box->text(QAccessible::Name).toStdString(), kColourNames[c.colour]);
                    EXPECT_EQ(box->role(), QAccessible::CheckBox);
                }
            }
            return checkTree(w, open);
        });
    }
    steps.solveByHand().then([description](CubeWindow& w) {
        const std::string text = description(w);
        EXPECT_EQ(text.rfind("A 2 by 2 by 2 cube, game mode, solved, 0 moves in its history. The "
                             "front face, row 1: ",
                             0),
                  0u)
            << text;
        const std::string colour(kColourNames[ShownSticker(w, 1, 1)]);
        EXPECT_NE(text.find(colour + ", " + colour + ", row 2: " + colour + ", " + colour + ". "),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("Solving options"), std::string::npos);
        return "press Command6\nkey Shift+Down";
    });
    steps.then([description](CubeWindow& w) {
        const std::string text = description(w);
        EXPECT_NE(text.find("not solved, 1 move in its history. The square cursor is on column 1, "
                            "row 1."),
                  std::string::npos)
            << text;
        return "";
    });
    g.Run(steps);
}

}  // namespace
}  // namespace twistor
