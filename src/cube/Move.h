// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "cube/Cube.h"
#include "cube/View.h"

namespace twistor {

// A move in the cube's own frame, independent of the view: the axis (1 turns
// the ring of faces 1-2-3-4, 2 the ring 2-6-4-5, 3 the ring 1-5-3-6), the
// slice 1..N and the edge 1 or N, which tells the sense. For axes 1 and 2
// `first` is the slice and `second` the edge; for axis 3 it is the other way
// round.
struct Move {
    int axis = 0;
    int first = 0;
    int second = 0;

    friend bool operator==(const Move&, const Move&) = default;
};

inline Move MakeMove(int axis, int slice, int edge) {
    return axis == 3 ? Move{axis, edge, slice} : Move{axis, slice, edge};
}
inline int SliceOf(const Move& m) {
    return m.axis == 3 ? m.second : m.first;
}
inline int EdgeOf(const Move& m) {
    return m.axis == 3 ? m.first : m.second;
}

// The same slice turned the other way.
inline Move Inverse(const Move& m, int n) {
    return MakeMove(m.axis, SliceOf(m), n + 1 - EdgeOf(m));
}

// A well-formed move of an N-cube: axis 1..3, slice 1..N, edge 1 or N.
bool IsValidMove(const Move& m, int n);

// A click on a front-face square that qualifies as a move, with what it does
// in the cube's own frame.
struct MoveRequest {
    Click click;
    Move move;          // the click as a move of the cube
    int direction = 1;  // 1: up or right, 2: down or left
};

// Turns a clicked square (screen column and row, 1..N) with a mouse button
// into a move, or nothing when the square is not on an edge that the button
// can push across, or the button is neither left (1) nor right (2).
std::optional<MoveRequest> ClickToMove(int button, int column, int row, View view, int n);

// The click that makes the given move from the given view, or nothing when
// the move's axis runs through the front face and no row or column of it
// turns that slice. The inverse of ClickToMove.
std::optional<Click> ClickForMove(const Move& m, View view, int n);

}  // namespace twistor
