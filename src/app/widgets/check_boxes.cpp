#include "widgets/check_boxes.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    indicator.moveTop((height() - indicator.height()) / 2);
    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect = indicator;
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicatorOption);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textArea(indicator.right() + 1 + spacing, 0, width() - indicator.right() - 1 - spacing, height());
    style()->drawItemText(&painter, textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(),
                          isEnabled(), text(), QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textArea;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

ThreeStateCheckBox::ThreeStateCheckBox(QWidget* parent)
    : WrappingCheckBox(parent)
{
    setTristate(true);
}

void ThreeStateCheckBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}
