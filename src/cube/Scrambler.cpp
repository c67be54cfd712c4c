// SPDX-License-Identifier: GPL-3.0-or-later
#include "cube/Scrambler.h"

namespace twistor {

namespace {

// A random move from face 1 (columns, axis 1), face 5 (columns, axis 2) or
// face 6 (rows, axis 3), upright: the view turns to that face, and the
// click is on one of its edges.
Click DrawScrambleClick(View& view, int n, Random& rnd) {
    Click click;
    view.FrontTurn = 1;
    click.PickButton = kLeftButton;
    switch (rnd.Draw(3)) {
        case 1:
            view.FrontFace = 1;
            break;
        case 2:
            view.FrontFace = 6, click.PickButton = kRightButton;
            break;
        default:
            view.FrontFace = 5;
            break;
    }
    if (click.PickButton == kRightButton) {
        click.PickColumn = rnd.Draw(2) == 2 ? n : 1;
        click.PickRow = rnd.Draw(n);
    } else {
        click.PickRow = rnd.Draw(2) == 2 ? n : 1;
        click.PickColumn = rnd.Draw(n);
    }
    return click;
}

// The history entry that undoes `click` on `face`.
Move UndoOf(int face, const Click& click, int n) {
    switch (face) {
        case 1:
            return {1, click.PickColumn, n - click.PickRow + 1};
        case 5:
            return {2, click.PickColumn, n - click.PickRow + 1};
        default:
            return {3, n - click.PickColumn + 1, click.PickRow};
    }
}

}  // namespace

bool Scrambler::Allows(int face, int slice, int edge, int n) {
    if (face != ScrambleLastFace) {
        ResetRun();
        return true;
    }
    if (ScrambleRunExtra == 1) return false;
    if (RunLowCount == 0 && RunHighCount == 0) {
        // First try at a second move in this run: note the first move.
        const bool rows = ScrambleLastFace == 6;
        RecentSlice = rows ? ScrambleLastRow : ScrambleLastColumn;
        const int lastEdge = rows ? ScrambleLastColumn : ScrambleLastRow;
        if (lastEdge == 1)
            ++RunLowCount;
        else if (lastEdge == n)
            ++RunHighCount;
    }
    if (slice == RecentSlice) return false;
    int& sameWay = edge == 1 ? RunLowCount : RunHighCount;
    if (sameWay >= n / 2) return false;
    ++sameWay;
    ScrambleRunExtra = 1;
    return true;
}

bool Scrambler::Step(Cube& cube, View& view, History& history, Random& rnd) {
    if (history.Full()) return false;
    const int n = cube.CubeSize();
    Click click;
    for (;;) {
        click = DrawScrambleClick(view, n, rnd);
        const bool rows = click.PickButton == kRightButton;
        const int slice = rows ? click.PickRow : click.PickColumn;
        const int edge = rows ? click.PickColumn : click.PickRow;
        if (Allows(view.FrontFace, slice, edge, n)) break;
    }
    ScrambleLastFace = view.FrontFace;
    ScrambleLastColumn = click.PickColumn;
    ScrambleLastRow = click.PickRow;
    history.Push(UndoOf(view.FrontFace, click, n));
    cube.TurnSlice(view, click);
    return true;
}

}  // namespace twistor
