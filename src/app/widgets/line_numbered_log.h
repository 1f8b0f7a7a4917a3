#pragma once
// A read-only text box for a long log: no word wrap, both scroll bars, a
// monospaced font, a gutter on the left with the line numbers, and the
// marker words coloured by LogHighlighter.

#include <QPlainTextEdit>

class LineNumberedLog : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LineNumberedLog(QWidget* parent = nullptr);

    QWidget* gutter() const { return gutter_; }
    int gutterWidth() const;
    // Paints the visible line numbers into the gutter (called by the gutter).
    void paintGutter(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateGutterWidth();
    void updateGutter(const QRect& rect, int dy);

    QWidget* gutter_;
};
