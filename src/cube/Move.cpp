// SPDX-License-Identifier: GPL-3.0-or-later
#include "cube/Move.h"

#include "cube/Tables.h"

namespace twistor {

bool IsValidMove(const Move& m, int n) {
    if (m.axis < 1 || m.axis > 3) return false;
    const int slice = SliceOf(m);
    const int edge = EdgeOf(m);
    return slice >= 1 && slice <= n && (edge == 1 || edge == n);
}

std::optional<MoveRequest> ClickToMove(int button, int column, int row, View view, int n) {
    const Click click{button, column, row};
    if (!IsEdgeClick(click, n) || !IsValidView(view)) return std::nullopt;

    // The square in the front face's own grid.
    int x = 0;
    int y = 0;
    switch (view.FrontTurn) {
        case 1:
            x = column, y = row;
            break;
        case 2:
            x = row, y = n + 1 - column;
            break;
        case 3:
            x = n + 1 - column, y = n + 1 - row;
            break;
        default:
            x = n + 1 - row, y = column;
            break;
    }
    const int xm = n + 1 - x;
    const int ym = n + 1 - y;

    // Upright or upside down, the left button moves squares along the face's
    // own columns; turned a quarter, the right one does.
    const bool alongColumns = (button == kLeftButton) == (view.FrontTurn % 2 == 1);
    Move move;
    if (alongColumns) {
        switch (view.FrontFace) {
            case 5:
                move = {2, x, y};
                break;
            case 6:
                move = {2, xm, ym};
                break;
            default:
                move = {1, x, y};
                break;
        }
    } else {
        switch (view.FrontFace) {
            case 2:
                move = {2, y, xm};
                break;
            case 3:
                move = {3, xm, ym};
                break;
            case 4:
                move = {2, ym, x};
                break;
            default:
                move = {3, x, y};
                break;
        }
    }
    return MoveRequest{click, move, TurnDirection(click, n)};
}

std::optional<Click> ClickForMove(const Move& m, View view, int n) {
    if (!IsValidMove(m, n) || !IsValidView(view)) return std::nullopt;
    const tables::SolverClick how =
        tables::kSolverClick[view.FrontTurn - 1][view.FrontFace - 1][m.axis - 1];
    if (how.button == tables::SolverButton::Spin) return std::nullopt;
    const int a = m.first;
    const int b = m.second;
    Click click;
    click.PickButton = how.button == tables::SolverButton::Left ? kLeftButton : kRightButton;
    switch (how.cell) {
        case tables::CellFormula::AB:
            click.PickColumn = a, click.PickRow = b;
            break;
        case tables::CellFormula::NbA:
            click.PickColumn = n - b + 1, click.PickRow = a;
            break;
        case tables::CellFormula::NaNb:
            click.PickColumn = n - a + 1, click.PickRow = n - b + 1;
            break;
        case tables::CellFormula::BNa:
            click.PickColumn = b, click.PickRow = n - a + 1;
            break;
    }
    return click;
}

}  // namespace twistor
