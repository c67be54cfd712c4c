// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CubeDescription.h"

#include "app/GameState.h"
#include "render/CubeDrawing.h"
#include "render/Palette.h"

namespace twistor {

namespace {

std::string ColourName(int colour) {
    return colour >= 0 && colour < static_cast<int>(kColourNames.size())
               ? std::string(kColourNames[colour])
               : "no colour";
}

}  // namespace

std::string DescribeCube(const GameState& s) {
    const int n = s.cube.CubeSize();
    const std::string size = std::to_string(n);
    std::string text = "A " + size + " by " + size + " by " + size + " cube, ";
    text += s.modes.GameMode                        ? "game mode, "
            : s.modes.SolveMode == Solver::Computer ? "the computer solves, "
                                                    : "practice mode, ";
    text += s.cube.IsSolved() ? "solved" : "not solved";
    const int moves = s.history.MoveCount();
    text += ", " + std::to_string(moves) + (moves == 1 ? " move" : " moves") + " in its history.";
    if (s.cursor.Shown) {
        text += " The square cursor is on column " + std::to_string(s.cursor.Column) + ", row " +
                std::to_string(s.cursor.Row) + ".";
    }
    text += " The front face";
    for (int row = 1; row <= n; ++row) {
        text += ", row " + std::to_string(row) + ":";
        for (int col = 1; col <= n; ++col) {
            const FaceCell cell = FaceCellAt(s.view.FrontTurn, col, row, n);
            text += (col == 1 ? " " : ", ") +
                    ColourName(s.cube.Sticker(cell.x, cell.y, s.view.FrontFace));
        }
    }
    text +=
        ". The boxes \"User Solves Cube\" and \"Computer Solves Cube\" at the top left are "
        "also in the Options menu, under Solving options.";
    return text;
}

}  // namespace twistor
