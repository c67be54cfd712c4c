// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "storage/FileIO.h"

namespace twistor::storage {

inline constexpr std::string_view kSettingsFileName = "twistorfz.settings";

// The file is one short line; anything much larger is not ours.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 64 * 1024;

// The six face colours a game starts with, as palette numbers.
inline constexpr std::array<int, 6> kDefaultColours{10, 9, 12, 13, 14, 15};

// The options carried from one run to the next.
struct Settings {
    std::array<int, 6> FaceColor = kDefaultColours;
    int CubeSize = 2;
    int ScrambleCount = 3;
    double MinTurnTime = 0;  // tenths of a second per computer move

    friend bool operator==(const Settings&, const Settings&) = default;
};

inline constexpr int kMaxScrambleCount = 99;
inline constexpr double kLowestTurnTime = -9;
inline constexpr double kHighestTurnTime = 99;

// One line of ten values: the six colours, the size, the scramble count, the
// rotation time and an empty tenth value.
std::string FormatSettings(const Settings& settings);

struct SettingsRead {
    Settings settings;
    bool found = false;                 // the file existed
    std::vector<std::string> problems;  // what was wrong and what was used instead
};

// Takes every value that is sound and keeps the default for every other
// field: a bad colour falls back to the default of its slot, and a colour set
// that is not six different colours to the default set. A byte-order mark
// at the start is skipped.
SettingsRead ParseSettings(std::string_view text, std::string_view fileName);

// Reads the file; without one, the defaults and no problems. Never throws.
SettingsRead ReadSettings(const std::filesystem::path& path);

// What in `settings` the reader would not take back; empty when all is well.
std::vector<std::string> CheckSettings(const Settings& settings);

// Refuses settings that would not read back as they are; otherwise writes
// them without ever leaving a half-written file.
WriteStatus SaveSettings(const std::filesystem::path& path, const Settings& settings);

}  // namespace twistor::storage
