// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/CubeWindow.h"
#include "app/GameState.h"
#include "app/Widgets.h"
#include "render/SidePanel.h"
#include "scenario/Dump.h"

class QWidget;

namespace twistor::testing {

// A script made of steps: each runs when the game waits, looks at the
// window and returns the next commands. A step that returns "#again LINES"
// runs again after LINES; one that returns "#next" hands over to the next
// step at once.
class Steps {
  public:
    using Step = std::function<std::string(CubeWindow&)>;

    Steps& then(Step s);
    // Plays the history back by clicks (and arrow keys where needed) until
    // the cube is solved.
    Steps& solveByHand();

    std::string operator()(CubeWindow& w);
    bool AllRan() const { return at_ == steps_.size(); }

  private:
    std::vector<Step> steps_;
    std::size_t at_ = 0;
};

// Runs the real window under the scenario runner, in a fresh folder of its
// own, its random numbers seeded so that runs repeat. The script is asked
// for its next lines whenever the game waits, and can look at the window's
// state meanwhile.
class Game {
  public:
    // `settings`, when not empty, is written as the settings file first.
    explicit Game(const std::string& settings = "");
    ~Game();

    // Commands run before "start" (for example "area 1000 700").
    std::string preamble;

    // Runs until the script returns an empty string. Returns the exit status.
    int Run(std::function<std::string(CubeWindow&)> script);
    // Runs a fixed script.
    int Run(const std::string& lines);
    // Runs the steps and fails the test unless every one of them ran.
    int Run(Steps& steps);

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

// A settings file with the default colours and the given size, scramble
// count and rotation time.
std::string SettingsLine(int size, int scrambleCount, double turnTime = 0);

// The text a label or text box shows.
std::string Text(const QWidget* labelOrBox);

// The pixel colour number at a point of the window's picture.
int PixelAt(CubeWindow& w, int x, int y);

// What a player sees of the window besides the cube, on one line: the
// highlighted mode box, the caption, the controls shown (a disabled one
// marked "-") with the game labels' words, the menu items that are off and
// those ticked, and the first item's caption.
std::string Screen(CubeWindow& w);

// Script lines: a click at the middle of the front face's square (column,
// row), and a left click on a box of the side panel.
std::string ClickLine(const CubeWindow& w, int column, int row, const char* button);
std::string ClickLine(const QRect& box);
std::string ClickLine(QPoint at);

// The click, as a script line, that plays the top history entry, or an arrow
// key when the front face cannot turn it.
std::string UndoTopLine(const CubeWindow& w);

}  // namespace twistor::testing
