#include "app/Widgets.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace twistor {

void WrapButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect inner = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

}  // namespace twistor

namespace twistor {

GrowingLabel::GrowingLabel(const QString& text, const QRect& place, QWidget* parent)
    : QLabel(text, parent), laidOutWidth_(place.width()) {
    setGeometry(place);
}

void GrowingLabel::SetText(const QString& text) {
    setText(text);
    const int needed = fontMetrics().horizontalAdvance(text) + 4;
    resize(std::max(laidOutWidth_, needed), height());
}

}  // namespace twistor
