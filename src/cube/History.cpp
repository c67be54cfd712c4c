// SPDX-License-Identifier: GPL-3.0-or-later
#include "cube/History.h"

#include <array>

namespace twistor {

History::History() {
    entries_.reserve(kCapacity + 1);
}

void History::Push(const Move& m) {
    if (!Full()) entries_.push_back(m);
}

bool History::Assign(std::span<const Move> entries) {
    if (entries.size() > static_cast<std::size_t>(kCapacity)) return false;
    entries_.assign(entries.begin(), entries.end());
    return true;
}

namespace {

// A slice's count: quarter turns at edge N count +1, at edge 1 count -1,
// kept in -2..2 (both 2 and -2 are a half turn).
int Wrap(int count) {
    if (count == 3) return -1;
    if (count == -3) return 1;
    return count;
}

// Net quarter turns per slice of a run of moves on one axis.
using SliceCounts = std::array<int, kMaxCubeSize + 1>;

SliceCounts CountRun(const std::vector<Move>& stack, int from, int n) {
    SliceCounts count{};
    for (int i = from; i < static_cast<int>(stack.size()); ++i) {
        const int s = SliceOf(stack[i]);
        count[s] = Wrap(count[s] + (EdgeOf(stack[i]) == n ? 1 : -1));
    }
    return count;
}

// Whether the folded run turns the whole cube a quarter up (+1) or down
// (-1) to need fewer moves: when half the slices or more turn the same way.
int ChooseShift(const SliceCounts& count, int n, Random& rnd) {
    const int m = n / 2 + 1;
    int high = 0, low = 0, pos = 0, neg = 0;
    for (int s = 1; s <= n; ++s) {
        const int c = count[s];
        if (c > 0 || c == -2) ++high;
        if (c < 0 || c == 2) ++low;
        if (c > 0) ++pos;
        if (c < 0) ++neg;
    }
    if (high < m && low < m) return 0;
    if (low >= m && high >= m) {
        int shift = rnd.Draw(2) == 1 ? -1 : 1;
        if (neg > pos) shift = 1;
        if (pos > neg) shift = -1;
        return shift;
    }
    return low >= m ? 1 : -1;
}

// The run from entry `from` on, replaced by each slice's net turn as quarter
// turns at one edge: edge N for a positive count, edge 1 for a negative one.
void ReplaceRun(std::vector<Move>& stack, int from, const SliceCounts& count, int axis, int n) {
    stack.resize(from);
    for (int s = 1; s <= n; ++s) {
        const int c = count[s];
        const int edge = c > 0 ? n : 1;
        for (int k = 0; k < (c < 0 ? -c : c); ++k) stack.push_back(MakeMove(axis, s, edge));
    }
}

}  // namespace

class HistoryFolder {
  public:
    static PushResult Push(History& h, const Move& move, Cube& cube, View& view, Random& rnd);
};

PushResult HistoryFolder::Push(History& h, const Move& move, Cube& cube, View& view, Random& rnd) {
    std::vector<Move>& stack = h.entries_;
    const int n = cube.CubeSize();

    if (!stack.empty() && stack.back() == move) {
        stack.pop_back();
        return PushResult::Cancelled;
    }

    // There is room for one entry over the limit while the run is folded; a
    // result that still needs it is taken back.
    stack.push_back(Inverse(move, n));
    const int top = static_cast<int>(stack.size());
    if (top < 2 || stack[top - 2].axis != move.axis) {
        if (top > History::kCapacity) {
            stack.pop_back();
            return PushResult::Refused;
        }
        return PushResult::Pushed;
    }

    // The run: entries p+1..top (1-based) on the move's axis.
    const int axis = move.axis;
    int p = top - 1;
    while (p >= 1 && stack[p - 1].axis == axis) --p;

    SliceCounts count = CountRun(stack, p, n);
    const int shift = ChooseShift(count, n, rnd);  // +1 up, -1 down, 0 none

    std::optional<Click> shiftClick;
    if (shift != 0) {
        // The whole cube turns as the clicks for (axis, s, e) would turn it
        // from this view, e = 1 up and N down; they share one button and
        // direction. The front face of a player's move lies in its axis'
        // ring, so the clicks exist.
        shiftClick = ClickForMove(MakeMove(axis, 1, shift > 0 ? 1 : n), view, n);
        if (!shiftClick) {
            stack.pop_back();
            return PushResult::Refused;
        }
        for (int s = 1; s <= n; ++s) count[s] = Wrap(count[s] + shift);
    }

    int rewritten = 0;
    for (int s = 1; s <= n; ++s) rewritten += count[s] < 0 ? -count[s] : count[s];
    if (p + rewritten > History::kCapacity) {
        stack.pop_back();
        return PushResult::Refused;
    }

    if (shiftClick) {
        // The view follows the turned cube, so the picture stays as it was.
        const int direction = TurnDirection(*shiftClick, n);
        cube.TurnAllSlices(view, shiftClick->PickButton, direction);
        view = RingStep(view.FrontTurn, shiftClick->PickButton, view.FrontFace, direction);
    }

    ReplaceRun(stack, p, count, axis, n);
    return shift != 0 ? PushResult::FoldedShift : PushResult::Folded;
}

PushResult PushUserMove(History& history, const Move& move, Cube& cube, View& view, Random& rnd) {
    return HistoryFolder::Push(history, move, cube, view, rnd);
}

}  // namespace twistor
