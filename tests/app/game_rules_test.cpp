// The game-flow decisions without a window: what a solved cube counts for in
// each mode, and how a new cube is asked for.

#include <gtest/gtest.h>

#include "app/GameFlow.h"
#include "app/GameState.h"

namespace twistor {
namespace {

TEST(GameRules, OutsideGameModeASolvedCubeCountsForNothing) {
    GameFlow g;
    g.NewPuzzle(false, false);
    const SolvedNews news = g.SolvedMoment(false, false);
    EXPECT_FALSE(news.showButtons || news.showCount || news.gameCaption);
    EXPECT_EQ(g.Outside, OutsideGame::NoGame);
}

TEST(GameRules, GameCubesCountAndOfferTheNextOne) {
    GameFlow g;
    g.StartGame(true, 4);
    SolvedNews news = g.SolvedMoment(true, false);
    EXPECT_TRUE(news.showButtons);
    EXPECT_TRUE(news.showCount);
    EXPECT_EQ(g.CubesSolved, 1);
    news = g.SolvedMoment(true, false);
    EXPECT_EQ(g.CubesSolved, 2);
    EXPECT_TRUE(news.gameCaption) << "a second solve without the buttons in between";
}

TEST(GameRules, TheCubeInPlayWhenAGameStartsAndAnAbandonedCubeDoNotCount) {
    GameFlow g;
    g.StartGame(false, 4);  // begun on a scrambled practice cube
    EXPECT_EQ(g.Outside, OutsideGame::FreshGameCube);
    SolvedNews news = g.SolvedMoment(true, false);
    EXPECT_FALSE(news.showButtons);
    EXPECT_EQ(g.CubesSolved, 0) << "the count may stay at 0 this once";
    EXPECT_EQ(g.Outside, OutsideGame::Playing);

    g.LeaveForOtherMode(true, false);
    EXPECT_TRUE(g.AbandonedCube);
    news = g.SolvedMoment(true, false);
    EXPECT_FALSE(news.showButtons);
    EXPECT_EQ(g.CubesSolved, 1) << "a zero count without the keep-zero rule shows 1";
    EXPECT_FALSE(g.AbandonedCube);
}

TEST(GameRules, ANewGameMidCubeCountsItsFirstSolveWithoutButtons) {
    GameFlow g;
    g.StartGame(true, 3);
    g.NewPuzzle(true, false);
    EXPECT_EQ(g.CubesSolved, -1);
    const SolvedNews news = g.SolvedMoment(true, false);
    EXPECT_FALSE(news.showButtons);
    EXPECT_EQ(g.CubesSolved, 0);
    g.QuitPlaying();
    EXPECT_EQ(g.Outside, OutsideGame::NoGame);
}

TEST(GameRules, ANewCubeIsAskedForWithAnEmptyHistoryAndARedraw) {
    GameState s;
    s.modes.CubeReady = true;
    s.history.Push(Move{1, 1, 1});
    RequestNewCube(s, 5);
    EXPECT_TRUE(s.history.Empty());
    EXPECT_EQ(s.modes.ScrambleLeft, 5);
    EXPECT_FALSE(s.modes.CubeReady);
    EXPECT_TRUE(s.mail.ViewKeyFlag);
}

}  // namespace
}  // namespace twistor
