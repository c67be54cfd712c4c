// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Widgets.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <algorithm>

namespace twistor {

QRect WrapButton::CaptionRect() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void WrapButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(CaptionRect(), kCaptionFlags, text());
}

}  // namespace twistor

namespace twistor {

namespace {

// Below this the words are no longer worth reading.
constexpr int kSmallestPixels = 7;

bool TextFits(QWidget* control) {
    const QFontMetrics fm(control->font());
    if (auto* label = qobject_cast<QLabel*>(control)) {
        const QRect box = label->contentsRect();
        // The label centres its line vertically: the letters, not the line's
        // spacing, must stay inside.
        const QRect ink = fm.tightBoundingRect(label->text());
        const int baseline = box.top() + (box.height() - fm.height()) / 2 + fm.ascent();
        return fm.horizontalAdvance(label->text()) <= box.width() &&
               baseline + ink.top() >= box.top() && baseline + ink.bottom() <= box.bottom();
    }
    if (auto* button = dynamic_cast<WrapButton*>(control)) {
        const QRect inner = button->CaptionRect();
        return inner.contains(fm.boundingRect(inner, WrapButton::kCaptionFlags, button->text()));
    }
    return true;
}

}  // namespace

QFont ControlFont(int pixels) {
    QFont f(QStringLiteral("DejaVu Sans Condensed"));
    f.setPixelSize(pixels);
    return f;
}

void FitText(QWidget* control, int pixels) {
    control->setFont(ControlFont(pixels));
    while (pixels > kSmallestPixels && !TextFits(control)) control->setFont(ControlFont(--pixels));
}

NumberBox::NumberBox(const QString& text, int typedLength, QWidget* parent)
    : QLineEdit(parent), typedLength_(typedLength) {
    setMaxLength(typedLength_);
    setText(text);
    // Whatever the player does to a longer number, the box takes no more
    // than it held then, and no more than its own limit once it is shorter.
    connect(this, &QLineEdit::textEdited, this, [this] { FitLength(); });
}

void NumberBox::ShowNumber(const QString& text) {
    if (designWidth_ == 0) designWidth_ = width();
    setMaxLength(std::max(typedLength_, static_cast<int>(text.size())));
    setText(text);
    // Wide enough for the whole number: the frame, the text's margins of two
    // pixels each side and the cursor.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame =
        width() - style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width();
    const int needed = fontMetrics().horizontalAdvance(text) + frame + 4 + 1;
    resize(std::max(designWidth_, needed), height());
    setCursorPosition(0);
}

void NumberBox::FitLength() {
    setMaxLength(std::max(typedLength_, static_cast<int>(text().size())));
}

FittingLabel::FittingLabel(const QString& text, int textPixels, QWidget* parent)
    : QLabel(text, parent), textPixels_(textPixels) {}

void FittingLabel::SetText(const QString& text) {
    setText(text);
    FitText(this, textPixels_);
}

}  // namespace twistor
