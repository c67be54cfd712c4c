// SPDX-License-Identifier: GPL-3.0-or-later
// twistor-icon OUTDIR: writes the game's icon as OUTDIR/twistor.svg and
// OUTDIR/twistor-SIZE.png for each hicolor size, at build time. It draws on
// images only, so it needs no display and no QGuiApplication.

#include <QString>
#include <cstdio>
#include <fstream>

#include "app/AppIcon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: twistor-icon OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::ofstream svg(dir + "/twistor.svg", std::ios::binary);
    svg << twistor::IconSvg();
    svg.close();
    if (!svg) {
        std::fprintf(stderr, "twistor-icon: cannot write %s/twistor.svg\n", dir.c_str());
        return 1;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString name = QString::fromStdString(dir) + QString("/twistor-%1.png").arg(size);
        if (!twistor::IconImage(size).save(name)) {
            std::fprintf(stderr, "twistor-icon: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
