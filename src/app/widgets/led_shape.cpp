#include "widgets/led_shape.h"

#include "widgets/design_colours.h"

#include <QPainter>
#include <QRadialGradient>

LedShape::LedShape(QWidget* parent)
    : QWidget(parent)
    , lit_(design::buttonFace())
    , unlit_(design::buttonFace())
{
}

void LedShape::setLitColour(const QColor& colour)
{
    if (lit_ == colour)
        return;
    lit_ = colour;
    update();
}

void LedShape::setUnlitColour(const QColor& colour)
{
    if (unlit_ == colour)
        return;
    unlit_ = colour;
    update();
}

void LedShape::setOn(bool on)
{
    if (on_ == on)
        return;
    on_ = on;
    update();
}

void LedShape::setFillColour(const QColor& colour)
{
    lit_ = colour;
    unlit_ = colour;
    update();
}

void LedShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 1;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);

    // A soft highlight at the upper left gives the flat colour some depth.
    const QColor face = isEnabled() ? shownColour() : shownColour().lighter(115);
    QRadialGradient gradient(circle.center() - QPointF(side / 5.0, side / 5.0), side * 0.75);
    gradient.setColorAt(0.0, face.lighter(150));
    gradient.setColorAt(1.0, face);
    painter.setBrush(gradient);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.drawEllipse(circle);
}
