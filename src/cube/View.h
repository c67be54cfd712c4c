// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace twistor {

class Random;

// One of the 24 ways the cube can face the player: a face in front, shown
// upright (1) or turned a further quarter clockwise (2, 3, 4).
struct View {
    int FrontFace = 1;
    int FrontTurn = 1;

    friend bool operator==(const View&, const View&) = default;
};

inline bool IsValidView(View v) {
    return v.FrontFace >= 1 && v.FrontFace <= 6 && v.FrontTurn >= 1 && v.FrontTurn <= 4;
}

// Index 0..23 of a valid view, for tables and loops.
inline int ViewIndex(View v) {
    return (v.FrontTurn - 1) * 6 + (v.FrontFace - 1);
}
inline View ViewFromIndex(int i) {
    return View{i % 6 + 1, i / 6 + 1};
}

// Mouse buttons of a move: the left one turns a column, the right one a row.
enum : int { kLeftButton = 1, kRightButton = 2 };

// Whole-cube turns: the four arrow keys, and "r" and "t", which turn the
// picture about the front face a quarter turn anticlockwise and clockwise.
enum class CubeKey { Left, Up, Right, Down, R, T };

// One of the four arrow keys, drawn at random: Left, Up, Right, Down for a
// draw of 1, 2, 3, 4.
CubeKey RandomArrow(Random& rnd);

// The pair reached by stepping from (face, turn) across one edge of the
// front face; see kRingStep.
View RingStep(int turn, int button, int face, int direction);

// The view after a whole-cube turn. Stickers never change.
View TurnWholeCube(View v, CubeKey key);

}  // namespace twistor
