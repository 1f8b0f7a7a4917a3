#pragma once
// Cell-level helpers shared by the coefficient table handlers: which table a
// handler runs for, which cells hold values, and writing a cell while its
// editor may be open.

#include "coeffs/coeff_edits.h"
#include "platform/message_seam.h"

#include <QString>
#include <cstddef>
#include <optional>

class CoeffTableDelegate;
class QObject;
class QTableWidget;
class TMainForm;

namespace coeff_tables {

// The sender as a table, or null after "Не могу привести тип!" with the
// handler's caption.
QTableWidget* senderTable(QObject* sender, const QString& caption, platform::MessageIcon icon);

// The editing delegate of one of the three tables; null for any other table.
CoeffTableDelegate* delegateOf(const QTableWidget* table);

// Row 0 (the header) and column 0 (the row titles) hold no values.
bool isValueCell(const QTableWidget* table, int row, int column);

// The DAC table by identity, the ADC tables by their index in AdcCoeffTables.
std::optional<coeffs::CoeffTable> tableKind(const TMainForm& form, const QObject* table);

// Index of a table's edit permission in CoeffTableEditPermission.
std::size_t permissionIndex(coeffs::CoeffTable kind);

// Writes a cell with HandlerBusy set; an editor open on the cell shows the
// new text too, as a grid's editor follows its cell.
void setCellText(TMainForm& form, QTableWidget* table, int row, int column, const QString& text);

// The stored value of a cell whose text was rejected, as it is written back:
// offsets with three decimals, scales with six.
QString rejectedCellText(const coeffs::CorrectionCoeffs& set, coeffs::CoeffTable kind, int row, int column);

} // namespace coeff_tables
