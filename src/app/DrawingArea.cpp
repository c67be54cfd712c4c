#include "app/DrawingArea.h"

#include <QMouseEvent>
#include <QPainter>

namespace twistor {

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent), canvas_(1, 1) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setObjectName("CubeWindowArea");
}

void DrawingArea::paintEvent(QPaintEvent*) {
    // On a screen of another density the picture keeps what it shows, and
    // what is drawn from now on is drawn at the new density.
    canvas_.Resize(canvas_.Width(), canvas_.Height(), devicePixelRatioF());
    // Device pixel for device pixel; the painter clips to what needs it.
    QPainter p(this);
    p.drawImage(QPointF(0, 0), canvas_.Image());
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
    // Grow the picture with the window; what was drawn stays where it was.
    const QSize s = event->size();
    canvas_.Resize(std::max(s.width(), canvas_.Width()), std::max(s.height(), canvas_.Height()),
                   devicePixelRatioF());
    QWidget::resizeEvent(event);
    if (onResize) onResize();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = 1;
            break;
        case Qt::RightButton:
            button = 2;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            button = 0;
            break;
    }
    const QPointF p = event->position();
    if (onMouseDown) onMouseDown(button, p.x(), p.y());
}

}  // namespace twistor
