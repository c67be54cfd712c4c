// SPDX-License-Identifier: GPL-3.0-or-later
#include "Driver.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "app/DrawingArea.h"
#include "cube/Move.h"
#include "render/Layout.h"
#include "scenario/ScenarioRunner.h"
#include "storage/Settings.h"

namespace twistor::testing {

namespace {

// An input stream that asks a function for more lines as it is read.
class ScriptBuffer : public std::streambuf {
  public:
    explicit ScriptBuffer(std::function<std::string()> next) : next_(std::move(next)) {}

  protected:
    int_type underflow() override {
        if (done_) return traits_type::eof();
        buffer_ = next_();
        if (buffer_.empty()) {
            done_ = true;
            return traits_type::eof();
        }
        if (buffer_.back() != '\n') buffer_ += '\n';
        setg(buffer_.data(), buffer_.data(), buffer_.data() + buffer_.size());
        return traits_type::to_int_type(buffer_[0]);
    }

  private:
    std::function<std::string()> next_;
    std::string buffer_;
    bool done_ = false;
};

int counter = 0;

// The colour of a solving-mode box (kUserBox, kComputerBox): light cyan (11)
// when it is the current mode's.
int BoxColour(CubeWindow& w, const QRect& box) {
    // Inside the box, away from its words.
    return PixelAt(w, box.right() - 1, box.top() + 1);
}

}  // namespace

Steps& Steps::then(Step s) {
    steps_.push_back(std::move(s));
    return *this;
}

Steps& Steps::solveByHand() {
    return then([](CubeWindow& w) -> std::string {
        return w.state().history.Empty() ? std::string("#next") : "#again " + UndoTopLine(w);
    });
}

std::string Steps::operator()(CubeWindow& w) {
    while (at_ < steps_.size()) {
        const std::string line = steps_[at_](w);
        if (line.rfind("#again ", 0) == 0) return line.substr(7);
        ++at_;
        if (line != "#next") return line;
    }
    return "";
}

Game::Game(const std::string& settings) {
    previous_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() /
              ("twistor-app-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    if (!settings.empty())
        std::ofstream(folder_ / storage::kSettingsFileName, std::ios::binary) << settings;
    window_ = std::make_unique<CubeWindow>();
}

Game::~Game() {
    window_.reset();
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
}

int Game::Run(std::function<std::string(CubeWindow&)> script) {
    bool started = false;
    ScriptBuffer buffer([&]() -> std::string {
        if (!started) {
            started = true;
            return preamble + (preamble.empty() || preamble.back() == '\n' ? "" : "\n") +
                   "seed 1\nstart\n";
        }
        return script(*window_);
    });
    std::istream in(&buffer);
    std::ostringstream out, err;
    ScenarioRunner runner(*window_, in, out, err);
    const int status = runner.Run();
    out_ = out.str();
    err_ = err.str();
    return status;
}

int Game::Run(const std::string& lines) {
    bool given = false;
    return Run([&](CubeWindow&) -> std::string {
        if (given) return "";
        given = true;
        return lines;
    });
}

int Game::Run(Steps& steps) {
    const int status = Run(std::function<std::string(CubeWindow&)>(std::ref(steps)));
    EXPECT_TRUE(steps.AllRan()) << "the game ended before the script's last step";
    return status;
}

std::string SettingsLine(int size, int scrambleCount, double turnTime) {
    return storage::FormatSettings(
        storage::Settings{storage::kDefaultColours, size, scrambleCount, turnTime});
}

std::string Text(const QWidget* labelOrBox) {
    if (const auto* label = qobject_cast<const QLabel*>(labelOrBox))
        return label->text().toStdString();
    return qobject_cast<const QLineEdit*>(labelOrBox)->text().toStdString();
}

int PixelAt(CubeWindow& w, int x, int y) {
    return w.area()->canvas().ColourAt(x, y);
}

std::string Screen(CubeWindow& w) {
    std::string line = BoxColour(w, kUserBox) == 11       ? "user box"
                       : BoxColour(w, kComputerBox) == 11 ? "computer box"
                                                          : "no box";
    line += " | " + w.windowTitle().toStdString() + " | shown";
    for (const std::string& name : VisibleControls(w)) {
        const auto* c = w.area()->findChild<const QWidget*>(QString::fromStdString(name));
        line += (c->isEnabled() ? " " : " -") + name;
        if (name == "Label4" || name == "Label5") line += " \"" + Text(c) + "\"";
    }
    std::string off, ticked;
    for (const QAction* item : w.findChildren<const QAction*>()) {
        const std::string name = item->objectName().toStdString();
        if (name.empty()) continue;
        if (!item->isEnabled()) off += " " + name;
        if (item->isChecked()) ticked += " " + name;
    }
    return line + " | off" + off + " | ticked" + ticked + " | " +
           w.menuItem("newpuzzle")->text().remove('&').toStdString();
}

std::string ClickLine(const CubeWindow& w, int column, int row, const char* button) {
    const auto [x, y] = SquareCentre(w.state().layout, column, row);
    return "click " + std::to_string(x) + " " + std::to_string(y) + " " + button;
}

std::string ClickLine(const QRect& box) {
    return ClickLine(box.center());
}

std::string ClickLine(QPoint at) {
    return "click " + std::to_string(at.x()) + " " + std::to_string(at.y()) + " left";
}

std::string UndoTopLine(const CubeWindow& w) {
    const GameState& s = w.state();
    const auto click = ClickForMove(s.history.Top(), s.view, s.cube.CubeSize());
    if (!click) return "key Down";
    return ClickLine(w, click->PickColumn, click->PickRow,
                     click->PickButton == kLeftButton ? "left" : "right");
}

}  // namespace twistor::testing
