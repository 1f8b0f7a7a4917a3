#include "frames/value_edit.h"

#include "widgets/design_colours.h"

#include <QFocusEvent>

ValueEdit::ValueEdit(QWidget* parent)
    : QLineEdit(parent)
    , textColour_(design::lime)
{
    // A read-only line edit draws no caret but still lets the user select
    // and copy the text.
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    QFont valueFont(QStringLiteral("Courier New"));
    valueFont.setStyleHint(QFont::TypeWriter);
    valueFont.setPixelSize(27);
    valueFont.setBold(true);
    setFont(valueFont);
    setAutoFillBackground(true);
    applyColours();
}

void ValueEdit::setTextColour(const QColor& colour)
{
    if (textColour_ == colour)
        return;
    textColour_ = colour;
    applyColours();
}

void ValueEdit::enterEvent(QEnterEvent* event)
{
    QLineEdit::enterEvent(event);
    mouseAbove_ = true;
    emit mouseEntered();
}

void ValueEdit::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    mouseAbove_ = false;
    emit mouseLeft();
}

void ValueEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    applyColours();
}

void ValueEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    applyColours();
}

void ValueEdit::applyColours()
{
    const bool showSelection = hasFocus();
    QPalette colours = palette();
    for (const auto group : { QPalette::Active, QPalette::Inactive }) {
        colours.setColor(group, QPalette::Base, QColor(design::black));
        colours.setColor(group, QPalette::Window, QColor(design::black));
        colours.setColor(group, QPalette::Text, textColour_);
        colours.setColor(group, QPalette::Highlight, QColor(showSelection ? design::white : design::black));
        colours.setColor(group, QPalette::HighlightedText, showSelection ? QColor(design::green) : textColour_);
    }
    colours.setColor(QPalette::Disabled, QPalette::Base, QColor(design::black));
    colours.setColor(QPalette::Disabled, QPalette::Window, QColor(design::black));
    setPalette(colours);
}
