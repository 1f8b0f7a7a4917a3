#pragma once
// The read-only value display of a channel frame: light text on black, large
// monospaced digits, centred. The user can point at it and copy the value;
// the frame decides what pointing selects (mouseEntered / mouseLeft).
// Whatever is written into it, it shows the head of its text: the sign and
// the leading digits; a number wider than the field loses its tail.

#include <QColor>
#include <QLineEdit>

class ValueEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ValueEdit(QWidget* parent = nullptr);

    // Text colour of the value: lime normally, red for an overloaded channel.
    void setTextColour(const QColor& colour);
    QColor textColour() const { return textColour_; }

    // True between a mouse enter and the following mouse leave.
    bool isMouseAbove() const { return mouseAbove_; }

    // Writes a value; refreshed() follows even when the text is unchanged.
    void setValueText(const QString& text);
    // Selects the whole text with the caret at its start, so the selection
    // keeps the head of a wide number in view.
    void selectAllFromStart();

signals:
    void mouseEntered();
    void mouseLeft();
    // After every write of the text, with the head of the text in view.
    void refreshed();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The selection shows (green on white) only while the edit has the focus.
    void applyColours();
    void showHead();

    QColor textColour_;
    bool mouseAbove_ = false;
};
