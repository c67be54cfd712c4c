#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Driver.h"
#include "storage/Settings.h"

namespace twistor {
namespace {

using testing::Game;

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PuzzleFiles, SaveAndLoadThroughThePanelsRestoreTheGameExactly) {
    Game g(testing::SettingsLine(3, 14));
    Cube saved(3);
    View savedView;
    std::vector<Move> savedHistory;
    int step = 0;
    g.Run([&](CubeWindow& w) -> std::string {
        const GameState& s = w.state();
        switch (step++) {
            case 0:
                return "key Left\nmenu savepuzzle\ntype Text4 lake\npress Command10";
            case 1: {
                saved = s.cube;
                savedView = s.view;
                savedHistory.assign(s.history.Entries().begin(), s.history.Entries().end());
                const std::string text = ReadFile(g.folder() / "lake.cube");
                EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 151);
                EXPECT_TRUE(VisibleControls(w).empty());
                return "menu by5\nmenu newpuzzle";
            }
            case 2:
                EXPECT_EQ(s.cube.CubeSize(), 5);
                return "menu loadpuzzle";
            case 3: {
                QListWidget* list = w.controls().File2;
                EXPECT_EQ(list->count(), 1);
                return "pick File2 lake.cube\npress Command8";
            }
            case 4:
                EXPECT_TRUE(s.cube == saved);
                EXPECT_EQ(s.view, savedView);
                EXPECT_EQ(std::vector<Move>(s.history.Entries().begin(), s.history.Entries().end()),
                          savedHistory);
                EXPECT_TRUE(w.menuItem("by3")->isChecked());
                EXPECT_FALSE(w.menuItem("by5")->isChecked());
                EXPECT_EQ(testing::Text(w.controls().Label5), "Difficulty level: 14");
                EXPECT_EQ(testing::Text(w.controls().Label4), "Number of cubes solved: 0");
                EXPECT_EQ(s.layout.DepthSpan, 114.0);
                return "pick File2 lake.cube\nmenu csolve";  // the list is hidden again
            case 5:
                EXPECT_TRUE(s.cube.IsSolved());
                return "";
        }
        return "";
    });
    EXPECT_EQ(step, 6);
    EXPECT_NE(g.errors().find("no entry 'lake.cube' to pick in File2"), std::string::npos);
}

// Entries that are not the game's to replace or read, a damaged puzzle and a
// missing one: the game says so and leaves them, the cube and the panel as
// they were; what a save cut short left behind is gone after the start.
TEST(PuzzleFiles, WhatIsNotAPuzzleOrSettingsFileIsLeftAsItIsAndSaidSo) {
    Game g;
    const std::filesystem::path dir = g.folder();
    std::filesystem::create_directory(dir / storage::kSettingsFileName);
    ASSERT_EQ(::mkfifo((dir / "pipe.cube").c_str(), 0644), 0);
    std::ofstream(dir / ".twistor-1-2.tmp") << " 2  1  1  0 ";
    std::ofstream(dir / "notes.tmp") << "another program's";
    std::ofstream(dir / "s\xf8.cube") << "not UTF-8";
    std::ofstream(dir / "bad.cube", std::ios::binary) << " 3  1  1  0  0 \r\n 10 \r\n\r\n";
    Cube before(2);
    const auto message = [](CubeWindow& w) { return w.lastMessage().toStdString(); };
    int step = 0;
    g.Run([&](CubeWindow& w) -> std::string {
        switch (step++) {
            case 0:
                before = w.state().cube;
                EXPECT_FALSE(std::filesystem::exists(dir / ".twistor-1-2.tmp"));
                EXPECT_TRUE(std::filesystem::exists(dir / "notes.tmp"));
                EXPECT_NE(message(w).find("twistorfz.settings: not a regular file"),
                          std::string::npos)
                    << message(w);
                return "menu savesettings";
            case 1: {
                EXPECT_EQ(message(w),
                          "The settings were not saved: cannot save twistorfz.settings: it is not "
                          "a regular file; it is left as it was");
                // The note lets the game go on, and Escape closes it.
                QMessageBox* note = w.findChildren<QMessageBox*>("Message").back();
                EXPECT_FALSE(note->isModal());
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(note, &escape);
                EXPECT_TRUE(note->isHidden());
                return "menu loadpuzzle";
            }
            case 2:
                EXPECT_EQ(w.controls().File2->count(), 1) << "bad.cube alone";
                return "type Text3 pipe\npress Command8";
            case 3:
                EXPECT_EQ(message(w), "pipe.cube: not a regular file");
                return "type Text3 bad\npress Command8";
            case 4:
                EXPECT_NE(message(w).find("bad.cube"), std::string::npos) << message(w);
                EXPECT_TRUE(VisibleControls(w).count("Command8")) << "the panel stays";
                return "type Text3 missing\npress Command8";
            case 5:
                EXPECT_NE(message(w).find("missing.cube"), std::string::npos) << message(w);
                EXPECT_TRUE(w.state().cube == before);
                EXPECT_EQ(w.state().history.MoveCount(), 3);
                return "press Command9\nmenu savepuzzle\ntype Text4 pipe\npress Command10";
            case 6:
                EXPECT_EQ(message(w),
                          "The puzzle was not saved: cannot save pipe.cube: it is not a regular "
                          "file; it is left as it was");
                // One note at a time: each refusal's words replace the last's.
                EXPECT_EQ(w.findChildren<QMessageBox*>("Message").size(), 1);
                EXPECT_EQ(w.findChild<QMessageBox*>("Message")->text(), w.lastMessage());
                return "press Command11";
        }
        return "";
    });
    EXPECT_EQ(step, 8);
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.cube"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / storage::kSettingsFileName));
}

// The settings file a fresh game writes after `commands`, or "" when it
// writes none.
std::string SettingsWrittenAfter(const std::string& commands) {
    Game g;
    EXPECT_EQ(g.Run(commands), 0);
    return ReadFile(g.folder() / storage::kSettingsFileName);
}

TEST(Settings, SaveSettingsWritesTheChosenSizeAndTheNextStartUsesIt) {
    EXPECT_EQ(SettingsWrittenAfter(""), "") << "a game that ends writes no settings";
    EXPECT_EQ(SettingsWrittenAfter("menu savesettings"), " 10  9  12  13  14  15  2  3  0 \r\n");
    const std::string written = SettingsWrittenAfter("menu by5\nmenu savesettings");
    EXPECT_EQ(written, " 10  9  12  13  14  15  5  3  0 \r\n");

    Game next(written);
    next.Run("");
    EXPECT_EQ(next.window().state().cube.CubeSize(), 5);
    EXPECT_TRUE(next.window().menuItem("by5")->isChecked());
    EXPECT_FALSE(next.window().menuItem("by2")->isChecked());
}

TEST(Settings, ADamagedFileStillStartsTheGameWithDefaultsWhereNeeded) {
    Game g(" 10  10  12  13  14  15  99  x  0 \r\n");
    g.Run("");
    const GameState& s = g.window().state();
    EXPECT_EQ(s.options.FaceColor, (std::array<int, 6>{10, 9, 12, 13, 14, 15}));
    EXPECT_EQ(s.cube.CubeSize(), 2);
    EXPECT_EQ(s.history.MoveCount(), 3);
    EXPECT_FALSE(g.window().lastMessage().isEmpty());
}

}  // namespace
}  // namespace twistor
