#pragma once
// Key events as an edit raises its key-press event: the character a key types,
// with Enter and Backspace given by their control codes.

#include <QChar>

class QKeyEvent;

namespace typed_key {

constexpr char16_t kEnter = u'\r';
constexpr char16_t kBackspace = u'\b';

// The character `event` types: Enter and Backspace by their codes; keys that
// type nothing (arrows, Delete, Tab, Esc, function keys) give null.
QChar typedCharacter(const QKeyEvent* event);

// Copy, cut, paste, select all, undo and redo: these reach the edit as they
// are, never as typed characters.
bool isEditingCommand(const QKeyEvent* event);

} // namespace typed_key
