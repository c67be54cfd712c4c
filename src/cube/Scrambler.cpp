#include "cube/Scrambler.h"

namespace twistor {

bool Scrambler::Step(Cube& cube, View& view, History& history, Random& rnd) {
    if (history.Full()) return false;
    const int n = cube.CubeSize();
    Click click;
    for (;;) {
        // Face 1 turns columns (axis 1), face 5 columns (axis 2), face 6
        // rows (axis 3).
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
        int slice = 0;
        int edge = 0;
        if (click.PickButton == kRightButton) {
            click.PickColumn = edge = rnd.Draw(2) == 2 ? n : 1;
            click.PickRow = slice = rnd.Draw(n);
        } else {
            click.PickRow = edge = rnd.Draw(2) == 2 ? n : 1;
            click.PickColumn = slice = rnd.Draw(n);
        }

        if (view.FrontFace != ScrambleLastFace) {
            ResetRun();
            break;
        }
        if (ScrambleRunExtra == 1) continue;
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
        if (slice == RecentSlice) continue;
        int& sameWay = edge == 1 ? RunLowCount : RunHighCount;
        if (sameWay >= n / 2) continue;
        ++sameWay;
        ScrambleRunExtra = 1;
        break;
    }

    ScrambleLastFace = view.FrontFace;
    ScrambleLastColumn = click.PickColumn;
    ScrambleLastRow = click.PickRow;

    Move undo;
    switch (view.FrontFace) {
        case 1:
            undo = {1, click.PickColumn, n - click.PickRow + 1};
            break;
        case 5:
            undo = {2, click.PickColumn, n - click.PickRow + 1};
            break;
        default:
            undo = {3, n - click.PickColumn + 1, click.PickRow};
            break;
    }
    history.Push(undo);
    cube.TurnSlice(view, click);
    return true;
}

}  // namespace twistor
