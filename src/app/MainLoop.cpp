// The main loop: start-up, laying out a cube, and the passes that scramble,
// wait for the player, make moves, draw and notice a solved cube.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <variant>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/NumberText.h"
#include "render/Captions.h"
#include "render/CubeDrawing.h"
#include "render/SidePanel.h"
#include "solver/Solver.h"
#include "storage/FileIO.h"

namespace twistor {

int CubeWindow::Form_Activate() {
    StartUp();
    NewCubeBlock();
    RunPass(9);
    while (!quit_) RunPass(1);
    Timer1->stop();
    return exitStatus_;
}

void CubeWindow::Pump(EventPump::Wait wait) {
    pump_->Pump(wait);
}

void CubeWindow::StartUp() {
    s_.game.OutsideGame = 1;
    s_.game.AbandonedCube = 0;
    s_.game.NoButtonsOnce = 0;
    s_.modes.MinTurnTime = 0;
    Maximize();
    DrawPanel();
    s_.modes.SolveMode = 0;
    s_.modes.ScrambleLeft = 4;
    s_.cube.Resize(2);
    s_.options.ChosenSize = 2;
    s_.options.ColorsChecked = 6;
    s_.options.FaceColor = kDefaultColours;
    storage::RemoveStaleTemporaries(".");  // what saves cut short by a crash left
    ReadSettingsAtStartUp();
    s_.options.ColorPanelShown = 0;
}

void CubeWindow::NewCubeBlock() {
    s_.history.Clear();
    s_.scrambler.ForgetLastMove();
    area_->setFocus();
    s_.modes.CubeReady = 1;
    if (!DealColours(s_.cube, s_.options.FaceColor, s_.rnd)) {
        // Never deal from a set with a repeated colour: that deal would not end.
        s_.options.FaceColor = kDefaultColours;
        DealColours(s_.cube, s_.options.FaceColor, s_.rnd);
    }
    s_.layout = ComputeLayout(s_.cube.CubeSize(), area_->width(), area_->height());
    laidOutFor_ = area_->size();
    s_.rnd.Seed(clockSeed_());
    s_.view.FrontFace = s_.rnd.Draw(6);
    s_.view.FrontTurn = s_.rnd.Draw(4);
    DrawCubeNow();
}

// One pass of the loop, entered at step 1, or at step 9 after a lay-out.
void CubeWindow::RunPass(int entryStep) {
    pump_->PassStarted();
    Modes& m = s_.modes;
    Mailboxes& mail = s_.mail;
    int step = entryStep;

    if (step == 1) {
        if (m.ScrambleLeft > 0) {
            if (!s_.scrambler.Step(s_.cube, s_.view, s_.history, s_.rnd)) m.ScrambleLeft = 1;
            step = 8;
        } else {
            step = 2;
        }
    }

    while (step == 2) {
        for (;;) {
            mail.ClickPending = 0;
            mail.ViewKeyFlag = 0;
            // Block while nothing can happen without the player: the player
            // solves, or the computer has nothing left to play.
            const bool idle = m.SolveMode == 0 || (s_.history.Empty() && m.StepMode != 1);
            Pump(idle ? EventPump::Wait::Idle : EventPump::Wait::Poll);
            if (quit_) return;
            mail.TimerTick = 0;
            if (m.SolveMode == 1 && m.ScrambleLeft <= 0 && m.MinTurnTime > 0 && m.StepMode != 1) {
                Timer1->start(static_cast<int>(m.MinTurnTime * 100));
                mail.TimerTick = 0;
                while (mail.TimerTick != 1 && m.SolveMode != 0 && m.GameMode == 0 && !quit_) {
                    Pump(EventPump::Wait::Timer);
                }
                Timer1->stop();
                if (quit_) return;
            }
            ColourBoxStep();
            if (mail.ClickPending != 0 || mail.ViewKeyFlag == 1 || m.SolveMode == 1) break;
        }
        if (m.ScrambleLeft <= 0 && !s_.history.Empty() && m.SolveMode == 1) {
            ComputerStep();
            step = 8;
        } else if (m.CubeReady == 0) {
            NewCubeBlock();
            step = 9;
        } else if (mail.ViewKeyFlag == 1) {
            step = 8;
        } else if (mail.ClickPending == 1) {
            switch (ClickStep()) {
                case ClickOutcome::NoSquare:
                    break;  // back to waiting
                case ClickOutcome::Dropped:
                    step = 9;
                    break;
                case ClickOutcome::Moved:
                    step = 8;
                    break;
            }
        } else {
            step = 9;
        }
    }

    if (step == 8 && m.ScrambleLeft <= 0) DrawCubeNow();

    if (m.ScrambleLeft > 0) {
        --m.ScrambleLeft;
        if (m.ScrambleLeft == 0) {
            // The scramble is over: show it from face 1, upright.
            s_.view = View{1, 1};
            s_.scrambler.ResetRun();
            DrawCubeNow();
        }
    }

    if (m.StepMode == 1) EndSingleComputerMove();
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
    const Move top = s_.history.Top();
    s_.MoveAxis = top.axis;
    const SolverStep step = NextSolverStep(top, s_.view, s_.cube.CubeSize(), s_.rnd);
    if (const Click* click = std::get_if<Click>(&step)) {
        s_.history.Pop();
        s_.cube.TurnSlice(s_.view, *click);
    } else {
        s_.view = TurnWholeCube(s_.view, std::get<SolverSpin>(step).key);
        s_.mail.ViewKeyFlag = 1;
    }
}

void CubeWindow::EndSingleComputerMove() {
    SetSolver(0);
    s_.modes.StepMode = 0;
}

void CubeWindow::SolvedStep() {
    s_.PrevUnsolved = s_.Unsolved;
    s_.Unsolved = 0;
    if (!s_.cube.IsSolved()) {
        ClearBands();
        Repaint();
        s_.Unsolved = 1;
    }
    if (s_.PrevUnsolved == 1 && s_.Unsolved == 0) {
        s_.history.Clear();
        SolvedMoment();
        const QRect figure = FigureBounds(s_.layout);
        ShowSolvedBands(area_->canvas(), RightBandArea(figure), figure);
        Repaint();
    }
    if (s_.Unsolved == 1 && Visible("Command6")) Show({"Command6", "Command7"}, false);
}

void CubeWindow::ClearBands() {
    const QRect figure = FigureBounds(s_.layout);
    ClearSolvedBands(area_->canvas(), RightBandArea(figure), figure);
}

void CubeWindow::SolvedMoment() {
    GameFlow& g = s_.game;
    const bool game = s_.modes.GameMode == 1;
    if (game && !Visible("Command6") && g.SolvedSeen == 1) {
        if (g.CubesSolved < 0) g.CubesSolved = 0;
        SetCaption(GameCaption(s_.cube.CubeSize()));
        SetLabel("Label4", CubesSolvedText(g.CubesSolved));
    }
    g.SolvedSeen = 1;
    if (game) {
        if (g.AbandonedCube != 1 && g.NoButtonsOnce != 1 && g.OutsideGame != 2)
            Show({"Command6", "Command7"}, true);
        if (g.AbandonedCube != 1 && g.OutsideGame != 2) ++g.CubesSolved;
        if (g.CubesSolved == 0 && g.KeepZeroCount != 1) g.CubesSolved = 1;
        SetLabel("Label4", CubesSolvedText(g.CubesSolved));
    }
    g.KeepZeroCount = 0;
    g.NoButtonsOnce = 0;
    if (g.OutsideGame == 2) g.OutsideGame = 0;
    g.AbandonedCube = 0;
}

void CubeWindow::ColourBoxStep() {
    const Options& o = s_.options;
    if (o.ColorPanelShown != 1) return;
    QWidget* done = control("Command1");
    const bool six = o.ColorsChecked == 6;
    if (done->isEnabled() != six) done->setEnabled(six);
    // With six colours chosen no seventh can be ticked; with fewer, every
    // colour is free to choose again.
    for (const char* name :
         {"Check1", "Check2", "Check35", "Check36", "Check37", "Check38", "Check39", "Check3",
          "Check4", "Check42", "Check43", "Check44", "Check45", "Check46"}) {
        auto* box = static_cast<QCheckBox*>(control(name));
        const bool available = !six || box->isChecked();
        if (box->isEnabled() != available) box->setEnabled(available);
    }
}

}  // namespace twistor
