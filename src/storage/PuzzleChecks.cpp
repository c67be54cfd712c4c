// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/PuzzleChecks.h"

#include <algorithm>
#include <tuple>

#include "cube/History.h"
#include "storage/Puzzle.h"

namespace twistor::storage {

std::optional<std::string> ViewProblem(long long face, long long turn) {
    if (face >= 1 && face <= 6 && turn >= 1 && turn <= 4) return std::nullopt;
    return "the view (face " + std::to_string(face) + ", turn " + std::to_string(turn) +
           ") is not one of the 24 views (face 1..6, turn 1..4)";
}

std::optional<std::string> AxisProblem(long long axis) {
    if (axis >= kLowestMoveAxis && axis <= kHighestMoveAxis) return std::nullopt;
    return "the move axis " + std::to_string(axis) + " is outside -1..3";
}

std::optional<std::string> MoveCountProblem(long long moves) {
    if (moves >= 0 && moves <= History::kCapacity) return std::nullopt;
    return "the move count " + std::to_string(moves) + " is outside 0..10000";
}

std::optional<std::string> StickerProblem(long long c) {
    if (IsFaceColour(static_cast<int>(std::clamp(c, -1LL, 16LL)))) return std::nullopt;
    return "the sticker colour " + std::to_string(c) +
           " is not one of the fourteen face colours (1..15 except 7)";
}

std::optional<std::string> CopyProblem(long long c) {
    if (c >= 0 && c < kColours) return std::nullopt;
    return "the sticker copy " + std::to_string(c) + " is outside 0..15";
}

std::optional<std::string> MoveProblem(int entry, long long axis, long long first, long long second,
                                       int n) {
    // Anything this far out is no move; clamping keeps the narrowing safe.
    const auto narrow = [](long long v) { return static_cast<int>(std::clamp(v, -99LL, 99LL)); };
    if (IsValidMove(Move{narrow(axis), narrow(first), narrow(second)}, n)) return std::nullopt;
    return "history entry " + std::to_string(entry) + " (" + std::to_string(axis) + ", " +
           std::to_string(first) + ", " + std::to_string(second) + ") is not a move of a " +
           std::to_string(n) + "-cube";
}

// Plays the history back from its top on a copy of the cube, as the
// computer would, and tells whether that ends in a solved cube. Whole-cube
// turns change nothing here, so each move is made from a view that turns it:
// with face 1 in front every axis but 2 turns, with face 2 every axis but 3.
bool HistorySolves(const Cube& cube, const std::vector<Move>& history) {
    Cube copy = cube;
    const int n = cube.CubeSize();
    const auto turn = [&copy, n](const Move& m, View view) {
        const std::optional<Click> click = ClickForMove(m, view, n);
        if (click) copy.TurnSlice(view, *click);
        return click.has_value();
    };
    for (auto m = history.rbegin(); m != history.rend(); ++m) {
        if (!turn(*m, View{1, 1}) && !turn(*m, View{2, 1})) return false;
    }
    return copy.IsSolved();
}

std::string HistoryProblem(std::size_t moves) {
    if (moves == 0) return "the cube is not solved, and it has no move history that solves it";
    return "the stickers do not match the move history: played back, its " + std::to_string(moves) +
           (moves == 1 ? " move does" : " moves do") + " not give a solved cube";
}

void ColourTally::Add(Colour c, long long line) {
    if (counts_[c]++ == 0) firstLine_[c] = line;
}

std::optional<ColourTally::Problem> ColourTally::Finish() const {
    std::string used;
    // Each colour on the cube by its count and its first line: the least of
    // them is the rarest colour, and of equally rare ones the first seen.
    std::vector<std::tuple<long long, long long, int>> seen;
    const long long perColour = static_cast<long long>(n_) * n_;
    std::string over;
    for (int c = 0; c < kColours; ++c) {
        if (counts_[c] == 0) continue;
        seen.emplace_back(counts_[c], firstLine_[c], c);
        used += (used.empty() ? "" : ", ") + std::to_string(c);
        if (counts_[c] > perColour) {
            over += (over.empty() ? "colour " + std::to_string(c) + " is on "
                                  : ", colour " + std::to_string(c) + " on ") +
                    std::to_string(counts_[c]) + " squares";
        }
    }
    const std::size_t distinct = seen.size();
    if (distinct > 6) {
        const auto [count, line, rarest] = std::ranges::min(seen);
        return Problem{line, "colour " + std::to_string(rarest) +
                                 " is a seventh colour; a cube shows six, and " +
                                 "these stickers show " + std::to_string(distinct) + " (" + used +
                                 ")"};
    }
    if (over.empty()) return std::nullopt;
    return Problem{0, "the stickers do not add up: " + over + "; on a " + std::to_string(n_) +
                          "-cube each colour is on " + std::to_string(perColour)};
}

std::optional<std::string> CheckPuzzle(const Puzzle& p) {
    const int n = p.cube.CubeSize();
    if (auto problem = ViewProblem(p.view.FrontFace, p.view.FrontTurn)) return problem;
    if (auto problem = AxisProblem(p.MoveAxis)) return problem;
    if (auto problem = MoveCountProblem(static_cast<long long>(p.history.size()))) return problem;
    ColourTally tally(n);
    for (int f = 1; f <= 6; ++f) {
        for (int j = 1; j <= n; ++j) {
            for (int i = 1; i <= n; ++i) {
                const Colour c = p.cube.Sticker(i, j, f);
                if (auto problem = StickerProblem(c)) return problem;
                tally.Add(c, 0);
                const Colour copy = p.cube.StickerCopy(i, j, f);
                if (copy == Cube::kNeverCopied) continue;
                if (auto problem = CopyProblem(copy)) return problem;
            }
        }
    }
    if (auto problem = tally.Finish()) return problem->what;
    for (std::size_t m = 0; m < p.history.size(); ++m) {
        const Move& move = p.history[m];
        if (auto problem =
                MoveProblem(static_cast<int>(m + 1), move.axis, move.first, move.second, n)) {
            return problem;
        }
    }
    if (!HistorySolves(p.cube, p.history)) return HistoryProblem(p.history.size());
    return std::nullopt;
}

}  // namespace twistor::storage
