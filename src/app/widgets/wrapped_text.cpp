#include "widgets/wrapped_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>
#include <memory>

namespace {

int linePitch(const QFont& font)
{
    const int em = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).ascent();
    return static_cast<int>(std::ceil(em * 1.15));
}

std::unique_ptr<QTextLayout> layOut(const QString& text, const QFont& font, int width)
{
    auto layout = std::make_unique<QTextLayout>(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout->setTextOption(option);
    const int pitch = linePitch(font);
    layout->beginLayout();
    for (int top = 0;; top += pitch) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
    }
    layout->endLayout();
    return layout;
}

} // namespace

QSize wrappedTextSize(const QString& text, const QFont& font, int width)
{
    const auto layout = layOut(text, font, width);
    qreal widest = 0;
    for (int i = 0; i < layout->lineCount(); ++i)
        widest = qMax(widest, layout->lineAt(i).naturalTextWidth());
    return QSize(static_cast<int>(std::ceil(widest)), layout->lineCount() * linePitch(font));
}

void drawWrappedText(QPainter& painter, const QRect& area, const QString& text, Qt::Alignment alignment)
{
    const auto layout = layOut(text, painter.font(), area.width());
    const int pitch = linePitch(painter.font());
    const int height = layout->lineCount() * pitch;
    int top = area.top();
    if (alignment & Qt::AlignVCenter)
        top += (area.height() - height) / 2;
    else if (alignment & Qt::AlignBottom)
        top += area.height() - height;

    // The font's own ascent may exceed the pitch: centre each line's glyphs
    // in its pitch.
    const QFontMetricsF metrics(painter.font());
    const qreal shift = (pitch - (metrics.ascent() + metrics.descent())) / 2;
    painter.save();
    painter.setClipRect(area);
    for (int i = 0; i < layout->lineCount(); ++i) {
        QTextLine line = layout->lineAt(i);
        qreal left = area.left();
        if (alignment & Qt::AlignHCenter)
            left += (area.width() - line.naturalTextWidth()) / 2;
        else if (alignment & Qt::AlignRight)
            left += area.width() - line.naturalTextWidth();
        line.draw(&painter, QPointF(left, top + shift));
    }
    painter.restore();
}
