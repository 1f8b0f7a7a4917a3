#include "entry_key_router.h"

#include "widgets/typed_key.h"

#include <QKeyEvent>
#include <QLineEdit>

EntryKeyRouter::EntryKeyRouter(QLineEdit* edit, KeyDownHandler keyDown, KeyPressHandler keyPress)
    : QObject(edit)
    , edit_(edit)
    , keyDown_(std::move(keyDown))
    , keyPress_(std::move(keyPress))
{
    edit->installEventFilter(this);
}

bool EntryKeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (typed_key::isEditingCommand(keyEvent))
        return false;
    if (keyDown_) {
        int key = keyEvent->key();
        keyDown_(edit_, key);
        if (key == 0)
            return true;
    }
    QChar typed = typed_key::typedCharacter(keyEvent);
    if (typed.isNull())
        return false;
    keyPress_(edit_, typed);
    return typed.isNull();
}
