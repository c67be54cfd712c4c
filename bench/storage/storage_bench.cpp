// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving the largest puzzle the game can make: a 20-cube with a
// full history of 10000 moves.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cube/History.h"
#include "cube/Random.h"
#include "cube/Scrambler.h"
#include "storage/Puzzle.h"

namespace {

namespace fs = std::filesystem;
using twistor::storage::Puzzle;

class BenchFolder {
  public:
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "twistor-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~BenchFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

Puzzle FullPuzzle(int n) {
    Puzzle p{twistor::Cube(n), twistor::View{}, 0, {}};
    twistor::Random rnd(2024);
    const std::array<int, 6> colours{10, 9, 12, 13, 14, 15};
    twistor::DealColours(p.cube, colours, rnd);
    twistor::History history;
    twistor::Scrambler scrambler;
    while (scrambler.Step(p.cube, p.view, history, rnd)) {
    }
    p.history.assign(history.Entries().begin(), history.Entries().end());
    p.MoveAxis = p.history.back().axis;
    return p;
}

void BM_LoadPuzzle(benchmark::State& state) {
    BenchFolder folder;
    const fs::path path = folder.Path() / "full.cube";
    if (folder.Path().empty() ||
        !twistor::storage::SavePuzzle(path, FullPuzzle(static_cast<int>(state.range(0)))).ok()) {
        state.SkipWithError("cannot write the puzzle file");
        return;
    }
    for (auto _ : state) {
        auto read = twistor::storage::LoadPuzzle(path);
        if (!read.puzzle) state.SkipWithError(read.error.c_str());
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}
BENCHMARK(BM_LoadPuzzle)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_SavePuzzle(benchmark::State& state) {
    BenchFolder folder;
    const fs::path path = folder.Path() / "full.cube";
    const Puzzle puzzle = FullPuzzle(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto status = twistor::storage::SavePuzzle(path, puzzle);
        if (!status.ok()) state.SkipWithError(status.error.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}
BENCHMARK(BM_SavePuzzle)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
