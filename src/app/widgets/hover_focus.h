#pragma once
// Edits that take the keyboard focus while the mouse is above them, and edits
// that select their whole text when they get the focus.

class QLineEdit;
class QWidget;

// Switches the focus-on-hover option of `widget` on or off.
void setFocusOnHover(QWidget* widget, bool on);
bool focusOnHover(const QWidget* widget);

// Makes `edit` select all its text whenever it gets the focus.
void setSelectAllOnFocus(QLineEdit* edit);
