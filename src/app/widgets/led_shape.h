#pragma once
// A round indicator. As an LED it has a lit and an unlit colour and shows one
// of them by its on/off value; as a plain status circle both colours are the
// same fill colour (setFillColour).

#include <QColor>
#include <QWidget>

class LedShape : public QWidget {
    Q_OBJECT
public:
    explicit LedShape(QWidget* parent = nullptr);

    void setLitColour(const QColor& colour);
    void setUnlitColour(const QColor& colour);
    void setOn(bool on);
    QColor litColour() const { return lit_; }
    QColor unlitColour() const { return unlit_; }
    bool isOn() const { return on_; }

    // Sets the lit and the unlit colour at once, for a plain status circle.
    void setFillColour(const QColor& colour);
    // The colour the circle shows now.
    QColor shownColour() const { return on_ ? lit_ : unlit_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor lit_;
    QColor unlit_;
    bool on_ = false;
};
