#include "widgets/caption_label.h"

#include "widgets/wrapped_text.h"

#include <QPainter>

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    drawWrappedText(painter, contentsRect().adjusted(margin(), margin(), -margin(), -margin()), text(), alignment());
}
