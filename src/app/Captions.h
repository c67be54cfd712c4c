// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace twistor {

// The window's own font (menus and the side panel's words), and the sizes of
// the option panels' controls and of the game-mode labels, in pixels.
inline constexpr int kWindowFontPixels = 13;
inline constexpr int kControlFontPixels = 11;
inline constexpr int kGameLabelFontPixels = 16;

inline constexpr std::string_view kProductTitle = "Twistor Cube";

// The first item of the Options menu, outside and in game mode.
inline constexpr const char* kNewPuzzleCaption = "&New puzzle";
inline constexpr const char* kNewGameCaption = "&New game";

// The window caption while the player practises or the computer solves.
inline std::string PracticeCaption() {
    return std::string(kProductTitle) + " (Practice-mode)";
}

// The window caption in game mode, for cubes of size n.
inline std::string GameCaption(int n) {
    const std::string size = std::to_string(n);
    return std::string(kProductTitle) + " (Solving \"" + size + " by " + size + " by " + size +
           "\" Twistor-cubes)";
}

inline std::string CubesSolvedText(int solved) {
    return "Number of cubes solved: " + std::to_string(solved);
}

inline std::string DifficultyText(int level) {
    return "Difficulty level: " + std::to_string(level);
}

}  // namespace twistor
