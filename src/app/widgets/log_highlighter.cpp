#include "widgets/log_highlighter.h"

#include <QFont>
#include <QTextCharFormat>
#include <algorithm>

namespace {

struct MarkerWord {
    const char* text; // UTF-8
    QRgb colour;
};

// Sorted longest first when used, so that a longer word wins over a word it
// contains.
const MarkerWord kMarkerWords[] = {
    { "Итого", 0xFF8000 },
    { "НОРМА", 0x008040 },
    { "Норма", 0x008040 },
    { "!!! ОШИБКА !!!", 0xFF0000 },
    { "Bad", 0xFF0000 },
    { ":(((((((", 0xFF0000 },
    { "OK", 0x00A452 },
    { ":)))))))", 0x00B55A },
    { "СШНИ", 0x8000FF },
    { "СШ", 0x8000FF },
    { "КНИ", 0x8000FF },
    { "К А Н А Л Ы", 0x8000FF },
    { "И З М Е Р Е Н И Е", 0x8000FF },
    { "Поверка", 0x8000FF },
    { "поверка", 0x8000FF },
    { "приведённой", 0x0080FF },
    { "относительную", 0x0080FF },
};

struct Marker {
    QString text;
    QColor colour;
};

const std::vector<Marker>& markersLongestFirst()
{
    static const std::vector<Marker> markers = [] {
        std::vector<Marker> list;
        for (const MarkerWord& word : kMarkerWords)
            list.push_back({ QString::fromUtf8(word.text), QColor(word.colour) });
        std::stable_sort(
            list.begin(), list.end(), [](const Marker& a, const Marker& b) { return a.text.size() > b.text.size(); });
        return list;
    }();
    return markers;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// True when the marker at `start` is not glued to a longer word.
bool standsAlone(const QString& line, const QString& word, int start)
{
    const int end = start + static_cast<int>(word.size());
    if (isWordCharacter(word.front()) && start > 0 && isWordCharacter(line[start - 1]))
        return false;
    if (isWordCharacter(word.back()) && end < line.size() && isWordCharacter(line[end]))
        return false;
    return true;
}

} // namespace

std::vector<HighlightSpan> findHighlightedWords(const QString& line)
{
    std::vector<HighlightSpan> spans;
    std::vector<bool> taken(static_cast<size_t>(line.size()), false);
    for (const Marker& marker : markersLongestFirst()) {
        const int length = static_cast<int>(marker.text.size());
        for (int at = line.indexOf(marker.text); at >= 0; at = line.indexOf(marker.text, at + 1)) {
            const auto first = taken.begin() + at;
            if (!standsAlone(line, marker.text, at) || std::find(first, first + length, true) != first + length)
                continue;
            std::fill(first, first + length, true);
            spans.push_back({ at, length, marker.colour });
        }
    }
    std::sort(
        spans.begin(), spans.end(), [](const HighlightSpan& a, const HighlightSpan& b) { return a.start < b.start; });
    return spans;
}

LogHighlighter::LogHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document)
{
}

void LogHighlighter::highlightBlock(const QString& text)
{
    for (const HighlightSpan& span : findHighlightedWords(text)) {
        QTextCharFormat format;
        format.setForeground(span.colour);
        format.setFontWeight(QFont::Bold);
        setFormat(span.start, span.length, format);
    }
}
