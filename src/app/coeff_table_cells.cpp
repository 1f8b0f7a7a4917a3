#include "coeff_table_cells.h"

#include "coeff_table_delegate.h"
#include "entry/number_text.h"
#include "handler_scope.h"
#include "mainform.h"

#include <QTableWidget>

namespace coeff_tables {

using coeffs::CoeffTable;

QTableWidget* senderTable(QObject* sender, const QString& caption, platform::MessageIcon icon)
{
    auto* table = qobject_cast<QTableWidget*>(sender);
    if (!table)
        platform::showMessage(QStringLiteral("Не могу привести тип!"), caption, icon);
    return table;
}

CoeffTableDelegate* delegateOf(const QTableWidget* table)
{
    return dynamic_cast<CoeffTableDelegate*>(table->itemDelegate());
}

bool isValueCell(const QTableWidget* table, int row, int column)
{
    return row >= 1 && column >= 1 && row < table->rowCount() && column < table->columnCount();
}

std::optional<CoeffTable> tableKind(const TMainForm& form, const QObject* table)
{
    if (table && table == form.DacCalibrationCoefsStringGrid)
        return CoeffTable::Dac;
    if (table && table == form.AdcCoeffTables[0])
        return CoeffTable::AdcOffset;
    if (table && table == form.AdcCoeffTables[1])
        return CoeffTable::AdcScale;
    return std::nullopt;
}

std::size_t permissionIndex(CoeffTable kind)
{
    return static_cast<std::size_t>(kind);
}

void setCellText(TMainForm& form, QTableWidget* table, int row, int column, const QString& text)
{
    HandlerScope programmaticChange(form.HandlerBusy);
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    item->setText(text);
    // The table refreshes an open editor only when the text really changed.
    if (CoeffTableDelegate* delegate = delegateOf(table)) {
        const QModelIndex edited = delegate->editedIndex();
        if (edited.row() == row && edited.column() == column)
            delegate->reloadEditor();
    }
}

QString rejectedCellText(const coeffs::CorrectionCoeffs& set, CoeffTable kind, int row, int column)
{
    const bool offset = kind == CoeffTable::AdcOffset || (kind == CoeffTable::Dac && column == 1);
    return entry::formatFixed(coeffs::storedCellValue(set, kind, row, column).value_or(0.0), offset ? 3 : 6);
}

} // namespace coeff_tables
