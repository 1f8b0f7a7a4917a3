#pragma once
// A push button whose caption wraps onto several lines, centred.

#include <QPushButton>

class WrappingPushButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
