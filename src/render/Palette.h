// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <array>
#include <string_view>

namespace twistor {

// The colour numbers by name. A number is what the stickers, the files and
// the canvas hold; these names say which colour a number stands for.
enum PaletteColour : int {
    kBlack = 0,  // the background and the grid
    kDarkBlue = 1,
    kDarkGreen = 2,
    kDarkCyan = 3,
    kDarkRed = 4,
    kDarkMagenta = 5,
    kDarkYellow = 6,
    kLightGrey = 7,  // the border of the flood fills
    kDarkGrey = 8,
    kLightBlue = 9,
    kLightGreen = 10,
    kLightCyan = 11,
    kLightRed = 12,
    kLightMagenta = 13,
    kYellow = 14,
    kWhite = 15,
};

// What a player calls each colour, by colour number.
inline constexpr std::array<std::string_view, 16> kColourNames = {
    "Black",       "Dark blue",     "Dark green", "Dark cyan",  "Dark red",    "Dark magenta",
    "Dark yellow", "Light grey",    "Dark grey",  "Light blue", "Light green", "Light cyan",
    "Light red",   "Light magenta", "Yellow",     "White",
};

// The 16-colour console palette, by colour number.
inline constexpr std::array<QRgb, 16> kPalette = {
    qRgb(0, 0, 0),        // 0 black: background and grid
    qRgb(0, 0, 128),      // 1 blue
    qRgb(0, 128, 0),      // 2 green
    qRgb(0, 128, 128),    // 3 cyan
    qRgb(128, 0, 0),      // 4 red
    qRgb(128, 0, 128),    // 5 magenta
    qRgb(128, 128, 0),    // 6 dark yellow
    qRgb(192, 192, 192),  // 7 light grey: the border of the flood fills
    qRgb(128, 128, 128),  // 8 dark grey
    qRgb(0, 0, 255),      // 9 light blue
    qRgb(0, 255, 0),      // 10 light green
    qRgb(0, 255, 255),    // 11 light cyan
    qRgb(255, 0, 0),      // 12 light red
    qRgb(255, 0, 255),    // 13 light magenta
    qRgb(255, 255, 0),    // 14 yellow
    qRgb(255, 255, 255),  // 15 bright white
};

// A number outside 0..15 (a damaged puzzle file) is drawn black rather than
// read from beyond the table.
inline constexpr QRgb PaletteRgb(int colour) {
    return colour >= 0 && colour < static_cast<int>(kPalette.size()) ? kPalette[colour]
                                                                     : kPalette[0];
}

}  // namespace twistor
