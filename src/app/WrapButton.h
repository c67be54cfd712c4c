#pragma once

#include <QPushButton>

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

}  // namespace twistor
