#include <QApplication>

#include "app/CubeWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    twistor::CubeWindow window;
    window.show();
    return window.Form_Activate();
}
