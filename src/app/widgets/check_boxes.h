#pragma once
// Check boxes whose caption wraps onto several lines inside the box's
// rectangle, as the design's narrow, tall check boxes need.

#include <QCheckBox>

class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The whole rectangle, caption included, takes the click.
    bool hitButton(const QPoint& pos) const override;
};

// A three-state check box the user can only toggle: the program may set the
// grey state (the channels differ), and a click on the grey box checks it.
class ThreeStateCheckBox : public WrappingCheckBox {
    Q_OBJECT
public:
    explicit ThreeStateCheckBox(QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};
