#include "widgets/pending_entry.h"

#include <QLineEdit>

namespace pending_entry {

namespace {

void setTextColour(QLineEdit* edit, QRgb colour)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, QColor(colour));
    edit->setPalette(palette);
}

} // namespace

void markPending(QLineEdit* edit)
{
    setTextColour(edit, PendingEntryColour);
}

void markConfirmed(QLineEdit* edit)
{
    setTextColour(edit, ConfirmedEntryColour);
}

bool isPending(const QLineEdit* edit)
{
    return edit->palette().color(QPalette::Text).rgb() == QColor(PendingEntryColour).rgb();
}

} // namespace pending_entry
