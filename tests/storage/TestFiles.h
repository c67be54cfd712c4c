// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "storage/Puzzle.h"
#include "storage/Settings.h"

namespace twistor::storage {

// Short forms for test failure messages.
void PrintTo(const Puzzle& puzzle, std::ostream* os);
void PrintTo(const Settings& settings, std::ostream* os);

}  // namespace twistor::storage

namespace twistor::storage::testing {

// A fresh, empty folder for one test, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // The names in the folder, sorted.
    std::vector<std::string> Entries() const;

  private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// A cube dealt and scrambled by the game's own scrambler, so stickers,
// copies, view and history are what play leaves behind.
Puzzle ScrambledPuzzle(int n, int moves, std::uint64_t seed);

// The text split at its CR LF line ends; the pieces are the lines.
std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace twistor::storage::testing
