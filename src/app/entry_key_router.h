#pragma once
// Routes the keys of an entry field into the window's handlers the way an
// edit raises its key events: a key press goes first to the key-down handler,
// which may discard it by setting the key to 0; the character it types then
// goes to the key-press handler, which may discard it by setting it to null.
// Editing commands (copy, paste, undo, ...) and keys that type nothing reach
// the field unfiltered.

#include <QObject>
#include <functional>

class QLineEdit;

class EntryKeyRouter : public QObject {
public:
    using KeyDownHandler = std::function<void(QObject* sender, int& key)>;
    using KeyPressHandler = std::function<void(QObject* sender, QChar& key)>;

    // Installs itself on `edit` and lives as long as it. `keyDown` may be empty.
    EntryKeyRouter(QLineEdit* edit, KeyDownHandler keyDown, KeyPressHandler keyPress);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    KeyDownHandler keyDown_;
    KeyPressHandler keyPress_;
};
