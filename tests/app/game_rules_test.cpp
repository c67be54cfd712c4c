// SPDX-License-Identifier: GPL-3.0-or-later
// The game-flow rules without a window: what a solved cube counts for, and
// how a new cube is asked for; and the numbers typed in the panels' boxes.

#include <gtest/gtest.h>

#include "app/GameFlow.h"
#include "app/GameState.h"
#include "app/NumberText.h"

namespace twistor {
namespace {

TEST(GameRules, GameCubesCountAndWaitForTheNextOne) {
    GameFlow g;
    g.StartGame(true, 4);
    EXPECT_TRUE(g.LabelsShown);
    SolvedNews news = g.SolvedMoment(true);
    EXPECT_TRUE(g.WaitingForNewCube);
    EXPECT_TRUE(news.showCount);
    EXPECT_EQ(g.CubesSolved, 1);
    g.NextGameCube();
    EXPECT_FALSE(g.WaitingForNewCube);
    news = g.SolvedMoment(true);
    EXPECT_EQ(g.CubesSolved, 2);
    EXPECT_TRUE(news.gameCaption) << "a second solve without waiting in between";
    g.QuitPlaying();
    EXPECT_FALSE(g.WaitingForNewCube || g.LabelsShown);
    EXPECT_EQ(g.Outside, OutsideGame::NoGame);
}

TEST(GameRules, ANewCubeIsAskedForWithAnEmptyHistoryAndARedraw) {
    GameState s;
    s.modes.NewCubeWanted = false;
    s.history.Push(Move{1, 1, 1});
    RequestNewCube(s, 5);
    EXPECT_TRUE(s.history.Empty());
    EXPECT_EQ(s.modes.ScrambleLeft, 5);
    EXPECT_TRUE(s.modes.NewCubeWanted);
    EXPECT_TRUE(s.mail.RedrawWanted);
    EXPECT_EQ(GameScramblePasses(0), 2) << "a game cube is never handed over solved";
    EXPECT_EQ(ScramblePasses(0), 1);
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfABox) {
    EXPECT_EQ(LeadingNumber("3"), 3);
    EXPECT_EQ(LeadingNumber("  12"), 12);
    EXPECT_EQ(LeadingNumber("2x"), 2);
    EXPECT_EQ(LeadingNumber("x2"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-5"), -5);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("0,5"), 0.5);  // a decimal comma, as many players type it
    EXPECT_EQ(LeadingNumber(",5"), 0.5);
    EXPECT_EQ(LeadingNumber("1.5,5"), 1.5);
}

TEST(ScrambleCountFrom, StaysWithinWhatTheHistoryCanHold) {
    EXPECT_EQ(ScrambleCountFrom("3"), 3);
    EXPECT_EQ(ScrambleCountFrom("-7"), 0);
    EXPECT_EQ(ScrambleCountFrom("2.9"), 2);  // a fraction would never count down to 0
    EXPECT_EQ(ScrambleCountFrom("99"), 99);
    EXPECT_EQ(ScrambleCountFrom("123456"), 99);
    EXPECT_EQ(ScrambleCountFrom("abc"), 0);
}

}  // namespace
}  // namespace twistor
