// SPDX-License-Identifier: GPL-3.0-or-later
// twistor-scenario: runs the game from a script on standard input, under
// Qt's offscreen platform, in the current folder or in the one that the
// game's --folder DIR or --xdg names.

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/CommandLine.h"
#include "app/CubeWindow.h"
#include "scenario/ScenarioRunner.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Unscaled, whatever the desktop says, unless QT_SCALE_FACTOR asks for a
    // device pixel ratio: then "shot" saves the picture in device pixels.
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    if (!std::getenv("QT_SCALE_FACTOR")) setenv("QT_SCALE_FACTOR", "1", 1);
    const twistor::CommandLine line = twistor::ParseCommandLine(argc, argv);
    if (line.action != twistor::CommandLine::Action::Play || line.qtArguments.size() > 1) {
        std::cerr << "usage: twistor-scenario [--folder DIR | --xdg] < SCRIPT\n";
        return 2;
    }
    if (const std::string error = twistor::EnterChosenFolder(line); !error.empty()) {
        std::cerr << "twistor-scenario: " << error << "\n";
        return 1;
    }
    QApplication app(argc, argv);
    twistor::CubeWindow window;
    twistor::ScenarioRunner runner(window, std::cin, std::cout, std::cerr);
    return runner.Run();
}
