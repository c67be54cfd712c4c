// twistor-scenario: runs the game from a script on standard input, under
// Qt's offscreen platform, in the current folder.

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/CubeWindow.h"
#include "app/ScenarioRunner.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Unscaled, whatever the desktop says, unless QT_SCALE_FACTOR asks for a
    // device pixel ratio: then "shot" saves the picture in device pixels.
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    if (!std::getenv("QT_SCALE_FACTOR")) setenv("QT_SCALE_FACTOR", "1", 1);
    QApplication app(argc, argv);
    twistor::CubeWindow window;
    twistor::ScenarioRunner runner(window, std::cin, std::cout, std::cerr);
    return runner.Run();
}
