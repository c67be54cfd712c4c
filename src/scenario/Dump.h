// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>

namespace twistor {

class CubeWindow;

// The state a script can check, in the runner's dump format: size, view,
// history, modes, solved, caption, the game labels, the visible controls and
// every sticker.
std::string DumpState(const CubeWindow& window);

// The object names of the controls shown on the drawing area.
std::set<std::string> VisibleControls(const CubeWindow& window);

}  // namespace twistor
