#include "widgets/wrapping_push_button.h"

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
    style()->drawItemText(&painter, textArea, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                          QPalette::ButtonText);
}
