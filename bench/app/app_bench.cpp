// SPDX-License-Identifier: GPL-3.0-or-later
// The time from the pump point that delivers a player's click to the
// finished picture: the loop's hit test, history push, turn, drawing and
// solved test, in a real window on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/CubeWindow.h"
#include "app/GameState.h"
#include "app/DrawingArea.h"
#include "render/Layout.h"
#include "storage/Settings.h"

namespace twistor {
namespace {

// Drives the loop: each time it waits, the click for the next iteration is
// posted and delivered; what was left pending (the window's repaint) is
// let run untimed first.
class ClickPump : public EventPump {
  public:
    ClickPump(benchmark::State& state, CubeWindow& window) : state_(state), window_(window) {}

    void Pump(Wait wait) override {
        if (wait != Wait::Idle) {
            QCoreApplication::processEvents();
            return;
        }
        if (running_) state_.PauseTiming();
        QCoreApplication::processEvents();
        if (running_) state_.ResumeTiming();
        running_ = true;
        if (!state_.KeepRunning()) {
            window_.RequestQuit();
            return;
        }
        // The top-left square, left button: the first column up, then down
        // again with the bottom square, and so on.
        const Layout& l = window_.state().layout;
        const auto [x, y] = SquareCentre(l, 1, (++clicks_ % 2) ? 1 : l.CubeSize);
        const QPointF at(x, y);
        QWidget* area = window_.area();
        QMouseEvent press(QEvent::MouseButtonPress, at, area->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &press);
    }

  private:
    benchmark::State& state_;
    CubeWindow& window_;
    bool running_ = false;
    int clicks_ = 0;
};

void BM_ClickToImage(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto folder = std::filesystem::temp_directory_path() / "twistor-app-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    std::ofstream(folder / storage::kSettingsFileName)
        << storage::FormatSettings(storage::Settings{storage::kDefaultColours, n, 20, 0});
    CubeWindow window;
    window.SetFixedArea(1920, 1080);
    ClickPump pump(state, window);
    window.SetEventPump(&pump);
    window.show();
    window.Run();
}
BENCHMARK(BM_ClickToImage)->Arg(3)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace twistor

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
