// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>

namespace twistor {

// Whether the cube in play belongs to a game.
enum class OutsideGame {
    Playing,        // a game cube is in play
    NoGame,         // practice, the computer solving, or a loaded puzzle outside game mode
    FreshGameCube,  // game mode has just begun on an unsolved cube; its solving does not count
};

// What the window shows afresh after a solved moment.
struct SolvedNews {
    bool gameCaption = false;  // the game caption again, after a solve it has not yet shown
    bool showCount = false;    // the number of cubes solved has changed or is shown afresh
};

// The scramble passes for a scramble of `count` moves: one pass a move, and
// one more that draws the cube once the scramble is over.
constexpr int ScramblePasses(int count) {
    return count + 1;
}

// A game cube always gets at least one scramble move: a game never hands the
// player a solved cube.
constexpr int GameScramblePasses(int count) {
    return std::max(2, ScramblePasses(count));
}

// The difficulty level shown for a game of `passes` scramble passes: the
// number of scramble moves.
constexpr int DifficultyLevel(int passes) {
    return passes - 1;
}

// The bookkeeping that decides what a solved cube counts for in game mode,
// and which of game mode's controls the window shows. It knows nothing of
// the window: the handlers tell it what happened and show what it says.
struct GameFlow {
    int CubesSolved = 0;         // the count game mode shows; -1 until a new puzzle's first solve
    int DifficultyMoves = 0;     // scramble passes of each game cube (the level shown is one less)
    bool SolvedSeen = false;     // a solved moment has passed since the last new cube
    bool KeepZeroCount = false;  // the next solved moment may leave the count at 0
    bool AbandonedCube = false;  // the cube was left mid-game: its solving does not count
    bool NoButtonsOnce = false;  // the next solved moment does not offer "Start new cube"
    OutsideGame Outside = OutsideGame::NoGame;
    // A solved game cube waits for "Start new cube" or "Quit playing", which
    // are offered meanwhile; the cube takes no clicks.
    bool WaitingForNewCube = false;
    bool LabelsShown = false;  // game mode's count and level belong on the screen

    // No game is running: a new puzzle or a loaded one outside game mode.
    void ForgetGame();

    // Game mode begins with `difficultyMoves` scramble passes a cube.
    void StartGame(bool cubeSolved, int difficultyMoves);

    // "New puzzle" (or "New game" in game mode) was chosen.
    void NewPuzzle(bool gameMode);

    // "Start new cube" after a solved game cube.
    void NextGameCube();

    // Practice or computer mode was chosen from the menu.
    void LeaveForOtherMode(bool gameMode);

    // "Quit playing" after a solved game cube.
    void QuitPlaying();

    // A puzzle file was loaded.
    void PuzzleLoaded(bool gameMode);

    // The cube has just become solved.
    SolvedNews SolvedMoment(bool gameMode);
};

}  // namespace twistor
