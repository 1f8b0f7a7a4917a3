// Keys of the coefficient tables: Enter commits an edit (or asks for the
// editor), Up, Down, Page Up, Page Down and Esc give the cell back its text
// from before the edit, and only the characters of a number are typed.

#include "mainform.h"

#include "coeff_table_cells.h"
#include "coeff_table_delegate.h"
#include "entry/number_text.h"
#include "handler_scope.h"

#include <QLineEdit>
#include <QTableWidget>

using coeffs::CoeffTable;
using platform::MessageIcon;
using namespace coeff_tables;

namespace {

bool isPassingCharacter(QChar key)
{
    return (key >= u'0' && key <= u'9') || key == u'\b' || key == u'.' || key == u'-';
}

} // namespace

// Up, Down, Page Up and Page Down leave the row: the edited cell gets back
// its text from before the edit, and the table then moves.
void TMainForm::CorrectionCoefsStringGridKeyDown(QObject* sender, int key)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QTableWidget* table = senderTable(
        sender, QStringLiteral("Ошибка AdcCalibrationCoefsStringGridKeyDown()!!!"), MessageIcon::Information);
    if (!table)
        return;
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_PageUp && key != Qt::Key_PageDown)
        return;
    CoeffTableDelegate* delegate = delegateOf(table);
    if (!delegate || !delegate->editor())
        return;
    const QModelIndex edited = delegate->editedIndex();
    if (isValueCell(table, edited.row(), edited.column()))
        setCellText(*this, table, edited.row(), edited.column(), EditStartText);
}

void TMainForm::CorrectionCoefsStringGridKeyPress(QObject* sender, QChar& key)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QTableWidget* table = senderTable(
        sender, QStringLiteral("Ошибка CorrectionCoefsStringGridKeyPress()!!!"), MessageIcon::Information);
    if (!table)
        return;
    if (key != u'\r') {
        if (!isPassingCharacter(key))
            key = QChar();
        return;
    }

    CoeffTableDelegate* delegate = delegateOf(table);
    QLineEdit* editor = delegate ? delegate->editor() : nullptr;
    const QModelIndex cell = editor ? delegate->editedIndex() : table->currentIndex();
    if (!isValueCell(table, cell.row(), cell.column()))
        return;
    const std::optional<CoeffTable> kind = tableKind(*this, table);
    if (!kind) {
        platform::showMessage(QStringLiteral("Не могу опознать таблицу коэффициентов!"),
            QStringLiteral("Ошибка CorrectionCoefsStringGridKeyPress()!"));
        return;
    }
    bool& permission = CoeffTableEditPermission[permissionIndex(*kind)];
    if (!editor) {
        // The table opens the editor once the key has been handled.
        permission = true;
        return;
    }

    // Commit; the table then closes the editor and the cell keeps its text.
    const std::optional<double> value = entry::textToNumber(editor->text());
    if (!value) {
        setCellText(
            *this, table, cell.row(), cell.column(), rejectedCellText(WorkingCoeffs, *kind, cell.row(), cell.column()));
        permission = false;
        platform::showMessage(QStringLiteral("Введеное значение не совсем корекктно!"), QStringLiteral("Внимание!!!"),
            MessageIcon::Information);
        return;
    }
    coeffs::storeCommittedValue(WorkingCoeffs, *kind, cell.row(), cell.column(), *value);
    UpdateCoeffSaveButtons();
    permission = false;
}

// Esc on release: the edited cell gets back its text from before the edit.
void TMainForm::CorrectionCoefsStringGridKeyUp(QObject* sender, int key)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QTableWidget* table
        = senderTable(sender, QStringLiteral("Ошибка CorrectionCoefsStringGridKeyUp()!!!"), MessageIcon::Information);
    if (!table || key != Qt::Key_Escape || !CoeffTableEditAllowed(table))
        return;
    CoeffTableDelegate* delegate = delegateOf(table);
    if (!delegate)
        return;
    if (delegate->editor()) {
        const QModelIndex edited = delegate->editedIndex();
        setCellText(*this, table, edited.row(), edited.column(), EditStartText);
        CoeffTableEditPermission[permissionIndex(*tableKind(*this, table))] = false;
    }
    delegate->closeEditorKeepingText();
}
