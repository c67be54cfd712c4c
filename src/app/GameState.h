// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "app/GameFlow.h"
#include "cube/Cube.h"
#include "cube/History.h"
#include "cube/Random.h"
#include "cube/Scrambler.h"
#include "cube/View.h"
#include "render/Layout.h"
#include "storage/Settings.h"

namespace twistor {

inline constexpr std::array<int, 6> kFluorescentColours{1, 10, 5, 9, 11, 13};

// Who turns the cube back.
enum class Solver {
    Player,    // practice mode and game mode: the player clicks
    Computer,  // the computer plays the history back, one move a pass
};

// Who is solving and what the main loop has to do next.
struct Modes {
    Solver SolveMode = Solver::Player;  // who turns the cube back
    bool GameMode = false;              // cubes are counted, and "Start new cube" follows each one
    bool StepMode = false;              // after "b": one computer move, then back to the player
    int ScrambleLeft = ScramblePasses(3);  // scramble passes still to run
    bool NewCubeWanted = true;             // the main loop lays out a new cube at its next pass
    double MinTurnTime = 0;  // tenths of a second per computer move; 0 or less: no wait

    // The computer holds each move of its continuous solving back for the
    // chosen time; a single "b" move and the scramble never wait.
    bool ComputerWaits() const {
        return SolveMode == Solver::Computer && ScrambleLeft <= 0 && MinTurnTime > 0 && !StepMode;
    }
    int TurnWaitMilliseconds() const { return static_cast<int>(MinTurnTime * 100); }
};

// What the event handlers leave for the main loop to act on at its next pump.
struct Mailboxes {
    bool ClickPending = false;  // a click on the picture waits to be hit-tested
    double ClickX = 0;          // where that click was, in drawing-area pixels
    double ClickY = 0;          // and its y
    int ClickButton = 0;        // kLeftButton or kRightButton (anything else moves nothing)
    bool RedrawWanted = false;  // the view turned, the window changed size or a new cube is wanted
    bool TimerTick = false;     // the computer's turn time has passed
};

// The player's choices that outlive a cube.
struct Options {
    std::array<int, 6> FaceColor = storage::kDefaultColours;  // palette numbers of the six faces
    int ChosenSize = 2;                                       // the size the next new puzzle gets
    int ColorsChecked = 6;         // colour boxes ticked while the colour panel is open
    bool ColorPanelShown = false;  // the colour panel has been opened since start-up
};

// The option panels, which take the place of the side panel while open.
enum class Panel {
    None,
    Difficulty,
    Colours,
    LoadPuzzle,
    TurnTime,
    SavePuzzle,
};

struct Panels {
    Panel Shown = Panel::None;  // the panel on screen; clicks on the cube are ignored meanwhile
    bool TakesInput = false;    // keys and clicks belong to the open panel, not to the cube
};

// The square cursor of the keyboard player: a square of the front face as
// shown, which keeps its place on the screen when the cube turns.
struct Cursor {
    bool Shown = false;  // drawn, and the Ctrl+arrow keys turn its column or row
    int Column = 1;      // 1..N from the left
    int Row = 1;         // 1..N from the top
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
    Cursor cursor;
    // The solved test of the previous and of this pass.
    bool PrevUnsolved = false;
    bool Unsolved = false;
};

// Asks the main loop for a new cube with `scrambleLeft` scramble passes: the
// history starts afresh, and the view is redrawn.
void RequestNewCube(GameState& s, int scrambleLeft);

}  // namespace twistor
