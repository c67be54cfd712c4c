// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/Solver.h"

#include "cube/Cube.h"
#include "cube/History.h"

namespace twistor {

SolverStep NextSolverStep(const Move& top, View view, int n, Random& rnd) {
    if (const std::optional<Click> click = ClickForMove(top, view, n)) return *click;
    return SolverSpin{RandomArrow(rnd)};
}

std::variant<std::monostate, Click, SolverSpin> PlaySolverStep(Cube& cube, View& view,
                                                               History& history, Random& rnd) {
    if (history.Empty()) return std::monostate{};
    const SolverStep step = NextSolverStep(history.Top(), view, cube.CubeSize(), rnd);
    if (const Click* click = std::get_if<Click>(&step)) {
        history.Pop();
        cube.TurnSlice(view, *click);
        return *click;
    }
    const SolverSpin spin = std::get<SolverSpin>(step);
    view = TurnWholeCube(view, spin.key);
    return spin;
}

}  // namespace twistor
