#pragma once
// Colours the marker words of the verification log ("Итого", "НОРМА", "OK",
// ...) in their own colours.

#include <QColor>
#include <QString>
#include <QSyntaxHighlighter>
#include <vector>

struct HighlightSpan {
    int start = 0;
    int length = 0;
    QColor colour;
};

// The marker words found in one line of text, in order, without overlaps.
// Longer words win over words they contain ("СШНИ" over "СШ"); a word that
// begins or ends with a letter or digit only counts where it is not part of a
// longer word ("OK" counts in "OK." but not in "TOKEN").
std::vector<HighlightSpan> findHighlightedWords(const QString& line);

class LogHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit LogHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};
