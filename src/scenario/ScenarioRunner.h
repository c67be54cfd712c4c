// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/EventPump.h"

namespace twistor {

class CubeWindow;

// Drives the real window and its main loop from a script, one command a
// line, with the offscreen platform: input is posted as real Qt events and
// delivered at the loop's next pump point, and the state can be dumped or
// the picture saved between commands.
//
// A line the runner cannot read (an unknown command, a missing word, a word
// that should be a number) ends the run with status 2 and a message naming
// the line.
class ScenarioRunner : public EventPump {
  public:
    ScenarioRunner(CubeWindow& window, std::istream& in, std::ostream& out, std::ostream& err);

    // Reads the commands that come before "start" (seed, area), then runs the
    // game until the script ends. Returns the exit status.
    int Run();

    void PassStarted() override;
    void Pump(Wait wait) override;

  private:
    // One script line split into words.
    struct Line {
        std::string text;
        std::vector<std::string> words;
        // The text after the first `count` words.
        std::string RestAfter(int count) const;
    };
    // What a command leaves the runner to do next.
    enum class Next {
        ReadOn,    // read the next line at once
        HandOver,  // let the game run: it has input, or passes to make
    };
    using Handler = Next (ScenarioRunner::*)(const Line&);
    struct Command {
        const char* name;
        std::size_t minWords;  // the command's name included
        std::size_t maxWords;  // 0: any number
        const char* usage;
        Handler run;
    };
    static const Command kCommands[];

    bool ReadLine(Line& line);
    // Executes commands until one hands over to the game, the game is to
    // end, or the script ends.
    void ReadCommands();
    Next Execute(const Line& line);
    int Start();

    // The commands (Commands.cpp).
    Next Dump(const Line& line);
    Next Shot(const Line& line);
    Next Passes(const Line& line);
    Next Click(const Line& line);
    Next Key(const Line& line);
    Next Menu(const Line& line);
    Next Press(const Line& line);
    Next Type(const Line& line);
    Next Pick(const Line& line);

    // Ends the run with status 2: "line N: why".
    void Fail(const std::string& why);
    // A note that does not end the run: "line N: why".
    void Note(const std::string& why);

    CubeWindow& window_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    int lineNumber_ = 0;
    int width_ = 792;
    int height_ = 540;
    bool seeded_ = false;
    bool maximized_ = false;  // the window takes the screen, as the game does
    // Passes to run before the next command is read; -1: until the loop waits.
    long passesLeft_ = -1;
    std::uint64_t seed_ = 0;
    std::uint64_t reseeds_ = 0;
};

}  // namespace twistor
