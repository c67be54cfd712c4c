// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Driver.h"
#include "storage/Settings.h"

namespace twistor {
namespace {

using testing::Game;
using testing::Steps;

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PuzzleFiles, SaveAndLoadThroughThePanelsRestoreTheGameExactly) {
    Game g(testing::SettingsLine(3, 14));
    GameState saved;
    Steps steps;
    steps
        .then([](CubeWindow&) {
            return "key Left\nmenu savepuzzle\ntype Text4 lake\npress Command10";
        })
        .then([&](CubeWindow& w) {
            saved = w.state();
            const std::string text = ReadFile(g.folder() / "lake.cube");
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 151);
            EXPECT_TRUE(VisibleControls(w).empty());
            return "menu by5\nmenu newpuzzle\nmenu loadpuzzle";
        })
        .then([](CubeWindow& w) {
            EXPECT_EQ(w.state().cube.CubeSize(), 5);
            EXPECT_EQ(w.controls().File2->count(), 1);
            return "pick File2 lake.cube\npress Command8";
        })
        .then([&](CubeWindow& w) {
            const GameState& s = w.state();
            EXPECT_TRUE(s.cube == saved.cube);
            EXPECT_EQ(s.view, saved.view);
            EXPECT_TRUE(std::equal(s.history.Entries().begin(), s.history.Entries().end(),
                                   saved.history.Entries().begin(), saved.history.Entries().end()));
            EXPECT_TRUE(w.menuItem("by3")->isChecked());
            EXPECT_FALSE(w.menuItem("by5")->isChecked());
            EXPECT_EQ(testing::Text(w.controls().Label5), "Difficulty level: 14");
            EXPECT_EQ(testing::Text(w.controls().Label4), "Number of cubes solved: 0");
            EXPECT_EQ(s.layout.DepthSpan, 114.0);
            return "pick File2 lake.cube\nmenu csolve";  // the list is hidden again
        })
        .then([](CubeWindow& w) {
            EXPECT_TRUE(w.state().cube.IsSolved());
            return "";
        });
    g.Run(steps);
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
    // Each step: what the game said after the commands before, and the next commands.
    const std::pair<std::string, const char*> said[] = {
        {"twistorfz.settings: not a regular file", "menu savesettings"},
        {"The settings were not saved: cannot save twistorfz.settings: it is not a regular file; "
         "it is left as it was",
         "menu loadpuzzle\ntype Text3 pipe\npress Command8"},
        {"pipe.cube: not a regular file", "type Text3 bad\npress Command8"},
        {"bad.cube", "type Text3 missing\npress Command8"},
        {"missing.cube", "press Command9\nmenu savepuzzle\ntype Text4 pipe\npress Command10"},
        {"The puzzle was not saved: cannot save pipe.cube: it is not a regular file; it is left "
         "as it was",
         "press Command11"},
    };
    Steps steps;
    steps.then([&](CubeWindow& w) {
        before = w.state().cube;
        EXPECT_FALSE(std::filesystem::exists(dir / ".twistor-1-2.tmp"));
        EXPECT_TRUE(std::filesystem::exists(dir / "notes.tmp"));
        return "#next";
    });
    for (const auto& [words, next] : said) {
        steps.then([&, words = words, next = next](CubeWindow& w) {
            EXPECT_NE(message(w).find(words), std::string::npos) << message(w);
            // The panel stays after a refused load, and nothing changes.
            if (words == "bad.cube") {
                EXPECT_TRUE(VisibleControls(w).count("Command8"));
            }
            if (words.starts_with("pipe")) {
                EXPECT_EQ(w.controls().File2->count(), 1);
            }
            EXPECT_TRUE(w.state().cube == before);
            EXPECT_EQ(w.state().history.MoveCount(), 3);
            return next;
        });
    }
    steps.then([](CubeWindow& w) {
        // The notes let the game go on, and Escape closes one.
        QMessageBox* note = w.findChildren<QMessageBox*>("Message").back();
        EXPECT_FALSE(note->isModal());
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(note, &escape);
        // One note at a time: each refusal's words replace the last's.
        EXPECT_EQ(w.findChildren<QMessageBox*>("Message").size(), 1);
        EXPECT_EQ(note->text(), w.lastMessage());
        EXPECT_TRUE(note->isHidden());
        return "";
    });
    g.Run(steps);
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.cube"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / storage::kSettingsFileName));
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
