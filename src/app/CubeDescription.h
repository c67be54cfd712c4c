// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace twistor {

struct GameState;

// What the picture shows, in words, for a player who cannot see it: the
// size, who solves, whether the cube is solved, the moves in its history,
// the square cursor, and the front face's colours row by row.
std::string DescribeCube(const GameState& s);

}  // namespace twistor
