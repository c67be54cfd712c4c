// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cube's geometry, as fixed tables. Nothing is computed from a 3-D model:
// which face lies beyond which edge of which face, seen in which orientation.

// The tables keep the layout of rows and columns they are read by.
// clang-format off
namespace twistor::tables {

struct FaceTurn {
    signed char face;
    signed char turn;
};

// kRingStep[turn - 1][button - 1][face - 1][direction - 1]: the next pair
// (face, turn) of a slice ring, walking from a face seen in `turn` across
// the edge that `button` and `direction` push the stickers over.
inline constexpr FaceTurn kRingStep[4][2][6][2] = {
    // turn 1
    {{{{2, 1}, {4, 1}}, {{3, 1}, {1, 1}}, {{4, 1}, {2, 1}}, {{1, 1}, {3, 1}}, {{2, 4}, {4, 2}}, {{2, 2}, {4, 4}}},
     {{{6, 1}, {5, 1}}, {{6, 4}, {5, 2}}, {{6, 3}, {5, 3}}, {{6, 2}, {5, 4}}, {{1, 1}, {3, 3}}, {{3, 3}, {1, 1}}}},
    // turn 2
    {{{{5, 2}, {6, 2}}, {{5, 3}, {6, 1}}, {{5, 4}, {6, 4}}, {{5, 1}, {6, 3}}, {{3, 4}, {1, 2}}, {{1, 2}, {3, 4}}},
     {{{2, 2}, {4, 2}}, {{3, 2}, {1, 2}}, {{4, 2}, {2, 2}}, {{1, 2}, {3, 2}}, {{2, 1}, {4, 3}}, {{2, 3}, {4, 1}}}},
    // turn 3
    {{{{4, 3}, {2, 3}}, {{1, 3}, {3, 3}}, {{2, 3}, {4, 3}}, {{3, 3}, {1, 3}}, {{4, 4}, {2, 2}}, {{4, 2}, {2, 4}}},
     {{{5, 3}, {6, 3}}, {{5, 4}, {6, 2}}, {{5, 1}, {6, 1}}, {{5, 2}, {6, 4}}, {{3, 1}, {1, 3}}, {{1, 3}, {3, 1}}}},
    // turn 4
    {{{{6, 4}, {5, 4}}, {{6, 3}, {5, 1}}, {{6, 2}, {5, 2}}, {{6, 1}, {5, 3}}, {{1, 4}, {3, 2}}, {{3, 2}, {1, 4}}},
     {{{4, 4}, {2, 4}}, {{1, 4}, {3, 4}}, {{2, 4}, {4, 4}}, {{3, 4}, {1, 4}}, {{4, 1}, {2, 3}}, {{4, 3}, {2, 1}}}},
};

// kSideFace[turn - 1][button - 1][face - 1][edge]: the face that an outer line
// turns with it; edge 0 is line 1, edge 1 is line N.
inline constexpr signed char kSideFace[4][2][6][2] = {
    {{{5, 6}, {5, 6}, {5, 6}, {5, 6}, {3, 1}, {1, 3}}, {{2, 4}, {3, 1}, {4, 2}, {1, 3}, {2, 4}, {2, 4}}},
    {{{4, 2}, {1, 3}, {2, 4}, {3, 1}, {4, 2}, {4, 2}}, {{5, 6}, {5, 6}, {5, 6}, {5, 6}, {3, 1}, {1, 3}}},
    {{{6, 5}, {6, 5}, {6, 5}, {6, 5}, {1, 3}, {3, 1}}, {{4, 2}, {1, 3}, {2, 4}, {3, 1}, {4, 2}, {4, 2}}},
    {{{2, 4}, {3, 1}, {4, 2}, {1, 3}, {2, 4}, {2, 4}}, {{6, 5}, {6, 5}, {6, 5}, {6, 5}, {1, 3}, {3, 1}}},
};

// What the top and right faces of the drawing show for each view, with the
// corner code that says where each face's painting starts.
struct ShownFaces {
    signed char topFace;
    signed char topCorner;
    signed char rightFace;
    signed char rightCorner;
};

// kShownFaces[turn - 1][face - 1].
inline constexpr ShownFaces kShownFaces[4][6] = {
    {{2, 1, 6, 1}, {3, 1, 6, 4}, {4, 1, 6, 3}, {1, 1, 6, 2}, {2, 4, 1, 1}, {2, 2, 3, 3}},
    {{5, 2, 2, 2}, {5, 3, 3, 2}, {5, 4, 4, 2}, {5, 1, 1, 2}, {3, 4, 2, 1}, {1, 2, 2, 3}},
    {{4, 3, 5, 3}, {1, 3, 5, 4}, {2, 3, 5, 1}, {3, 3, 5, 2}, {4, 4, 3, 1}, {4, 2, 1, 3}},
    {{6, 4, 4, 4}, {6, 3, 1, 4}, {6, 2, 2, 4}, {6, 1, 3, 4}, {1, 4, 4, 1}, {3, 2, 4, 3}},
};

// How the computer clicks a history entry (axis, a, b) from a view: with the
// left or right button on the screen cell given by one of four formulas, or
// not at all (the axis runs through the front face: spin the cube first).
enum class SolverButton : signed char { Spin = 0, Left = 1, Right = 2 };
enum class CellFormula : signed char {
    AB,         // (a, b)
    NbA,        // (N - b + 1, a)
    NaNb,       // (N - a + 1, N - b + 1)
    BNa,        // (b, N - a + 1)
};
struct SolverClick {
    SolverButton button;
    CellFormula cell;
};

namespace detail {
inline constexpr SolverButton S = SolverButton::Spin;
inline constexpr SolverButton L = SolverButton::Left;
inline constexpr SolverButton R = SolverButton::Right;
using enum CellFormula;

// kSolverClick[turn - 1][face - 1][axis - 1].
inline constexpr SolverClick kSolverClick[4][6][3] = {
    {{{L, AB}, {S, AB}, {R, AB}},
     {{L, AB}, {R, NbA}, {S, AB}},
     {{L, AB}, {S, AB}, {R, NaNb}},
     {{L, AB}, {R, BNa}, {S, AB}},
     {{S, AB}, {L, AB}, {R, AB}},
     {{S, AB}, {L, NaNb}, {R, AB}}},
    {{{R, NbA}, {S, AB}, {L, NbA}},
     {{R, NbA}, {L, NaNb}, {S, AB}},
     {{R, NbA}, {S, AB}, {L, BNa}},
     {{R, NbA}, {L, AB}, {S, AB}},
     {{S, AB}, {R, NbA}, {L, NbA}},
     {{S, AB}, {R, BNa}, {L, NbA}}},
    {{{L, NaNb}, {S, AB}, {R, NaNb}},
     {{L, NaNb}, {R, BNa}, {S, AB}},
     {{L, NaNb}, {S, AB}, {R, AB}},
     {{L, NaNb}, {R, NbA}, {S, AB}},
     {{S, AB}, {L, NaNb}, {R, NaNb}},
     {{S, AB}, {L, AB}, {R, NaNb}}},
    {{{R, BNa}, {S, AB}, {L, BNa}},
     {{R, BNa}, {L, AB}, {S, AB}},
     {{R, BNa}, {S, AB}, {L, NbA}},
     {{R, BNa}, {L, NaNb}, {S, AB}},
     {{S, AB}, {R, BNa}, {L, BNa}},
     {{S, AB}, {R, NbA}, {L, BNa}}},
};
}  // namespace detail

using detail::kSolverClick;

}  // namespace twistor::tables
// clang-format on
