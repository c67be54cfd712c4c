#pragma once

#include <array>

#include "cube/Cube.h"
#include "cube/History.h"
#include "cube/Random.h"
#include "cube/Scrambler.h"
#include "cube/View.h"
#include "render/Layout.h"

namespace twistor {

inline constexpr std::array<int, 6> kDefaultColours{10, 9, 12, 13, 14, 15};
inline constexpr std::array<int, 6> kFluorescentColours{1, 10, 5, 9, 11, 13};
inline constexpr int kDefaultScrambleCount = 3;
inline constexpr int kMaxScrambleCount = 99;

// Who is solving and what the main loop has to do next.
struct Modes {
    int SolveMode = 0;     // 0 the player solves, 1 the computer does
    int GameMode = 0;      // 1 while game mode is on
    int StepMode = 0;      // 1 after "b": one computer step, then back to the player
    int ScrambleLeft = 4;  // scramble moves to make, plus one for the drawing pass after a lay-out
    int CubeReady = 0;     // 0 asks the main loop for a new cube
    double MinTurnTime = 0;  // tenths of a second per computer move; 0 or less: no wait
};

// What the event handlers leave for the main loop.
struct Mailboxes {
    int ClickPending = 0;
    double ClickX = 0;
    double ClickY = 0;
    int ClickButton = 0;
    int ViewKeyFlag = 0;
    int TimerTick = 0;
};

struct Options {
    std::array<int, 6> FaceColor = kDefaultColours;
    int ChosenSize = 2;
    int ColorsChecked = 6;
    int ColorPanelShown = 0;
};

struct Panels {
    int PanelOpen = 0;
    int OpenPanel = 0;
    int RestoreLabel4 = 0;
    int RestoreCommand6 = 0;
};

// The bookkeeping that decides what a solved moment counts for in game mode.
struct GameFlow {
    int CubesSolved = 0;
    int DifficultyMoves = 0;
    int SolvedSeen = 0;
    int KeepZeroCount = 0;
    int AbandonedCube = 0;
    int NoButtonsOnce = 0;
    int OutsideGame = 1;  // 1 no game; 2 the next solved moment is a fresh game cube's; 0 playing

    // No game is running: a new puzzle or a loaded one outside game mode.
    void ForgetGame() {
        OutsideGame = 1;
        AbandonedCube = 0;
        NoButtonsOnce = 0;
        KeepZeroCount = 0;
    }
};

// Everything the main loop and the handlers share.
struct GameState {
    Cube cube{2};
    View view;
    History history;
    Scrambler scrambler;
    Random rnd;
    Layout layout{};
    int MoveAxis = 0;  // axis of the last move taken from the history; kept in puzzle files
    Modes modes;
    Mailboxes mail;
    Options options;
    Panels panels;
    GameFlow game;
    // The solved test of the previous and of this pass: 1 unsolved, 0 solved.
    int PrevUnsolved = 0;
    int Unsolved = 0;
};

}  // namespace twistor
