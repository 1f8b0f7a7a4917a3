#include "widgets/check_boxes.h"

#include "widgets/wrapped_text.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int kLabelSpacing = 4;

struct CheckBoxLayout {
    QRect indicator;
    QRect caption;
};

// The caption beside the box, as usual; when a word of it is too wide for
// that and the box is tall enough, the caption goes under the indicator.
CheckBoxLayout layOutCheckBox(const QSize& size, const QSize& indicatorSize, const QString& text, const QFont& font)
{
    const int besideWidth = size.width() - indicatorSize.width() - kLabelSpacing;
    const QSize beside = wrappedTextSize(text, font, besideWidth);
    const QSize under = wrappedTextSize(text, font, size.width());
    const int underHeight = indicatorSize.height() + kLabelSpacing + under.height();
    if (beside.width() > besideWidth && under.width() <= size.width() && underHeight <= size.height()) {
        const int top = (size.height() - underHeight) / 2;
        const QRect indicator(QPoint((size.width() - indicatorSize.width()) / 2, top), indicatorSize);
        return { indicator, QRect(0, indicator.bottom() + 1 + kLabelSpacing, size.width(), under.height()) };
    }
    const QRect indicator(QPoint(0, (size.height() - indicatorSize.height()) / 2), indicatorSize);
    return { indicator, QRect(indicator.right() + 1 + kLabelSpacing, 0, besideWidth, size.height()) };
}

} // namespace

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    const QSize indicatorSize(style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this),
        style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this));
    const CheckBoxLayout layout = layOutCheckBox(size(), indicatorSize, text(), font());
    const bool under = layout.caption.top() > layout.indicator.top();

    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect = layout.indicator;
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicatorOption);

    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    drawWrappedText(
        painter, layout.caption, text(), under ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = layout.caption;
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
