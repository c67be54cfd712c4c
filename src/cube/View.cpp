// SPDX-License-Identifier: GPL-3.0-or-later
#include "cube/View.h"

#include "cube/Random.h"
#include "cube/Tables.h"

namespace twistor {

View RingStep(int turn, int button, int face, int direction) {
    const tables::FaceTurn next = tables::kRingStep[turn - 1][button - 1][face - 1][direction - 1];
    return View{next.face, next.turn};
}

CubeKey RandomArrow(Random& rnd) {
    constexpr CubeKey kArrows[] = {CubeKey::Left, CubeKey::Up, CubeKey::Right, CubeKey::Down};
    return kArrows[rnd.Draw(4) - 1];
}

View TurnWholeCube(View v, CubeKey key) {
    switch (key) {
        case CubeKey::Down:
            return RingStep(v.FrontTurn, kLeftButton, v.FrontFace, 1);
        case CubeKey::Up:
            return RingStep(v.FrontTurn, kLeftButton, v.FrontFace, 2);
        case CubeKey::Right:
            return RingStep(v.FrontTurn, kRightButton, v.FrontFace, 2);
        case CubeKey::Left:
            return RingStep(v.FrontTurn, kRightButton, v.FrontFace, 1);
        case CubeKey::T:
            return View{v.FrontFace, v.FrontTurn % 4 + 1};
        case CubeKey::R:
            return View{v.FrontFace, (v.FrontTurn + 2) % 4 + 1};
    }
    return v;
}

}  // namespace twistor
