#pragma once
// Multi-line captions at the line pitch the design was drawn with (1.15 times
// the character height, as the design's fonts have), whatever line spacing
// the substitute fonts of this system report. Lines break at blanks.

#include <QRect>
#include <QString>

class QFont;
class QPainter;

// The size the wrapped text takes at most `width` pixels wide; its width is
// that of the widest line, which exceeds `width` when a single word does.
QSize wrappedTextSize(const QString& text, const QFont& font, int width);

// Draws the text wrapped to `area`'s width, aligned in `area`, with the
// painter's font and pen.
void drawWrappedText(QPainter& painter, const QRect& area, const QString& text, Qt::Alignment alignment);
