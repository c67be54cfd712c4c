// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DrawingArea.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include "cube/View.h"

namespace twistor {

namespace {

// The drawing area as a screen reader sees it: a canvas whose description
// says in words what the picture shows.
class CubeAccessible : public QAccessibleWidget {
  public:
    explicit CubeAccessible(DrawingArea* area) : QAccessibleWidget(area, QAccessible::Canvas) {}

    QString text(QAccessible::Text t) const override {
        const auto* area = static_cast<const DrawingArea*>(widget());
        if (t == QAccessible::Description && area->describe) return area->describe();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* CubeAccessibleFactory(const QString&, QObject* object) {
    if (auto* area = dynamic_cast<DrawingArea*>(object)) return new CubeAccessible(area);
    return nullptr;
}

}  // namespace

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent), scene_(1, 1) {
    static const bool factory = (QAccessible::installFactory(CubeAccessibleFactory), true);
    (void)factory;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setObjectName("CubeWindowArea");
    setAccessibleName("Cube");
}

void DrawingArea::AnnounceChange() {
    // Costs nothing while no screen reader listens.
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void DrawingArea::paintEvent(QPaintEvent*) {
    // On a screen of another density the picture keeps what it shows, and
    // what is drawn from now on is drawn at the new density.
    scene_.canvas.Resize(scene_.canvas.Width(), scene_.canvas.Height(), devicePixelRatioF());
    // Device pixel for device pixel; the painter clips to what needs it.
    QPainter p(this);
    p.drawImage(QPointF(0, 0), scene_.canvas.Image());
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
    // Grow the picture with the window; what was drawn stays where it was.
    const QSize s = event->size();
    scene_.canvas.Resize(std::max(s.width(), scene_.canvas.Width()),
                         std::max(s.height(), scene_.canvas.Height()), devicePixelRatioF());
    QWidget::resizeEvent(event);
    if (onResize) onResize();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    // The game's button numbers: kLeftButton, kRightButton, and 4 for the
    // middle button, which moves nothing.
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = kLeftButton;
            break;
        case Qt::RightButton:
            button = kRightButton;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            break;
    }
    const QPointF p = event->position();
    if (onMouseDown) onMouseDown(button, p.x(), p.y());
}

}  // namespace twistor
