#pragma once
// The cell editor of one coefficient table and the keys of the table, routed
// into the window's shared table handlers the way a string grid raises its
// events:
// - the editor (a line edit) opens only while the table's edit permission is
//   on; opening it hands the cell text to the get-edit-text handler;
// - every change the user makes to the editor's text goes to the
//   set-edit-text handler;
// - a key goes first to the key-down handler; a typed character then goes to
//   the key-press handler, which may discard it; every key release goes to the
//   key-up handler;
// - Enter left standing by the key-press handler toggles the editor as the
//   grid does: it closes an open editor (the cell keeps its text) or opens one;
// - a character typed into the table itself never searches the cells.
// A message box taking the focus does not close the editor: a message shown
// while the user types must not end the edit.

#include "widgets/coefficient_cell_delegate.h"

#include <QPersistentModelIndex>
#include <QPointer>

class QKeyEvent;
class QLineEdit;
class QTableWidget;
class TMainForm;

class CoeffTableDelegate : public CoefficientCellDelegate {
public:
    CoeffTableDelegate(TMainForm* form, QTableWidget* table);

    // The open editor and the cell it edits; null and invalid when none is open.
    QLineEdit* editor() const;
    QModelIndex editedIndex() const;

    // Opens the editor on the current cell with all its text selected; nothing
    // opens while the edit permission is off.
    void openEditor();
    // Closes the open editor; the cell takes the editor's text.
    void closeEditorKeepingText();
    // Shows the cell's current text in the open editor again.
    void reloadEditor();

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool tableKeyPress(QKeyEvent* event);
    bool editorKeyPress(QKeyEvent* event);

    TMainForm* form_;
    QTableWidget* table_;
    // Held as a plain object: the table's event filter still sees the editor
    // while it is being destroyed, when it is no longer a line edit.
    mutable QPointer<QObject> editor_;
    mutable QPersistentModelIndex editedIndex_;
};
