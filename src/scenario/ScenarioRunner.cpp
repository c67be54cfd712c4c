// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenario/ScenarioRunner.h"

#include <QCoreApplication>
#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/CubeWindow.h"
#include "app/GameState.h"
#include "scenario/Words.h"

namespace twistor {

namespace scenario {

long long WholeNumber(const std::string& word) {
    long long value = 0;
    const char* end = word.data() + word.size();
    const auto [at, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || at != end) throw BadWord{"'" + word + "' is not a whole number"};
    return value;
}

double Number(const std::string& word) {
    double value = 0;
    const char* end = word.data() + word.size();
    const auto [at, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || at != end) throw BadWord{"'" + word + "' is not a number"};
    return value;
}

}  // namespace scenario

std::string ScenarioRunner::Line::RestAfter(int count) const {
    std::size_t i = 0;
    for (int k = 0; k < count; ++k) {
        i = text.find_first_not_of(' ', i);
        i = text.find(' ', i);
        if (i == std::string::npos) return "";
    }
    return text.substr(i + 1);
}

ScenarioRunner::ScenarioRunner(CubeWindow& window, std::istream& in, std::ostream& out,
                               std::ostream& err)
    : window_(window), in_(in), out_(out), err_(err) {}

// The next line that holds a command, split into words; false at the end.
bool ScenarioRunner::ReadLine(Line& line) {
    while (std::getline(in_, line.text)) {
        ++lineNumber_;
        if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
        std::istringstream s(line.text);
        line.words.clear();
        for (std::string word; s >> word;) line.words.push_back(word);
        if (!line.words.empty() && line.words[0][0] != '#') return true;
    }
    return false;
}

int ScenarioRunner::Run() {
    for (Line line; ReadLine(line);) {
        const auto& w = line.words;
        try {
            if (w[0] == "seed" && w.size() == 2) {
                seed_ = static_cast<std::uint64_t>(scenario::WholeNumber(w[1]));
                seeded_ = true;
            } else if (w[0] == "area" && w.size() == 2 && w[1] == "maximized") {
                maximized_ = true;
            } else if (w[0] == "area" && w.size() == 3) {
                width_ = static_cast<int>(scenario::WholeNumber(w[1]));
                height_ = static_cast<int>(scenario::WholeNumber(w[2]));
            } else if (w[0] == "start" && w.size() == 1) {
                return Start();
            } else {
                Fail("'" + line.text + "' is not a command before start");
                return 2;
            }
        } catch (const scenario::BadWord& bad) {
            Fail(bad.why);
            return 2;
        }
    }
    return 0;  // nothing to run
}

int ScenarioRunner::Start() {
    if (!maximized_) window_.SetFixedArea(width_, height_);
    if (seeded_) {
        window_.state().rnd.Seed(seed_);
        window_.SetClockSeed([this] { return seed_ * 0x9E3779B97F4A7C15ULL + ++reseeds_; });
    }
    window_.SetEventPump(this);
    window_.show();
    // The window has the keyboard, as a window a player has just opened.
    window_.activateWindow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return window_.Run();
}

void ScenarioRunner::Fail(const std::string& why) {
    err_ << "twistor-scenario: line " << lineNumber_ << ": " << why << std::endl;
    window_.RequestQuit(2);
}

void ScenarioRunner::Note(const std::string& why) {
    err_ << "line " << lineNumber_ << ": " << why << std::endl;
}

void ScenarioRunner::PassStarted() {
    if (passesLeft_ > 0) --passesLeft_;
}

void ScenarioRunner::Pump(Wait wait) {
    if (wait == Wait::Idle || passesLeft_ == 0) {
        // The loop waits: finish what is pending, then take the next command.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (window_.QuitRequested()) return;
        // A pass budget that the loop could not spend yet (it was waiting for
        // the player) holds for the input that comes next.
        if (passesLeft_ == 0) passesLeft_ = -1;
        ReadCommands();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
        if (wait == Wait::Timer) flags |= QEventLoop::WaitForMoreEvents;
        QCoreApplication::processEvents(flags);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ScenarioRunner::ReadCommands() {
    for (Line line; ReadLine(line);) {
        const Next next = Execute(line);
        out_.flush();
        if (window_.QuitRequested() || next == Next::HandOver) return;
    }
    // The end of the script ends the game as "Quit" does.
    window_.RequestQuit(0);
}

}  // namespace twistor
