#pragma once
// How the cells of the coefficient tables are painted. Row 0 is the header
// row, column 0 holds the row titles, the other cells are values. A disabled
// table shows "?????" in grey in every cell.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStyledItemDelegate>

struct CoefficientCellLook {
    QString text; // what is drawn
    QColor fill; // the whole cell
    QColor textColour;
    QFont font;
    bool outlined = false; // a one-pixel rectangle inside the cell
    QColor outline;
};

// `headerFill`, `valueFill` and `textColour` are the table's own colours.
CoefficientCellLook coefficientCellLook(int row, int column, const QString& cellText, bool tableEnabled,
    bool cellHasFocus, const QColor& headerFill, const QColor& valueFill, const QColor& textColour);

class CoefficientCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
