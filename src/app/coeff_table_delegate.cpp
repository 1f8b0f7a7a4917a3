#include "coeff_table_delegate.h"

#include "mainform.h"
#include "widgets/typed_key.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

using typed_key::isEditingCommand;
using typed_key::kEnter;
using typed_key::typedCharacter;

CoeffTableDelegate::CoeffTableDelegate(TMainForm* form, QTableWidget* table)
    : CoefficientCellDelegate(table)
    , form_(form)
    , table_(table)
{
}

QLineEdit* CoeffTableDelegate::editor() const
{
    return qobject_cast<QLineEdit*>(editor_.data());
}

QModelIndex CoeffTableDelegate::editedIndex() const
{
    return editedIndex_;
}

void CoeffTableDelegate::openEditor()
{
    const QModelIndex current = table_->currentIndex();
    if (editor_ || !current.isValid())
        return;
    table_->edit(current);
    if (QLineEdit* opened = editor())
        opened->selectAll();
}

void CoeffTableDelegate::closeEditorKeepingText()
{
    QLineEdit* editor = this->editor();
    if (!editor)
        return;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CoeffTableDelegate::reloadEditor()
{
    if (QLineEdit* open = editor(); open && editedIndex_.isValid())
        setEditorData(open, editedIndex_);
}

QWidget* CoeffTableDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& /*option*/, const QModelIndex& index) const
{
    if (!form_->CoeffTableEditAllowed(table_))
        return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignCenter);
    editor->setFont(coefficientCellLook(index.row(), index.column(), {}, true, false, {}, {}, {}).font);
    TMainForm* form = form_;
    QTableWidget* table = table_;
    const QPersistentModelIndex cell(index);
    QObject::connect(editor, &QLineEdit::textEdited, form, [form, table, cell](const QString& text) {
        form->CorrectionCoefsStringGridSetEditText(table, cell.row(), cell.column(), text);
    });
    editor_ = editor;
    editedIndex_ = cell;
    return editor;
}

void CoeffTableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    form_->CorrectionCoefsStringGridGetEditText(text);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void CoeffTableDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (editor == editor_) {
        editor_ = nullptr;
        editedIndex_ = QPersistentModelIndex();
    }
    CoefficientCellDelegate::destroyEditor(editor, index);
}

bool CoeffTableDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_) {
        if (event->type() == QEvent::KeyPress)
            return tableKeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::KeyRelease)
            form_->CorrectionCoefsStringGridKeyUp(table_, static_cast<QKeyEvent*>(event)->key());
        return false;
    }
    if (!editor_ || watched != editor_)
        return CoefficientCellDelegate::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        if (editorKeyPress(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::KeyRelease:
        // Taken here so that it does not reach the table a second time.
        form_->CorrectionCoefsStringGridKeyUp(table_, static_cast<QKeyEvent*>(event)->key());
        return true;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        break;
    }
    default:
        break;
    }
    return CoefficientCellDelegate::eventFilter(watched, event);
}

bool CoeffTableDelegate::tableKeyPress(QKeyEvent* event)
{
    // A key the open editor passed on (Up or Down leaving the row) has been
    // handled there; the table now only moves.
    if (editor_)
        return false;
    form_->CorrectionCoefsStringGridKeyDown(table_, event->key());
    QChar key = typedCharacter(event);
    if (key.isNull() || isEditingCommand(event))
        return false;
    form_->CorrectionCoefsStringGridKeyPress(table_, key);
    if (key == kEnter)
        openEditor();
    return true;
}

bool CoeffTableDelegate::editorKeyPress(QKeyEvent* event)
{
    // Esc acts on its release; the window's short-cut handler takes the press.
    if (event->key() == Qt::Key_Escape)
        return true;
    form_->CorrectionCoefsStringGridKeyDown(table_, event->key());
    QChar key = typedCharacter(event);
    if (key.isNull() || isEditingCommand(event))
        return false;
    form_->CorrectionCoefsStringGridKeyPress(table_, key);
    if (key.isNull())
        return true;
    if (key == kEnter) {
        closeEditorKeepingText();
        return true;
    }
    return false;
}
