// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The checks a puzzle must pass, shared by the file reader (which names the
// line of a problem) and by the check before a save.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cube/Cube.h"
#include "cube/Move.h"

namespace twistor::storage {

inline constexpr int kColours = 16;

// Each returns why a value cannot stand where it is, or nothing when it can.
std::optional<std::string> ViewProblem(long long face, long long turn);
std::optional<std::string> AxisProblem(long long axis);
std::optional<std::string> MoveCountProblem(long long moves);
std::optional<std::string> StickerProblem(long long c);
std::optional<std::string> CopyProblem(long long c);
std::optional<std::string> MoveProblem(int entry, long long axis, long long first, long long second,
                                       int n);

// A cube shows six colours, each on n * n squares. Fed the stickers one by
// one with the line each is on, it names at the end a colour beyond six
// where it first shows (the rarest such colour, as the likeliest mistake),
// or else each colour on too many squares, with no line: a count that runs
// over only tells that the stickers do not add up, not which one is wrong.
class ColourTally {
  public:
    struct Problem {
        long long line;  // 0 where no one line is at fault
        std::string what;
    };

    explicit ColourTally(int n) : n_(n) {}

    void Add(Colour c, long long line);
    std::optional<Problem> Finish() const;

  private:
    int n_;
    std::array<long long, kColours> counts_{};
    std::array<long long, kColours> firstLine_{};
};

// Plays the history back from its top on a copy of the cube, as the
// computer would, and tells whether that ends in a solved cube.
bool HistorySolves(const Cube& cube, const std::vector<Move>& history);

// Why stickers and a history of `moves` moves do not go together.
std::string HistoryProblem(std::size_t moves);

}  // namespace twistor::storage
