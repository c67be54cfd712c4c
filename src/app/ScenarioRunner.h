#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "app/EventPump.h"

namespace twistor {

class CubeWindow;

// Drives the real window and its main loop from a script, one command a
// line, with the offscreen platform: input is posted as real Qt events and
// delivered at the loop's next pump point, and the state can be dumped or
// the picture saved between commands.
class ScenarioRunner : public EventPump {
  public:
    ScenarioRunner(CubeWindow& window, std::istream& in, std::ostream& out, std::ostream& err);

    // Reads the commands that come before "start" (seed, area), then runs the
    // game until the script ends. Returns the exit status.
    int Run();

    void PassStarted() override;
    void Pump(Wait wait) override;

    // The state, in the dump format.
    static std::string Dump(const CubeWindow& window);

  private:
    // Executes commands until one hands input to the game, asks for passes,
    // or the script ends.
    void ReadCommands();
    bool Execute(const std::string& line);
    void Fail(const std::string& message);

    CubeWindow& window_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    int lineNumber_ = 0;
    // Passes to run before the next command is read; -1: until the loop waits.
    long passesLeft_ = -1;
    std::uint64_t seed_ = 0;
    std::uint64_t reseeds_ = 0;
};

}  // namespace twistor
