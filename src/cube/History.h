// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

#include "cube/Cube.h"
#include "cube/Move.h"
#include "cube/Random.h"
#include "cube/View.h"

namespace twistor {

// The moves that undo how the cube was reached, newest on top: playing them
// from the top brings back a solved cube. Entries are numbered from 1.
class History {
  public:
    static constexpr int kCapacity = 10000;

    History();

    int MoveCount() const { return static_cast<int>(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    bool Full() const { return MoveCount() >= kCapacity; }
    const Move& At(int index) const { return entries_[index - 1]; }
    const Move& Top() const { return entries_.back(); }
    std::span<const Move> Entries() const { return entries_; }

    void Clear() { entries_.clear(); }
    // Adds an entry as it is; nothing when full.
    void Push(const Move& m);
    void Pop() { entries_.pop_back(); }

    // Replaces the whole stack; false (and nothing changed) for more than
    // kCapacity entries.
    bool Assign(std::span<const Move> entries);

  private:
    friend class HistoryFolder;
    std::vector<Move> entries_;
};

enum class PushResult {
    Refused,     // the history is full: the click must not be made
    Cancelled,   // the move undid the top entry, which is gone
    Pushed,      // one more entry
    Folded,      // the run on the move's axis was rewritten
    FoldedShift  // ... and its whole-cube part taken out: cube and view turned
};

// Records a player's move before it is made. A move that undoes the top
// entry removes it; otherwise its inverse goes on top, and a run of moves on
// one axis is folded to at most two entries per slice. When most slices of
// the run turn the same way, the whole cube is turned by that much (stickers
// and view together, so the picture stays) and the run keeps only the rest.
// The caller makes the player's click afterwards, with the view as left here.
PushResult PushUserMove(History& history, const Move& move, Cube& cube, View& view, Random& rnd);

}  // namespace twistor
