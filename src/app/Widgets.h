#pragma once

#include <QLabel>
#include <QPushButton>

namespace twistor {

// A push button whose caption wraps onto several lines when it is wider
// than the button, as the panels' long captions need.
class WrapButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label that keeps the width it was laid out with, and grows to the right
// when its words need more room rather than cut them short.
class GrowingLabel : public QLabel {
  public:
    GrowingLabel(const QString& text, const QRect& place, QWidget* parent);

    void SetText(const QString& text);

  private:
    int laidOutWidth_;
};

}  // namespace twistor
