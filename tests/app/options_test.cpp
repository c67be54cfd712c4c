// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <fstream>
#include <iterator>

#include "Driver.h"
#include "render/Palette.h"
#include "storage/Settings.h"

namespace twistor {
namespace {

using testing::Game;
using testing::Steps;

TEST(ColourPanel, TicksTheSetAllowsExactlySixAndSortsItOnDone) {
    Game g(testing::SettingsLine(3, 0));
    const auto faceColours = [](CubeWindow& w) { return w.state().options.FaceColor; };
    Steps steps;
    steps.then([](CubeWindow&) { return "menu choosecolors"; })
        .then([](CubeWindow& w) {
            for (const ColourChoice& b : w.controls().colourBoxes) {
                const bool inSet = std::set<int>{9, 10, 12, 13, 14, 15}.count(b.colour) > 0;
                EXPECT_EQ(b.box->isChecked(), inSet) << b.colour;
                EXPECT_EQ(b.box->isEnabled(), inSet) << b.colour << ": only the six are available";
            }
            EXPECT_TRUE(w.controls().Command1->isEnabled());
            EXPECT_EQ(w.state().options.ColorsChecked, 6);
            return "press Check46";  // untick one, at its middle
        })
        .then([](CubeWindow& w) {
            EXPECT_FALSE(w.controls().Command1->isEnabled());
            for (const ColourChoice& b : w.controls().colourBoxes)
                EXPECT_TRUE(b.box->isEnabled()) << b.colour << ": free to choose again";
            return "press Check35";
        })
        .then([](CubeWindow& w) {
            EXPECT_TRUE(w.controls().BoxOf(kDarkBlue)->isChecked()) << "Check35";
            EXPECT_TRUE(w.controls().Command1->isEnabled());
            EXPECT_FALSE(w.controls().BoxOf(kLightMagenta)->isEnabled()) << "Check46";
            return "press Command1";
        })
        .then([&](CubeWindow& w) {
            EXPECT_EQ(faceColours(w), (std::array<int, 6>{1, 9, 10, 12, 14, 15}));
            EXPECT_TRUE(w.state().cube.IsSolved());
            return "menu newpuzzle";
        })
        .then([](CubeWindow& w) {
            std::set<int> faces;
            for (int f = 1; f <= 6; ++f) faces.insert(w.state().cube.Sticker(1, 1, f));
            EXPECT_EQ(faces, (std::set<int>{1, 9, 10, 12, 14, 15}))
                << "the new cube uses the chosen colours";
            return "menu choosecolors\npress Command4\npress Command1";
        })
        .then([&](CubeWindow& w) {
            EXPECT_EQ(faceColours(w), (std::array<int, 6>{1, 5, 9, 10, 11, 13}));
            return "menu choosecolors\npress Command2";
        })
        .then([&](CubeWindow& w) {
            EXPECT_EQ(faceColours(w), (std::array<int, 6>{10, 9, 12, 13, 14, 15}));
            return "press Command1";
        })
        .then([&](CubeWindow& w) {
            EXPECT_EQ(faceColours(w), (std::array<int, 6>{9, 10, 12, 13, 14, 15}));
            return "";
        });
    g.Run(steps);
}

// A time from the settings file shows whole in the box, "Done" keeps it to
// the last bit and "Save settings" writes it back as it was; the player
// still types at most two characters.
TEST(RotationTimePanel, ShowsAndKeepsATimeFromTheSettingsWhole) {
    for (const std::string time : {"2", "1.5", "12.5", "-.5", ".1", "98.765432109876"}) {
        const std::string line =
            std::string(" 10  9  12  13  14  15  3  0 ") + (time[0] == '-' ? "" : " ") + time + " ";
        Game g(line + " 0 \r\n");
        const double read =
            storage::ReadSettings(g.folder() / storage::kSettingsFileName).settings.MinTurnTime;
        Steps steps;
        steps.then([](CubeWindow&) { return "menu choosetime"; })
            .then([time](CubeWindow& w) {
                const QLineEdit* box = w.controls().Text2;
                EXPECT_EQ(box->text().toStdString(), time);
                // The whole number inside the frame, its text margins and the cursor.
                QStyleOptionFrame option;
                option.initFrom(box);
                const QRect inside =
                    box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
                EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), inside.width() - 5)
                    << time;
                EXPECT_GE(box->width(), 25) << "never narrower than laid out";
                return "press Command5";
            })
            .then([read, time](CubeWindow& w) {
                EXPECT_EQ(w.state().modes.MinTurnTime, read) << time;
                return "menu savesettings";
            })
            .then([&g, line](CubeWindow&) {
                std::ifstream saved(g.folder() / storage::kSettingsFileName, std::ios::binary);
                const std::string text((std::istreambuf_iterator<char>(saved)), {});
                EXPECT_NE(text.find(line), std::string::npos) << text;
                return "menu choosetime\ntype Text2 345\npress Command5";
            })
            .then([](CubeWindow& w) {
                EXPECT_EQ(w.state().modes.MinTurnTime, 34) << "two typed characters";
                return "";
            });
        g.Run(steps);
    }
}

}  // namespace
}  // namespace twistor
