// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "cube/Cube.h"
#include "cube/History.h"
#include "cube/Move.h"
#include "cube/Scrambler.h"
#include "solver/Solver.h"

namespace twistor {
namespace {

const std::array<int, 6> kColours{10, 9, 12, 13, 14, 15};

Cube DealtCube(int n, Random& rnd) {
    Cube c(n);
    DealColours(c, kColours, rnd);
    return c;
}

void BM_TurnSlice(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Random rnd(1);
    Cube cube = DealtCube(n, rnd);
    int i = 0;
    for (auto _ : state) {
        // an outer column: the heaviest kind of turn, four lines and a face
        cube.TurnSlice(View{1 + i % 6, 1 + i % 4}, Click{kLeftButton, 1, 1});
        ++i;
        benchmark::DoNotOptimize(cube);
    }
}
BENCHMARK(BM_TurnSlice)->Arg(3)->Arg(20);

// Pushes that fold and turn the whole cube: the most a push ever does.
void BM_HistoryPush(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Random rnd(2);
    Cube cube = DealtCube(n, rnd);
    View view{1, 1};
    History history;
    for (int i = 0; i < 500; ++i) history.Push(Move{2, 1 + i % n, 1});
    const std::vector<Move> base(history.Entries().begin(), history.Entries().end());
    int slice = 1;
    for (auto _ : state) {
        // the same column turned again and again: every fourth push shifts
        const auto request = ClickToMove(kLeftButton, slice, 1, view, n);
        benchmark::DoNotOptimize(PushUserMove(history, request->move, cube, view, rnd));
        slice = slice % n + 1;
        if (history.MoveCount() > 9000) history.Assign(base);
    }
}
BENCHMARK(BM_HistoryPush)->Arg(3)->Arg(20);

// The worst push: the eleventh slice of a 20-cube turned the same way
// makes the run a whole-cube turn plus the rest, so the cube turns whole.
void BM_HistoryPushShift(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Random rnd(4);
    Cube cube = DealtCube(n, rnd);
    std::vector<Move> run;
    for (int s = 1; s <= n / 2; ++s) run.push_back(Move{1, s, n});
    History history;
    View view{1, 1};
    const Move move{1, n / 2 + 1, 1};  // stored as its inverse, (1, s, N)
    for (auto _ : state) {
        history.Assign(run);
        view = View{1, 1};
        if (PushUserMove(history, move, cube, view, rnd) != PushResult::FoldedShift) {
            state.SkipWithError("no shift");
            break;
        }
    }
}
BENCHMARK(BM_HistoryPushShift)->Arg(3)->Arg(20);

void BM_SolverPlayback(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Random rnd(3);
    Cube start = DealtCube(n, rnd);
    View startView{1, 1};
    History full;
    Scrambler s;
    for (int i = 0; i < History::kCapacity; ++i) s.Step(start, startView, full, rnd);
    for (auto _ : state) {
        state.PauseTiming();
        Cube cube = start;
        View view = startView;
        History history = full;
        state.ResumeTiming();
        while (!history.Empty()) PlaySolverStep(cube, view, history, rnd);
        benchmark::DoNotOptimize(cube);
    }
}
BENCHMARK(BM_SolverPlayback)->Arg(3)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twistor
