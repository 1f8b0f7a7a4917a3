#include "widgets/combo_row_height.h"

#include <QComboBox>
#include <QStyledItemDelegate>

namespace {

class FixedRowHeightDelegate : public QStyledItemDelegate {
public:
    FixedRowHeightDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height_);
    }

private:
    int height_;
};

} // namespace

void setPopupRowHeight(QComboBox* combo, int pixels)
{
    combo->setItemDelegate(new FixedRowHeightDelegate(pixels, combo));
}
