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
}

void GameFlow::NewPuzzle(bool gameMode, bool buttonsShown) {
    if (gameMode) {
        // A new game mid-cube starts the count afresh, without the buttons.
        KeepZeroCount = false;
        if (!buttonsShown) {
            KeepZeroCount = true;
            NoButtonsOnce = true;
        }
    } else {
        ForgetGame();
    }
    SolvedSeen = false;
    CubesSolved = -1;
}

void GameFlow::LeaveForOtherMode(bool gameMode, bool buttonsShown) {
    if (!buttonsShown && gameMode) AbandonedCube = true;
    if (buttonsShown) Outside = OutsideGame::NoGame;
}

void GameFlow::QuitPlaying() {
    Outside = OutsideGame::NoGame;
    if (CubesSolved < 0) CubesSolved = 0;
}

void GameFlow::PuzzleLoaded(bool gameMode) {
    if (!gameMode) ForgetGame();
    SolvedSeen = false;
    CubesSolved = 0;
}

SolvedNews GameFlow::SolvedMoment(bool gameMode, bool buttonsShown) {
    SolvedNews news;
    if (gameMode && !buttonsShown && SolvedSeen) {
        if (CubesSolved < 0) CubesSolved = 0;
        news.gameCaption = true;
    }
    SolvedSeen = true;
    if (gameMode) {
        const bool counts = !AbandonedCube && Outside != OutsideGame::FreshGameCube;
        news.showButtons = counts && !NoButtonsOnce;
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
    s.mail.ViewKeyFlag = true;
    s.history.Clear();
    s.modes.ScrambleLeft = scrambleLeft;
    s.modes.CubeReady = false;
}

}  // namespace twistor
