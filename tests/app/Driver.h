#pragma once

#include <QImage>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/CubeWindow.h"

namespace twistor::testing {

// Runs the real window under the scenario runner, in a fresh folder of its
// own. The script is asked for its next lines whenever the game waits, and
// can look at the window's state meanwhile.
class Game {
  public:
    // `settings`, when not empty, is written as the settings file first.
    explicit Game(const std::string& settings = "");
    ~Game();

    // Commands run before "start" (for example "area 1000 700").
    std::string preamble;
    // Seed the game's random numbers, so that runs repeat.
    bool seeded = true;

    // Runs until the script returns an empty string. Returns the exit status.
    int Run(std::function<std::string(CubeWindow&)> script);
    // Runs a fixed script.
    int Run(const std::string& lines);

    CubeWindow& window() { return *window_; }
    const std::string& output() const { return out_; }
    const std::string& errors() const { return err_; }
    std::filesystem::path folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path previous_;
    std::unique_ptr<CubeWindow> window_;
    std::string out_;
    std::string err_;
};

// The pixel colour number at a point of the window's picture.
int PixelAt(CubeWindow& w, int x, int y);

// The screen point at the middle of the front face's square (column, row).
std::pair<int, int> SquareCentre(const CubeWindow& w, int column, int row);

// The click, as a script line, that plays the top history entry, or an arrow
// key when the front face cannot turn it.
std::string UndoTopLine(const CubeWindow& w);

std::set<std::string> VisibleControls(const CubeWindow& w);

}  // namespace twistor::testing
