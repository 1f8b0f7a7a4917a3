#include "widgets/coefficient_cell_delegate.h"

#include <QPainter>

namespace {

const QColor kTitleFill(255, 255, 208); // pale yellow
const QColor kTitleText(128, 0, 0); // maroon
const QColor kFocusOutline(0, 0, 255);
const QColor kDisabledText(128, 128, 128);

QFont cellFont(const char* family, int points, bool bold)
{
    QFont font(QString::fromLatin1(family), points);
    font.setBold(bold);
    return font;
}

} // namespace

CoefficientCellLook coefficientCellLook(int row, int column, const QString& cellText, bool tableEnabled,
    bool cellHasFocus, const QColor& headerFill, const QColor& valueFill, const QColor& textColour)
{
    CoefficientCellLook look;
    look.text = tableEnabled ? cellText : QStringLiteral("?????");
    if (row == 0) {
        look.fill = headerFill;
        look.font = cellFont("Arial", 12, false);
        look.textColour = textColour;
    } else if (column == 0) {
        look.fill = kTitleFill;
        look.font = cellFont("Courier New", 12, true);
        look.textColour = kTitleText;
    } else {
        look.fill = valueFill;
        look.font = cellFont("Tahoma", 11, false);
        look.textColour = textColour;
    }
    if (!tableEnabled)
        look.textColour = kDisabledText;
    if (row > 0) {
        look.outlined = true;
        look.outline = cellHasFocus ? kFocusOutline : look.fill;
    }
    return look;
}

void CoefficientCellDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QWidget* table = option.widget;
    const QPalette& palette = table ? table->palette() : option.palette;
    const bool enabled = table ? table->isEnabled() : (option.state & QStyle::State_Enabled);
    const CoefficientCellLook look
        = coefficientCellLook(index.row(), index.column(), index.data(Qt::DisplayRole).toString(), enabled,
            option.state & QStyle::State_HasFocus, palette.color(QPalette::Active, QPalette::Button),
            palette.color(QPalette::Active, QPalette::Base), palette.color(QPalette::Active, QPalette::Text));

    painter->save();
    painter->fillRect(option.rect, look.fill);
    QRect textArea = option.rect;
    if (look.outlined) {
        textArea.adjust(1, 1, -1, -1);
        painter->setPen(QPen(look.outline, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(textArea.adjusted(0, 0, -1, -1));
    }
    painter->setFont(look.font);
    painter->setPen(look.textColour);
    painter->drawText(textArea, Qt::AlignCenter | Qt::TextSingleLine, look.text);
    painter->restore();
}
