#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "Driver.h"

namespace twistor {
namespace {

using testing::Game;

void ExpectPanelMenus(CubeWindow& w, bool open) {
    for (const char* item : {"solvingoptions", "newpuzzle", "loadpuzzle", "savepuzzle",
                             "difficulty", "choosecolors"}) {
        EXPECT_EQ(w.menuItem(item)->isEnabled(), !open) << item;
    }
    for (const char* item : {"sizeofcube", "savesettings", "quit", "instructions"}) {
        EXPECT_TRUE(w.menuItem(item)->isEnabled()) << item;
    }
}

TEST(ColourPanel, TicksTheSetAllowsExactlySixAndSortsItOnDone) {
    Game g(testing::SettingsLine(3, 0));
    int step = 0;
    g.Run([&](CubeWindow& w) -> std::string {
        const GameState& s = w.state();
        switch (step++) {
            case 0:
                return "menu choosecolors";
            case 1: {
                ExpectPanelMenus(w, true);
                for (const ColourBox& b : w.controls().colourBoxes) {
                    const bool inSet = std::set<int>{9, 10, 12, 13, 14, 15}.count(b.colour) > 0;
                    EXPECT_EQ(b.box->isChecked(), inSet) << b.colour;
                    EXPECT_EQ(b.box->isEnabled(), inSet)
                        << b.colour << ": only the six are available";
                }
                EXPECT_TRUE(w.controls().Command1->isEnabled());
                EXPECT_EQ(s.options.ColorsChecked, 6);
                return "tick Check46";  // untick one
            }
            case 2:
                EXPECT_FALSE(w.controls().Command1->isEnabled());
                for (const ColourBox& b : w.controls().colourBoxes)
                    EXPECT_TRUE(b.box->isEnabled()) << b.colour << ": free to choose again";
                return "tick Check35";
            case 3:
                EXPECT_TRUE(w.controls().Command1->isEnabled());
                EXPECT_FALSE(w.controls().BoxOf(13)->isEnabled()) << "Check46";
                return "press Command1";
            case 4:
                EXPECT_EQ(s.options.FaceColor, (std::array<int, 6>{1, 9, 10, 12, 14, 15}));
                EXPECT_TRUE(VisibleControls(w).empty());
                ExpectPanelMenus(w, false);
                EXPECT_TRUE(s.cube.IsSolved());
                return "menu choosecolors\npress Command4\npress Command1";
            case 5:
                EXPECT_EQ(s.options.FaceColor, (std::array<int, 6>{1, 5, 9, 10, 11, 13}));
                return "menu newpuzzle";
            case 6: {
                std::set<int> faces;
                for (int f = 1; f <= 6; ++f) faces.insert(s.cube.Sticker(1, 1, f));
                EXPECT_EQ(faces, (std::set<int>{1, 5, 9, 10, 11, 13}))
                    << "the new cube uses the set";
                return "menu choosecolors\npress Command2";
            }
            case 7:
                EXPECT_EQ(s.options.FaceColor, (std::array<int, 6>{10, 9, 12, 13, 14, 15}));
                return "press Command1";
            case 8:
                EXPECT_EQ(s.options.FaceColor, (std::array<int, 6>{9, 10, 12, 13, 14, 15}));
                return "";
        }
        return "";
    });
    EXPECT_EQ(step, 9);
}

TEST(Panels, HideTheGameControlsWhileOpenAndBringBackExactlyThose) {
    Game g(testing::SettingsLine(2, 1));
    int step = 0;
    g.Run([&](CubeWindow& w) -> std::string {
        const GameState& s = w.state();
        switch (step++) {
            case 0:
                return "menu gamemode";
            case 1:
                EXPECT_EQ(VisibleControls(w), (std::set<std::string>{"Label4", "Label5"}));
                return "menu choosecolors";
            case 2:
                EXPECT_FALSE(VisibleControls(w).count("Label4"));
                EXPECT_EQ(s.panels.TakesInput, true);
                return "press Command1";
            case 3:
                EXPECT_EQ(VisibleControls(w), (std::set<std::string>{"Label4", "Label5"}));
                EXPECT_FALSE(w.menuItem("loadpuzzle")->isEnabled()) << "still game mode";
                EXPECT_FALSE(w.menuItem("savepuzzle")->isEnabled());
                return "menu difficulty";
            case 4: {
                EXPECT_EQ(VisibleControls(w),
                          (std::set<std::string>{"Command3", "Label1", "Text1"}));
                // keys and clicks leave the cube alone while a panel is open
                return "key Down\n" + testing::ClickLine(w, 1, 1, "left") + "\ntype Text1 -7";
            }
            case 5:
                EXPECT_EQ(s.history.MoveCount(), 1);
                EXPECT_EQ(s.view, (View{1, 1}));
                return "press Command3";
            case 6:
                EXPECT_EQ(testing::Text(w.controls().Text1), "0");
                return "menu choosetime";
            case 7:
                EXPECT_EQ(testing::Text(w.controls().Text2), "0");
                return "type Text2 7x\npress Command5";
            case 8:
                EXPECT_EQ(s.modes.MinTurnTime, 7);
                return "";
        }
        return "";
    });
    EXPECT_EQ(step, 9);
}

}  // namespace
}  // namespace twistor
