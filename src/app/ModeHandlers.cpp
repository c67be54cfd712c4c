// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers that change who solves, start and end game mode, and ask for
// new cubes. They set state and flags for the main loop and redraw the side
// panel when they change what it shows.

#include <QAction>
#include <QPushButton>

#include "app/Captions.h"
#include "app/CubeWindow.h"
#include "app/GameState.h"
#include "app/Widgets.h"

namespace twistor {

void CubeWindow::SetSolver(Solver solver) {
    s_.modes.SolveMode = solver;
    items_.usolve->setChecked(solver == Solver::Player);
    items_.csolve->setChecked(solver == Solver::Computer);
    items_.gamemode->setChecked(false);
    s_.modes.GameMode = false;
    DrawPanel();
}

void CubeWindow::ChooseUserSolves() {
    if (!items_.usolve->isChecked()) LeaveGameFor(Solver::Player);
}

void CubeWindow::ChooseComputerSolves() {
    if (!items_.csolve->isChecked()) LeaveGameFor(Solver::Computer);
}

// Practice or computer mode from the menu: a game in play is left, and a
// cube it had not finished will not count.
void CubeWindow::LeaveGameFor(Solver solver) {
    s_.game.LeaveForOtherMode(s_.modes.GameMode);
    ShowGameControls();
    items_.newpuzzle->setText(kNewPuzzleCaption);
    SetCaption(PracticeCaption());
    SetSolver(solver);
    SetLoadSaveEnabled(true);
}

void CubeWindow::StartGameMode() {
    if (items_.gamemode->isChecked() || s_.modes.GameMode) return;
    const bool solved = s_.cube.IsSolved();
    if (!solved) ClearBands();
    s_.cube.Resize(s_.options.ChosenSize);
    RequestNewCube(s_, GameScramblePasses(ChosenScrambleCount()));
    s_.game.StartGame(solved, s_.modes.ScrambleLeft);
    items_.newpuzzle->setText(kNewGameCaption);
    SetCaption(GameCaption(s_.cube.CubeSize()));
    ClearPanel();
    s_.modes.SolveMode = Solver::Player;
    items_.usolve->setChecked(false);
    items_.csolve->setChecked(false);
    items_.gamemode->setChecked(true);
    s_.modes.GameMode = true;
    ShowGameControls();
    ShowGameCounts();
    SetLoadSaveEnabled(false);
}

// "Start new cube" after a solved game cube.
void CubeWindow::StartNewGameCube() {
    SetLabel(c_.Label5, DifficultyText(DifficultyLevel(s_.game.DifficultyMoves)));
    RequestNewCube(s_, s_.game.DifficultyMoves);
    s_.game.NextGameCube();
    ShowGameControls();
    Maximize();
}

// "Quit playing" after a solved game cube: back to practice.
void CubeWindow::QuitPlaying() {
    s_.game.QuitPlaying();
    ShowGameControls();
    items_.newpuzzle->setText(kNewPuzzleCaption);
    SetCaption(GameCaption(s_.cube.CubeSize()));
    SetSolver(Solver::Player);
    SetLoadSaveEnabled(true);
}

void CubeWindow::ChooseSize(int size) {
    s_.options.ChosenSize = size;
    CheckSizeItem(size);
}

void CubeWindow::NewPuzzle() {
    const bool game = s_.modes.GameMode;
    s_.game.NewPuzzle(game);
    ShowGameControls();
    s_.cube.Resize(s_.options.ChosenSize);
    const int count = ChosenScrambleCount();
    RequestNewCube(s_, game ? GameScramblePasses(count) : ScramblePasses(count));
    if (game) {
        s_.game.DifficultyMoves = s_.modes.ScrambleLeft;
        SetLabel(c_.Label4, CubesSolvedText(0));
        SetLabel(c_.Label5, DifficultyText(DifficultyLevel(s_.game.DifficultyMoves)));
        SetCaption(GameCaption(s_.cube.CubeSize()));
    }
    Maximize();
}

void CubeWindow::Quit() {
    RequestQuit(0);
}

}  // namespace twistor
