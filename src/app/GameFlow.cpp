// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameFlow.h"

#include "app/GameState.h"

namespace twistor {

void GameFlow::ForgetGame() {
    Outside = OutsideGame::NoGame;
    AbandonedCube = false;
    NoButtonsOnce = false;
}

void GameFlow::StartGame(bool cubeSolved, int difficultyMoves) {
    // The cube in play is no game cube; solving it before the first new one
    // arrives must not count.
    if (!cubeSolved && Outside == OutsideGame::NoGame) Outside = OutsideGame::FreshGameCube;
    KeepZeroCount = true;
    DifficultyMoves = difficultyMoves;
    CubesSolved = 0;
    LabelsShown = true;
}

void GameFlow::NewPuzzle(bool gameMode) {
    if (gameMode) {
        // A new game mid-cube starts the count afresh, without the buttons.
        KeepZeroCount = false;
        if (!WaitingForNewCube) {
            KeepZeroCount = true;
            NoButtonsOnce = true;
        }
    } else {
        ForgetGame();
    }
    SolvedSeen = false;
    CubesSolved = -1;
    WaitingForNewCube = false;
}

void GameFlow::NextGameCube() {
    WaitingForNewCube = false;
}

void GameFlow::LeaveForOtherMode(bool gameMode) {
    if (!WaitingForNewCube && gameMode) AbandonedCube = true;
    if (WaitingForNewCube) Outside = OutsideGame::NoGame;
    WaitingForNewCube = false;
    LabelsShown = false;
}

void GameFlow::QuitPlaying() {
    Outside = OutsideGame::NoGame;
    if (CubesSolved < 0) CubesSolved = 0;
    WaitingForNewCube = false;
    LabelsShown = false;
}

void GameFlow::PuzzleLoaded(bool gameMode) {
    if (!gameMode) ForgetGame();
    SolvedSeen = false;
    CubesSolved = 0;
}

SolvedNews GameFlow::SolvedMoment(bool gameMode) {
    SolvedNews news;
    if (gameMode && !WaitingForNewCube && SolvedSeen) {
        if (CubesSolved < 0) CubesSolved = 0;
        news.gameCaption = true;
    }
    SolvedSeen = true;
    if (gameMode) {
        const bool counts = !AbandonedCube && Outside != OutsideGame::FreshGameCube;
        if (counts && !NoButtonsOnce) WaitingForNewCube = true;
        if (counts) ++CubesSolved;
        if (CubesSolved == 0 && !KeepZeroCount) CubesSolved = 1;
        news.showCount = true;
    }
    KeepZeroCount = false;
    NoButtonsOnce = false;
    if (Outside == OutsideGame::FreshGameCube) Outside = OutsideGame::Playing;
    AbandonedCube = false;
    return news;
}

void RequestNewCube(GameState& s, int scrambleLeft) {
    s.mail.RedrawWanted = true;
    s.history.Clear();
    s.modes.ScrambleLeft = scrambleLeft;
    s.modes.NewCubeWanted = true;
}

}  // namespace twistor
