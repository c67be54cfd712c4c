// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <string>

namespace twistor {

// The game's icon: a three-layer cube seen from the upper right, its top layer
// part-way through a game. One drawing gives the SVG file and every bitmap.
std::string IconSvg();
QImage IconImage(int size);

// The window's icon, at the sizes a desktop asks for.
QIcon AppIcon();

}  // namespace twistor
