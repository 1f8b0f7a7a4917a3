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
    connect(this, &QLineEdit::textChanged, this, &ValueEdit::showHead);
}

void ValueEdit::setValueText(const QString& text)
{
    const bool unchanged = text == this->text();
    setText(text);
    // An equal text raises no textChanged, yet setText has still moved the
    // caret to the end and cleared the selection.
    if (unchanged)
        showHead();
}

void ValueEdit::showHead()
{
    // The line edit scrolls to keep its caret in view; at the end of a number
    // wider than the field that would hide the sign and the leading digits.
    setCursorPosition(0);
    emit refreshed();
}

void ValueEdit::selectAllFromStart()
{
    const int length = static_cast<int>(text().size());
    setSelection(length, -length);
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
    // A focus by Tab selects everything with the caret at the end.
    if (!text().isEmpty() && selectedText() == text())
        selectAllFromStart();
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
