#pragma once

#include <QWidget>
#include <functional>

#include "render/Scene.h"

namespace twistor {

// The window's client area: shows the off-screen picture the game draws on
// and reports mouse presses and changes of size. The picture is kept, so
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

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Scene scene_;
};

}  // namespace twistor
