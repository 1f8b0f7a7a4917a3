#pragma once
// The entry state of a numeric entry field, shown by its text colour: red
// while it holds a typed value not yet confirmed with Enter, black once the
// value has been taken.

#include <QColor>

class QLineEdit;

namespace pending_entry {

inline constexpr QRgb PendingEntryColour = 0xFF0000;
inline constexpr QRgb ConfirmedEntryColour = 0x000000;

void markPending(QLineEdit* edit);
void markConfirmed(QLineEdit* edit);
bool isPending(const QLineEdit* edit);

} // namespace pending_entry
