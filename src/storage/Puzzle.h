// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cube/Cube.h"
#include "cube/Move.h"
#include "cube/View.h"
#include "storage/FileIO.h"

namespace twistor::storage {

// Everything a puzzle file keeps.
struct Puzzle {
    Cube cube;
    View view;
    int MoveAxis = 0;           // the axis of the move last taken from the history
    std::vector<Move> history;  // history[m - 1] is entry m; the back is the top
};

// Equal as files: size, view, every sticker and sticker copy, the axis and
// the history.
bool operator==(const Puzzle& a, const Puzzle& b);

inline constexpr int kLowestMoveAxis = -1;
inline constexpr int kHighestMoveAxis = 3;

// The largest valid puzzle (size 20, 10000 moves) takes about 210 KB as the
// game writes it. The bound leaves room for files written with wider
// spacing and keeps a stray large file from being read into memory.
inline constexpr std::uintmax_t kMaxPuzzleFileBytes = 2 * 1024 * 1024;

// The number of lines of a puzzle file of size n with `moves` history
// entries: the header, two per sticker, three per move.
constexpr long long PuzzleLineCount(int n, int moves) {
    return 1 + 12LL * n * n + 3LL * moves;
}

// The file's text, CR LF line ends.
std::string FormatPuzzle(const Puzzle& puzzle);

// What would make the puzzle's file unreadable, or nothing when it is sound:
// every value in range, six colours each on a face's worth of squares, and a
// history that, played back from its top, gives a solved cube.
std::optional<std::string> CheckPuzzle(const Puzzle& puzzle);

// Either a puzzle or why there is none.
struct PuzzleRead {
    std::optional<Puzzle> puzzle;
    std::string error;  // names the file, the line and the value at fault
};

// Checks the whole text before anything is returned; a puzzle comes back
// only when it passes CheckPuzzle. Where one line is at fault, the error
// names it. A byte-order mark at the start is skipped, lines may end in LF
// alone, the last line may lack its line end and blank lines may follow the
// last one.
PuzzleRead ParsePuzzle(std::string_view text, std::string_view fileName);

// Reads and parses a puzzle file; refuses by its size alone a file larger
// than kMaxPuzzleFileBytes. Never throws.
PuzzleRead LoadPuzzle(const std::filesystem::path& path);

// Refuses a puzzle that would not load back; otherwise writes it without
// ever leaving a half-written file.
WriteStatus SavePuzzle(const std::filesystem::path& path, const Puzzle& puzzle);

}  // namespace twistor::storage
