#include "widgets/wrapping_push_button.h"

#include "widgets/wrapped_text.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingPushButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    drawWrappedText(painter, textArea, text(), Qt::AlignCenter);
}
