// SPDX-License-Identifier: GPL-3.0-or-later
// The scenario runner that the window tests and the end-to-end checks drive
// the game with: its script lines, its passes, its seeds and its shots.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <regex>

#include "Driver.h"
#include "render/Palette.h"
#include "render/SidePanel.h"

namespace twistor {
namespace {

using testing::Game;

TEST(ScenarioRunner, StopsAtALineItCannotReadWithStatusTwoAndTheLineNumber) {
    // seed and start come first: the bad line is line 4
    for (const char* bad : {"fly away", "click 10 x left", "click 10 20", "passes many",
                            "click 10 20 middle", "key F13", "press", "menu nothing"}) {
        Game g;
        EXPECT_EQ(g.Run(std::string("dump\n") + bad + "\ndump\n"), 2) << bad;
        EXPECT_NE(g.errors().find("line 4: "), std::string::npos) << bad << ": " << g.errors();
        EXPECT_EQ(std::count(g.output().begin(), g.output().end(), '\n'), 16) << "one dump";
        // Each face's line holds its rows, top to bottom.
        EXPECT_TRUE(std::regex_search(g.output(), std::regex("\nface 6 \\d+ \\d+ / \\d+ \\d+\n")));
    }
    // A hidden or disabled control takes no press, and the script is told so.
    Game hidden;
    EXPECT_EQ(hidden.Run("press Command6\n"), 0);
    EXPECT_NE(hidden.errors().find("Command6 is hidden or disabled"), std::string::npos);
    // Before "start", only "seed", "area" and "start" itself are read.
    for (const char* bad : {"area 800 wide", "start now", "dump", "seed"}) {
        Game g;
        g.preamble = bad;
        EXPECT_EQ(g.Run(""), 2) << bad;
        EXPECT_NE(g.errors().find("line 1: "), std::string::npos) << bad;
    }
}

// With QT_SCALE_FACTOR set, the scenario runner's shot is the picture in the
// device pixels of that ratio: twice the area in each direction, the figure
// and the side panel in the same places.
TEST(ScenarioRunner, ShotIsInDevicePixelsAtTheScaleFactorAsked) {
    const QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString folder = temporary.path();
    QProcess runner;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    runner.setProcessEnvironment(env);
    runner.setWorkingDirectory(folder);
    runner.start(TWISTOR_SCENARIO, {});
    runner.write("seed 1\nstart\nshot shot.png\n");
    runner.closeWriteChannel();
    ASSERT_TRUE(runner.waitForFinished(20000));
    EXPECT_EQ(runner.exitCode(), 0);
    const QImage shot(QDir(folder).filePath("shot.png"));
    EXPECT_EQ(shot.size(), QSize(2 * 792, 2 * 540));
    // The user box at (32, 32)-(113, 65) and the middle of the 2-cube's
    // top-left front square, laid out at (230, 204) with 115-pixel squares.
    EXPECT_EQ(shot.pixel(2 * 32, 2 * 32), kPalette[11]);
    EXPECT_EQ(shot.pixel(2 * 113 + 1, 2 * 65 + 1), kPalette[11]);
    EXPECT_EQ(shot.pixel(2 * 31 + 1, 2 * 31 + 1), kPalette[0]);
    const QRgb square = shot.pixel(2 * 287, 2 * 261);
    EXPECT_NE(std::find(kPalette.begin(), kPalette.end(), square), kPalette.end());
    EXPECT_NE(square, kPalette[0]);
}
}  // namespace
}  // namespace twistor
