#include <QApplication>
#include <iostream>
#include <vector>

#include "app/AppIcon.h"
#include "app/CommandLine.h"
#include "app/CubeWindow.h"

int main(int argc, char** argv) {
    // --help, --version and mistakes are answered before Qt starts, so they
    // need no display.
    twistor::CommandLine line = twistor::ParseCommandLine(argc, argv);
    switch (line.action) {
        case twistor::CommandLine::Action::Help:
            std::cout << twistor::HelpText();
            return 0;
        case twistor::CommandLine::Action::Version:
            std::cout << "twistor " TWISTOR_VERSION "\n";
            return 0;
        case twistor::CommandLine::Action::Error:
            std::cerr << "twistor: " << line.error
                      << "\nTry 'twistor --help' for more information.\n";
            return 2;
        case twistor::CommandLine::Action::Play:
            break;
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
