#include "Driver.h"

#include <QWidget>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "app/DrawingArea.h"
#include "app/ScenarioRunner.h"
#include "cube/Move.h"

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

}  // namespace

Game::Game(const std::string& settings) {
    previous_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() /
              ("twistor-app-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    if (!settings.empty())
        std::ofstream(folder_ / "twistorfz.settings", std::ios::binary) << settings;
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
                   (seeded ? "seed 1\n" : "") + "start\n";
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

int PixelAt(CubeWindow& w, int x, int y) {
    return w.area()->canvas().ColourAt(x, y);
}

std::pair<int, int> SquareCentre(const CubeWindow& w, int column, int row) {
    const Layout& l = w.state().layout;
    return {l.FrontLeft + (column - 1) * l.CellWidth + l.CellWidth / 2,
            l.FrontTop + (row - 1) * l.CellHeight + l.CellHeight / 2};
}

std::string UndoTopLine(const CubeWindow& w) {
    const GameState& s = w.state();
    const auto click = ClickForMove(s.history.Top(), s.view, s.cube.CubeSize());
    if (!click) return "key Down";
    const auto [x, y] = SquareCentre(w, click->PickColumn, click->PickRow);
    return "click " + std::to_string(x) + " " + std::to_string(y) +
           (click->PickButton == kLeftButton ? " left" : " right");
}

std::set<std::string> VisibleControls(const CubeWindow& w) {
    std::set<std::string> names;
    for (QWidget* c : w.area()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!c->isHidden() && !c->objectName().isEmpty())
            names.insert(c->objectName().toStdString());
    }
    return names;
}

}  // namespace twistor::testing
