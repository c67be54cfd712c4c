// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace twistor {

// A push button whose caption wraps onto several lines when it is wider
// than the button, as the panels' long captions need.
class WrapButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

    // Where the caption goes: inside the button's frame.
    QRect CaptionRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label whose text keeps to its own box: it is drawn at its usual size,
// or smaller where the words would not fit.
class FittingLabel : public QLabel {
  public:
    FittingLabel(const QString& text, int textPixels, QWidget* parent);

    void SetText(const QString& text);

  private:
    int textPixels_;
};

// The face of the controls' text: narrow, so that the panels' long prompts
// fit the boxes they were laid out in.
QFont ControlFont(int pixels);

// Gives a label or a button the largest text size, up to `pixels`, at which
// its text fits inside its own box (a button's text may wrap).
void FitText(QWidget* control, int pixels);

// A colour box: a click anywhere on its colour ticks or unticks it, not
// only a click on the small square.
class ColourBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A number box whose length limit holds for what the player types: a
// longer number the game puts there is shown whole, and the box widens to
// show it.
class NumberBox : public QLineEdit {
  public:
    NumberBox(const QString& text, int typedLength, QWidget* parent);

    // Shows a number the game holds, whole.
    void ShowNumber(const QString& text);

  private:
    void FitLength();

    int typedLength_;
    int designWidth_ = 0;
};

}  // namespace twistor
