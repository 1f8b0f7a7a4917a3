#include "widgets/line_numbered_log.h"

#include "widgets/log_highlighter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace {

class LineNumberGutter : public QWidget {
public:
    explicit LineNumberGutter(LineNumberedLog* log)
        : QWidget(log)
        , log_(log)
    {
    }

    QSize sizeHint() const override { return QSize(log_->gutterWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { log_->paintGutter(event); }

private:
    LineNumberedLog* log_;
};

constexpr int kGutterPadding = 4;

} // namespace

LineNumberedLog::LineNumberedLog(QWidget* parent)
    : QPlainTextEdit(parent)
    , gutter_(new LineNumberGutter(this))
{
    // The document owns its highlighter.
    new LogHighlighter(document());
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(13);
    setFont(font);

    connect(this, &QPlainTextEdit::blockCountChanged, this, &LineNumberedLog::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &LineNumberedLog::updateGutter);
    updateGutterWidth();
}

int LineNumberedLog::gutterWidth() const
{
    const int digits = static_cast<int>(QString::number(qMax(1, blockCount())).size());
    return 2 * kGutterPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * qMax(3, digits);
}

void LineNumberedLog::updateGutterWidth()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
}

void LineNumberedLog::updateGutter(const QRect& rect, int dy)
{
    if (dy != 0)
        gutter_->scroll(0, dy);
    else
        gutter_->update(0, rect.y(), gutter_->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateGutterWidth();
}

void LineNumberedLog::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    gutter_->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

void LineNumberedLog::paintGutter(QPaintEvent* event)
{
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(gutter_->width() - 1, event->rect().top(), gutter_->width() - 1, event->rect().bottom());

    painter.setPen(palette().color(QPalette::Dark));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, gutter_->width() - kGutterPadding, fontMetrics().height(), Qt::AlignRight,
                QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}
