// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard: the cube's keys, the square cursor that turns slices as a
// click does, the menus' F10, and the keys of an open panel.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/GameState.h"
#include "app/KeyBindings.h"
#include "render/Layout.h"

namespace twistor {

namespace {

// Shift, Ctrl and the like on their own: the first half of a key such as
// Shift+Tab.
bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_AltGr || key == Qt::Key_Meta || key == Qt::Key_CapsLock;
}

}  // namespace

bool CubeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // A menu, the menu bar and another window (a note) keep their keys.
    if (!widget || widget->window() != this || QApplication::activePopupWidget() ||
        qobject_cast<QMenuBar*>(widget)) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const KeyBinding* binding = FindKeyBinding(key->key(), key->modifiers());
    const KeyAction action = ActionOf(binding);
    if (action == KeyAction::OpenMenus) {
        OpenMenus();
        return true;
    }
    if (s_.panels.TakesInput) return OnPanelKey(widget, key->key(), binding);
    // Under a solved game cube, Tab reaches its two buttons and Return or
    // Space presses the one that has the keyboard.
    if (s_.game.WaitingForNewCube &&
        (action == KeyAction::PanelFocus || action == KeyAction::PanelPress ||
         action == KeyAction::PanelDone)) {
        auto* button = qobject_cast<QPushButton*>(widget);
        if (action == KeyAction::PanelDone && button) button->click();
        return action == KeyAction::PanelDone;
    }
    // Otherwise every key is the cube's, whichever control Qt would give it to.
    OnKey(action);
    return true;
}

void CubeWindow::OnKey(KeyAction action) {
    if (s_.modes.SolveMode != Solver::Player || s_.panels.TakesInput) return;
    const int n = s_.cube.CubeSize();
    const Cursor& cursor = s_.cursor;
    switch (action) {
        case KeyAction::TurnCubeLeft:
            return TurnView(CubeKey::Left);
        case KeyAction::TurnCubeUp:
            return TurnView(CubeKey::Up);
        case KeyAction::TurnCubeRight:
            return TurnView(CubeKey::Right);
        case KeyAction::TurnCubeDown:
            return TurnView(CubeKey::Down);
        case KeyAction::SpinClockwise:
            return TurnView(CubeKey::T);
        case KeyAction::SpinAnticlockwise:
            return TurnView(CubeKey::R);
        case KeyAction::ComputerMove:
            if (s_.modes.GameMode) return;
            SetSolver(Solver::Computer);
            s_.modes.StepMode = true;
            return;
        case KeyAction::MoveCursorLeft:
            return MoveCursor(-1, 0);
        case KeyAction::MoveCursorUp:
            return MoveCursor(0, -1);
        case KeyAction::MoveCursorRight:
            return MoveCursor(1, 0);
        case KeyAction::MoveCursorDown:
            return MoveCursor(0, 1);
        case KeyAction::TurnColumnUp:
            return ClickCursorLine(kLeftButton, cursor.Column, 1);
        case KeyAction::TurnColumnDown:
            return ClickCursorLine(kLeftButton, cursor.Column, n);
        case KeyAction::TurnRowLeft:
            return ClickCursorLine(kRightButton, 1, cursor.Row);
        case KeyAction::TurnRowRight:
            return ClickCursorLine(kRightButton, n, cursor.Row);
        default:
            return;  // the menus' and the panels' keys
    }
}

void CubeWindow::TurnView(CubeKey key) {
    s_.view = TurnWholeCube(s_.view, key);
    s_.mail.RedrawWanted = true;
}

// The first press shows the cursor in the middle of the front face (up and
// left of it for an even size); the next ones move it, up to the edges.
void CubeWindow::MoveCursor(int dx, int dy) {
    Cursor& c = s_.cursor;
    const int n = s_.cube.CubeSize();
    if (!c.Shown) {
        c = Cursor{true, (n + 1) / 2, (n + 1) / 2};
    } else {
        c.Column = std::clamp(c.Column + dx, 1, n);
        c.Row = std::clamp(c.Row + dy, 1, n);
    }
    s_.mail.RedrawWanted = true;
}

// A click on the middle of the edge square (column, row), left for the main
// loop as the mouse leaves one: the history, the solved test and game mode
// cannot tell the two apart.
void CubeWindow::ClickCursorLine(int button, int column, int row) {
    if (!s_.cursor.Shown || !TakesClicks()) return;
    const auto [x, y] = SquareCentre(s_.layout, column, row);
    RecordClick(button, x, y);
}

void CubeWindow::HideCursor() {
    if (!s_.cursor.Shown) return;
    s_.cursor.Shown = false;
    DrawCubeNow();
}

void CubeWindow::OpenMenus() {
    menuBar()->setActiveAction(menuBar()->actions().front());
}

// Return presses the focused button, or else the panel's "Done"; Escape its
// "Cancel", or its "Done" where it has none. Tab and Space are Qt's. A key on
// the difficulty panel's "Done" that presses nothing gives the keyboard back
// to the cube.
bool CubeWindow::OnPanelKey(QWidget* widget, int key, const KeyBinding* binding) {
    const KeyAction action = ActionOf(binding);
    if (action == KeyAction::PanelDone) {
        auto* button = qobject_cast<QPushButton*>(widget);
        (button ? button : PanelButtons().first)->click();
        return true;
    }
    if (action == KeyAction::PanelCancel) {
        const auto [done, cancel] = PanelButtons();
        (cancel ? cancel : done)->click();
        return true;
    }
    if (widget == c_.Command3 && action != KeyAction::PanelFocus &&
        action != KeyAction::PanelPress && !IsModifierKey(key)) {
        HandKeysBackToCube();
        return true;
    }
    return false;
}

std::pair<QPushButton*, QPushButton*> CubeWindow::PanelButtons() const {
    switch (s_.panels.Shown) {
        case Panel::Difficulty:
            return {c_.Command3, nullptr};
        case Panel::Colours:
            return {c_.Command1, nullptr};
        case Panel::LoadPuzzle:
            return {c_.Command8, c_.Command9};
        case Panel::TurnTime:
            return {c_.Command5, nullptr};
        case Panel::SavePuzzle:
            return {c_.Command10, c_.Command11};
        case Panel::None:
            break;
    }
    return {nullptr, nullptr};
}

}  // namespace twistor
