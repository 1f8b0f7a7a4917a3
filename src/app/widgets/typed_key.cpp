#include "widgets/typed_key.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace typed_key {

QChar typedCharacter(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(kEnter);
    case Qt::Key_Backspace:
        return QChar(kBackspace);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const QString text = event->text();
    return text.isEmpty() ? QChar() : text.front();
}

bool isEditingCommand(const QKeyEvent* event)
{
    for (QKeySequence::StandardKey command : { QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
             QKeySequence::SelectAll, QKeySequence::Undo, QKeySequence::Redo }) {
        if (event->matches(command))
            return true;
    }
    return false;
}

} // namespace typed_key
