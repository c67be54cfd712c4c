// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/AppIcon.h"
#include "app/CommandLine.h"
#include "app/CubeWindow.h"

namespace {

// An answer that cannot be written (a full disk) is a failure, not a success.
int Answer(const std::string& text) {
    errno = 0;
    if (std::cout << text << std::flush) return 0;
    std::cerr << "twistor: cannot write to standard output"
              << (errno != 0 ? std::string(": ") + std::strerror(errno) : "") << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // --help, --version and mistakes are answered before Qt starts, so they
    // need no display.
    twistor::CommandLine line = twistor::ParseCommandLine(argc, argv);
    switch (line.action) {
        case twistor::CommandLine::Action::Help:
            return Answer(twistor::HelpText());
        case twistor::CommandLine::Action::Version:
            return Answer("twistor " TWISTOR_VERSION "\n");
        case twistor::CommandLine::Action::Error:
            std::cerr << "twistor: " << line.error
                      << "\nTry 'twistor --help' for more information.\n";
            return 2;
        case twistor::CommandLine::Action::Play:
            break;
    }
    // Qt aborts without a display: say so plainly, before any folder is made.
    if (const std::string error = twistor::DisplayProblem(line, twistor::SystemEnvironment);
        !error.empty()) {
        std::cerr << "twistor: " << error << "\n";
        return 1;
    }
    if (const std::string error = twistor::EnterChosenFolder(line); !error.empty()) {
        std::cerr << "twistor: " << error << "\n";
        return 1;
    }

    std::vector<char*> qtArgv;
    for (std::string& arg : line.qtArguments) qtArgv.push_back(arg.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArgv.size()) - 1;
    QApplication app(qtArgc, qtArgv.data());
    QGuiApplication::setDesktopFileName(TWISTOR_APP_ID);
    QApplication::setWindowIcon(twistor::AppIcon());
    twistor::CubeWindow window;
    window.show();
    return window.Run();
}
