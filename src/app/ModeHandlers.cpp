// The handlers that change who solves, start and end game mode, and ask for
// new cubes. They set state and flags for the main loop and redraw the side
// panel when they change what it shows.

#include <QAction>
#include <QPushButton>

#include "app/Captions.h"
#include "app/CubeWindow.h"
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

void CubeWindow::usolve_Click() {
    if (!items_.usolve->isChecked()) LeaveGameFor(Solver::Player);
}

void CubeWindow::csolve_Click() {
    if (!items_.csolve->isChecked()) LeaveGameFor(Solver::Computer);
}

// Practice or computer mode from the menu: a game in play is left, and a
// cube it had not finished will not count.
void CubeWindow::LeaveGameFor(Solver solver) {
    s_.game.LeaveForOtherMode(s_.modes.GameMode, ButtonsShown());
    SetVisible(c_.GameLabels(), false);
    SetVisible(c_.GameButtons(), false);
    items_.newpuzzle->setText("New puzzle");
    SetCaption(PracticeCaption());
    SetSolver(solver);
    SetLoadSaveEnabled(true);
}

void CubeWindow::gamemode_Click() {
    if (items_.gamemode->isChecked() || s_.modes.GameMode) return;
    const bool solved = s_.cube.IsSolved();
    if (!solved) ClearBands();
    s_.cube.Resize(s_.options.ChosenSize);
    RequestNewCube(s_, std::max(2, ChosenScrambleCount() + 1));
    s_.game.StartGame(solved, s_.modes.ScrambleLeft);
    items_.newpuzzle->setText("New game");
    SetCaption(GameCaption(s_.cube.CubeSize()));
    ClearPanel();
    s_.modes.SolveMode = Solver::Player;
    items_.usolve->setChecked(false);
    items_.csolve->setChecked(false);
    items_.gamemode->setChecked(true);
    s_.modes.GameMode = true;
    SetVisible(c_.GameLabels(), true);
    ShowGameCounts();
    SetLoadSaveEnabled(false);
}

// "Start new cube" after a solved game cube.
void CubeWindow::Command6_Click() {
    SetLabel(c_.Label5, DifficultyText(s_.game.DifficultyMoves - 1));
    RequestNewCube(s_, s_.game.DifficultyMoves);
    SetVisible(c_.GameButtons(), false);
    Maximize();
}

// "Quit playing" after a solved game cube: back to practice.
void CubeWindow::Command7_Click() {
    s_.game.QuitPlaying();
    SetVisible(c_.GameLabels(), false);
    SetVisible(c_.GameButtons(), false);
    items_.newpuzzle->setText("New puzzle");
    SetCaption(GameCaption(s_.cube.CubeSize()));
    SetSolver(Solver::Player);
    SetLoadSaveEnabled(true);
}

void CubeWindow::SizeItem_Click(int size) {
    s_.options.ChosenSize = size;
    CheckSizeItem(size);
}

void CubeWindow::newpuzzle_Click() {
    const bool game = s_.modes.GameMode;
    s_.game.NewPuzzle(game, ButtonsShown());
    s_.cube.Resize(s_.options.ChosenSize);
    const int scramble = ChosenScrambleCount() + 1;
    RequestNewCube(s_, game ? std::max(2, scramble) : scramble);
    if (game) {
        s_.game.DifficultyMoves = s_.modes.ScrambleLeft;
        SetLabel(c_.Label4, CubesSolvedText(0));
        SetLabel(c_.Label5, DifficultyText(s_.game.DifficultyMoves - 1));
        SetCaption(GameCaption(s_.cube.CubeSize()));
    }
    Maximize();
}

void CubeWindow::quit_Click() {
    RequestQuit(0);
}

}  // namespace twistor
