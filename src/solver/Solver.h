// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

#include "cube/Move.h"
#include "cube/Random.h"
#include "cube/View.h"

namespace twistor {

// One step of the computer's solving: it plays the top history entry back
// as a click on the front face, or, when the entry's axis runs through the
// front face so that no row or column turns it, it turns the whole cube with
// a random arrow key and tries again next step.
struct SolverSpin {
    CubeKey key;
};
using SolverStep = std::variant<Click, SolverSpin>;

SolverStep NextSolverStep(const Move& top, View view, int n, Random& rnd);

// Plays one step on the cube: a click pops the entry and turns the slice, a
// spin changes only the view. Nothing happens with an empty history.
// Returns the step taken, if any.
class Cube;
class History;
std::variant<std::monostate, Click, SolverSpin> PlaySolverStep(Cube& cube, View& view,
                                                               History& history, Random& rnd);

}  // namespace twistor
