// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "cube/Cube.h"
#include "render/Canvas.h"
#include "render/CubeDrawing.h"
#include "render/Layout.h"

namespace twistor {
namespace {

// One redraw after a move, in a full-HD window: clearing, N x N squares,
// 2 x N x N fills and the grid twice.
void DrawCubeAt(benchmark::State& state, double ratio) {
    const int n = static_cast<int>(state.range(0));
    Cube cube(n);
    for (int f = 1; f <= 6; ++f) {
        for (int y = 1; y <= n; ++y) {
            for (int x = 1; x <= n; ++x) {
                cube.SetSticker(x, y, f, static_cast<Colour>((f * 7 + x * 3 + y) % 6 + 9));
            }
        }
    }
    Scene scene(1920, 1080, ratio);
    const Layout layout = ComputeLayout(n, scene.canvas.Width(), scene.canvas.Height());
    for (auto _ : state) {
        DrawCube(scene, cube, View{1, 1}, layout);
        benchmark::DoNotOptimize(scene.canvas.Image().constBits());
    }
}

void BM_DrawCube(benchmark::State& state) {
    DrawCubeAt(state, 1);
}
BENCHMARK(BM_DrawCube)->Arg(3)->Arg(20)->Unit(benchmark::kMicrosecond);

// The same on a screen with two device pixels to the pixel: four times the
// pixels to fill.
void BM_DrawCubeRatio2(benchmark::State& state) {
    DrawCubeAt(state, 2);
}
BENCHMARK(BM_DrawCubeRatio2)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace twistor

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
