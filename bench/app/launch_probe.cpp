// SPDX-License-Identifier: GPL-3.0-or-later
// launch_probe: how long the game takes from launch to its first complete
// picture on a real X display. Starts the game, grabs the screen again and
// again, and stops once the screen has not changed for a second: the first
// grab that shows that final picture is the launch time, in milliseconds.
// The screen's edges (title bar, menu bar, frame) are left out, so that the
// window manager marking the window active does not count as a change.
//   launch_probe GAME [FOLDER]

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: launch_probe GAME [FOLDER]\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    // Rows across the screen, a few pixels tall and 24 apart: the side
    // panel's boxes and a cube at any place cross several of them. Grabbing
    // only these keeps the probe from taking the processor from the game.
    const QRect area = screen->geometry().adjusted(8, 48, -8, -16);
    const auto grab = [&] {
        std::vector<QImage> strips;
        for (int y = area.top(); y + 2 <= area.bottom(); y += 24)
            strips.push_back(screen->grabWindow(0, area.x(), y, area.width(), 2).toImage());
        return strips;
    };
    constexpr qint64 kSettled = 1000;
    constexpr qint64 kGiveUp = 10000;

    const auto before = grab();
    QProcess game;
    if (args.size() > 2) game.setWorkingDirectory(args[2]);
    game.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer clock;
    clock.start();
    game.start(args[1], {});
    if (!game.waitForStarted(kGiveUp)) {
        std::fprintf(stderr, "launch_probe: could not start %s\n", qPrintable(args[1]));
        return 1;
    }
    auto last = before;
    qint64 changed = -1;
    while (clock.elapsed() < kGiveUp) {
        // A pause between grabs leaves the processor to the game and the X
        // server; it costs the figure at most a few milliseconds.
        QThread::msleep(2);
        auto now = grab();
        const qint64 at = clock.elapsed();
        if (now != last) {
            changed = at;
            last = std::move(now);
        } else if (changed >= 0 && at - changed >= kSettled) {
            break;
        }
        if (game.state() == QProcess::NotRunning) break;
    }
    const bool running = game.state() == QProcess::Running;
    game.kill();
    game.waitForFinished();
    if (!running || changed < 0 || clock.elapsed() >= kGiveUp) {
        std::fprintf(stderr, "launch_probe: the game %s\n",
                     running ? "never settled on one picture" : "ended");
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(changed));
    return 0;
}
