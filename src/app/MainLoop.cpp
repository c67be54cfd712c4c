// SPDX-License-Identifier: GPL-3.0-or-later
// The main loop: start-up, laying out a cube, and the passes that scramble,
// wait for the player, make moves, draw and notice a solved cube.

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <variant>

#include "app/Captions.h"
#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/GameState.h"
#include "app/Widgets.h"
#include "render/CubeDrawing.h"
#include "render/SidePanel.h"
#include "solver/Solver.h"
#include "storage/FileIO.h"

namespace twistor {

int CubeWindow::Run() {
    StartUp();
    NewCubeBlock();
    RunPass(Entry::AfterLayOut);
    while (!quit_) RunPass(Entry::Top);
    Timer1->stop();
    return exitStatus_;
}

void CubeWindow::Pump(EventPump::Wait wait) {
    pump_->Pump(wait);
}

void CubeWindow::StartUp() {
    s_.game.ForgetGame();
    s_.modes.MinTurnTime = 0;
    Maximize();
    DrawPanel();
    s_.modes.SolveMode = Solver::Player;
    s_.modes.ScrambleLeft = ScramblePasses(3);
    s_.cube.Resize(2);
    s_.options.ChosenSize = 2;
    s_.options.ColorsChecked = 6;
    s_.options.FaceColor = storage::kDefaultColours;
    storage::RemoveStaleTemporaries(".");  // what saves cut short by a crash left
    ReadSettingsAtStartUp();
    s_.options.ColorPanelShown = false;
}

// Lays out a new cube: solved, dealt its colours, and shown from a random view.
void CubeWindow::NewCubeBlock() {
    s_.history.Clear();
    s_.scrambler.ForgetLastMove();
    area_->setFocus();
    s_.modes.NewCubeWanted = false;
    s_.cursor.Shown = false;
    if (!DealColours(s_.cube, s_.options.FaceColor, s_.rnd)) {
        // Never deal from a set with a repeated colour: that deal would not end.
        s_.options.FaceColor = storage::kDefaultColours;
        DealColours(s_.cube, s_.options.FaceColor, s_.rnd);
    }
    s_.layout = ComputeLayout(s_.cube.CubeSize(), area_->width(), area_->height());
    laidOutFor_ = area_->size();
    s_.rnd.Seed(clockSeed_());
    s_.view.FrontFace = s_.rnd.Draw(6);
    s_.view.FrontTurn = s_.rnd.Draw(4);
    DrawCubeNow();
}

// One pass of the loop. A pass scrambles or waits for something to do, acts
// on it, draws, and ends with the solved test. Right after a lay-out it goes
// straight to that end.
void CubeWindow::RunPass(Entry entry) {
    pump_->PassStarted();
    Stage stage = entry == Entry::Top ? ScrambleStage() : Stage::Finish;
    while (stage == Stage::Wait) {
        WaitForInput();
        if (quit_) return;
        stage = ActOnInput();
    }
    FinishPass(stage);
}

// One scramble move while the scramble lasts; otherwise the pass waits.
CubeWindow::Stage CubeWindow::ScrambleStage() {
    Modes& m = s_.modes;
    if (m.ScrambleLeft <= 0) return Stage::Wait;
    if (!s_.scrambler.Step(s_.cube, s_.view, s_.history, s_.rnd)) m.ScrambleLeft = 1;
    return Stage::Draw;
}

// Lets events run until there is a click, a key or a computer move to act on.
void CubeWindow::WaitForInput() {
    const Modes& m = s_.modes;
    Mailboxes& mail = s_.mail;
    for (;;) {
        mail.ClickPending = false;
        mail.RedrawWanted = false;
        // Block while nothing can happen without the player: the player
        // solves, or the computer has nothing left to play.
        const bool idle = m.SolveMode == Solver::Player || (s_.history.Empty() && !m.StepMode);
        Pump(idle ? EventPump::Wait::Idle : EventPump::Wait::Poll);
        if (quit_) return;
        mail.TimerTick = false;
        if (m.ComputerWaits()) {
            WaitForTurnTime();
            if (quit_) return;
        }
        ColourBoxStep();
        if (mail.ClickPending || mail.RedrawWanted || m.SolveMode == Solver::Computer) return;
    }
}

// Holds the computer's move back for the chosen turn time; taking over as
// the player or starting game mode ends the wait at once.
void CubeWindow::WaitForTurnTime() {
    const Modes& m = s_.modes;
    Timer1->start(m.TurnWaitMilliseconds());
    s_.mail.TimerTick = false;
    while (!s_.mail.TimerTick && m.SolveMode != Solver::Player && !m.GameMode && !quit_) {
        Pump(EventPump::Wait::Timer);
    }
    Timer1->stop();
}

CubeWindow::Stage CubeWindow::ActOnInput() {
    const Modes& m = s_.modes;
    if (m.ScrambleLeft <= 0 && !s_.history.Empty() && m.SolveMode == Solver::Computer) {
        ComputerStep();
        return Stage::Draw;
    }
    if (m.NewCubeWanted) {
        NewCubeBlock();
        return Stage::Finish;
    }
    if (s_.mail.RedrawWanted) return Stage::Draw;
    if (!s_.mail.ClickPending) return Stage::Finish;
    switch (ClickStep()) {
        case ClickOutcome::NoSquare:
            return Stage::Wait;
        case ClickOutcome::Dropped:
            return Stage::Finish;
        case ClickOutcome::Moved:
            break;
    }
    return Stage::Draw;
}

// Draws what the pass changed, counts the scramble down and looks whether
// the cube has just become solved.
void CubeWindow::FinishPass(Stage stage) {
    Modes& m = s_.modes;
    if (stage == Stage::Draw && m.ScrambleLeft <= 0) DrawCubeNow();
    const bool scrambleEnds = m.ScrambleLeft == 1;
    m.ScrambleLeft = std::max(0, m.ScrambleLeft - 1);
    if (scrambleEnds) {
        // The scramble is over: show it from face 1, upright.
        s_.view = View{1, 1};
        s_.scrambler.ResetRun();
        DrawCubeNow();
    }
    if (m.StepMode) EndSingleComputerMove();
    SolvedStep();
}

CubeWindow::ClickOutcome CubeWindow::ClickStep() {
    const int n = s_.cube.CubeSize();
    const auto square = HitScan(s_.layout, s_.mail.ClickX, s_.mail.ClickY);
    if (!square) return ClickOutcome::NoSquare;
    const auto request =
        ClickToMove(s_.mail.ClickButton, square->first, square->second, s_.view, n);
    if (!request) return ClickOutcome::Dropped;
    s_.MoveAxis = request->move.axis;
    // A full history refuses the move, so that the history always describes
    // the cube and the computer can always solve it.
    if (PushUserMove(s_.history, request->move, s_.cube, s_.view, s_.rnd) == PushResult::Refused) {
        return ClickOutcome::Dropped;
    }
    s_.cube.TurnSlice(s_.view, request->click);
    return ClickOutcome::Moved;
}

void CubeWindow::ComputerStep() {
    s_.MoveAxis = s_.history.Top().axis;
    const auto step = PlaySolverStep(s_.cube, s_.view, s_.history, s_.rnd);
    if (std::holds_alternative<SolverSpin>(step)) s_.mail.RedrawWanted = true;
}

void CubeWindow::EndSingleComputerMove() {
    SetSolver(Solver::Player);
    s_.modes.StepMode = false;
}

void CubeWindow::SolvedStep() {
    s_.PrevUnsolved = s_.Unsolved;
    s_.Unsolved = !s_.cube.IsSolved();
    if (s_.Unsolved) ClearBands();
    if (s_.PrevUnsolved && !s_.Unsolved) {
        s_.history.Clear();
        ShowSolvedNews(s_.game.SolvedMoment(s_.modes.GameMode));
        ShowSolvedBands(area_->scene(), s_.layout);
        Repaint();
    }
}

void CubeWindow::ShowSolvedNews(const SolvedNews& news) {
    if (news.gameCaption) SetCaption(GameCaption(s_.cube.CubeSize()));
    ShowGameControls();
    if (news.showCount) SetLabel(c_.Label4, CubesSolvedText(s_.game.CubesSolved));
}

void CubeWindow::ColourBoxStep() {
    const Options& o = s_.options;
    if (!o.ColorPanelShown) return;
    const bool six = o.ColorsChecked == 6;
    if (c_.Command1->isEnabled() != six) c_.Command1->setEnabled(six);
    // With six colours chosen no seventh can be ticked; with fewer, every
    // colour is free to choose again.
    for (const ColourChoice& c : c_.colourBoxes) {
        const bool available = !six || c.box->isChecked();
        if (c.box->isEnabled() != available) c.box->setEnabled(available);
    }
}

}  // namespace twistor
