// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cube/Cube.h"
#include "cube/History.h"
#include "cube/Random.h"
#include "cube/View.h"

namespace twistor {

// Makes random moves to mess up a cube. Moves come in runs on one axis of
// one or two moves; the two moves of a run turn different slices, and no
// more than half the slices may turn the same way, so no move undoes the one
// before it and no run is a whole-cube turn in disguise.
class Scrambler {
  public:
    // A new cube: the next move always starts a run.
    void ForgetLastMove() { ScrambleLastFace = -1; }

    // The end of a scramble: the run starts afresh. A scramble runs to its
    // end without taking input, so no handler ever meets a run half made.
    void ResetRun() { ScrambleRunExtra = RunLowCount = RunHighCount = 0; }

    // Chooses one move, records its inverse and makes it. The view follows
    // the scrambler: it works from face 1, 5 or 6, upright. Returns false,
    // making no move, only when the history is full.
    bool Step(Cube& cube, View& view, History& history, Random& rnd);

  private:
    // Whether a drawn move on `face` may be taken: it starts a new run, or
    // it is a run's allowed second move. False: draw again.
    bool Allows(int face, int slice, int edge, int n);

    int ScrambleLastFace = -1;
    int ScrambleLastColumn = 0;
    int ScrambleLastRow = 0;
    int ScrambleRunExtra = 0;
    int RunLowCount = 0;
    int RunHighCount = 0;
    int RecentSlice = 0;  // the slice of the run's first move
};

}  // namespace twistor
