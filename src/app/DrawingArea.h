// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "render/Scene.h"

namespace twistor {

// The window's client area: shows the off-screen picture the game draws on
// and reports mouse presses and changes of size. A screen reader knows it as
// "Cube", and reads what it shows from its description. The picture is kept, so
// covering and uncovering the window costs nothing and loses nothing; it is
// drawn in the screen's device pixels, so it is as sharp as the menu bar.
class DrawingArea : public QWidget {
  public:
    explicit DrawingArea(QWidget* parent);

    Scene& scene() { return scene_; }
    Canvas& canvas() { return scene_.canvas; }
    const Canvas& canvas() const { return scene_.canvas; }

    std::function<void(int button, double x, double y)> onMouseDown;
    std::function<void()> onResize;
    // What the picture shows, in words, for a screen reader: asked for only
    // when one asks.
    std::function<QString()> describe;

    // Tells a screen reader that the picture has changed.
    void AnnounceChange();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Scene scene_;
};

}  // namespace twistor
