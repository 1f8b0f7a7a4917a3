// The small widgets: radio group, three-state check box, LED, log with its
// highlighted words, the coefficient cells' look and the multi-line captions.
#include "widgets/check_boxes.h"
#include "widgets/coefficient_cell_delegate.h"
#include "widgets/hover_focus.h"
#include "widgets/led_shape.h"
#include "widgets/line_numbered_log.h"
#include "widgets/log_highlighter.h"
#include "widgets/radio_group.h"
#include "widgets/wrapped_text.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

TEST(RadioGroup, ChecksOneItemOrNone)
{
    RadioGroup group;
    group.resize(100, 90);
    group.setItems({ QStringLiteral("DC "), QStringLiteral("AC "), QStringLiteral("OFF") });
    QSignalSpy changes(&group, &RadioGroup::itemIndexChanged);
    EXPECT_EQ(group.count(), 3);
    EXPECT_EQ(group.itemIndex(), -1);

    group.setItemIndex(2);
    EXPECT_EQ(group.itemIndex(), 2);
    EXPECT_TRUE(group.button(2)->isChecked());

    group.button(0)->click();
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_FALSE(group.button(2)->isChecked());

    group.button(0)->click(); // a click on the checked item keeps it
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_TRUE(group.button(0)->isChecked());

    group.setItemIndex(-1);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_FALSE(group.button(0)->isChecked());
    group.setItemIndex(7);
    EXPECT_EQ(group.itemIndex(), -1);

    const QList<int> expected = { 2, 0, -1 };
    ASSERT_EQ(changes.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(changes[i].at(0).toInt(), expected[i]);
}

TEST(ThreeStateCheckBox, AClickOnlyTogglesAndTheGreyBoxBecomesChecked)
{
    const std::pair<Qt::CheckState, Qt::CheckState> cases[] = {
        { Qt::Unchecked, Qt::Checked },
        { Qt::Checked, Qt::Unchecked },
        { Qt::PartiallyChecked, Qt::Checked },
    };
    for (const auto& [before, after] : cases) {
        SCOPED_TRACE(before);
        ThreeStateCheckBox box;
        box.setText(QStringLiteral("Все каналы"));
        box.resize(69, 66);
        box.setCheckState(before);
        // The caption takes the click as well as the box.
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
        EXPECT_EQ(box.checkState(), after);
    }
}

TEST(HoverFocus, AnEditTakesTheFocusUnderTheMouseOnlyWhileSwitchedOn)
{
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* edit = new QLineEdit(QStringLiteral("1.000"), &window);
    edit->move(0, 40);
    setSelectAllOnFocus(edit);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    const auto pointAtEdit = [edit] {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(edit, &enter);
    };
    pointAtEdit();
    EXPECT_FALSE(edit->hasFocus());

    setFocusOnHover(edit, true);
    EXPECT_TRUE(focusOnHover(edit));
    pointAtEdit();
    EXPECT_TRUE(edit->hasFocus());
    // Taking the focus selects the whole text.
    EXPECT_TRUE(QTest::qWaitFor([edit] { return edit->selectedText() == QStringLiteral("1.000"); }, 2000));

    other->setFocus();
    setFocusOnHover(edit, false);
    pointAtEdit();
    EXPECT_FALSE(edit->hasFocus());
}

TEST(LedShape, APlainStatusCircleShowsItsFillColour)
{
    LedShape led;
    led.setFillColour(QColor(255, 150, 0));
    EXPECT_EQ(led.shownColour(), QColor(255, 150, 0));
    led.setOn(true);
    EXPECT_EQ(led.shownColour(), QColor(255, 150, 0));

    led.setLitColour(Qt::red);
    EXPECT_EQ(led.shownColour(), QColor(Qt::red));
    led.setOn(false);
    EXPECT_EQ(led.shownColour(), QColor(255, 150, 0));
}

QString spansOf(const QString& line)
{
    QStringList parts;
    for (const HighlightSpan& span : findHighlightedWords(line))
        parts << QStringLiteral("%1@%2 %3")
                     .arg(line.mid(span.start, span.length))
                     .arg(span.start)
                     .arg(span.colour.name());
    return parts.join(QStringLiteral("; "));
}

TEST(LogHighlighter, FindsEachMarkerWordInItsColour)
{
    const std::pair<const char*, const char*> cases[] = {
        { "Итого: 3", "Итого@0 #ff8000" },
        { "НОРМА и Норма", "НОРМА@0 #008040; Норма@8 #008040" },
        { "!!! ОШИБКА !!! Bad", "!!! ОШИБКА !!!@0 #ff0000; Bad@15 #ff0000" },
        { "канал 1 OK :)))))))", "OK@8 #00a452; :)))))))@11 #00b55a" },
        { "сбой :(((((((", ":(((((((@5 #ff0000" },
        { "СШНИ и СШ, КНИ", "СШНИ@0 #8000ff; СШ@7 #8000ff; КНИ@11 #8000ff" },
        { "К А Н А Л Ы / И З М Е Р Е Н И Е", "К А Н А Л Ы@0 #8000ff; И З М Е Р Е Н И Е@14 #8000ff" },
        { "Поверка, поверка", "Поверка@0 #8000ff; поверка@9 #8000ff" },
        { "приведённой / относительную", "приведённой@0 #0080ff; относительную@14 #0080ff" },
        // Parts of longer words are not markers.
        { "TOKEN Badge", "" },
        { "Поверками", "" },
        { "", "" },
    };
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(spansOf(QString::fromUtf8(line)), QString::fromUtf8(expected));
    }
}

TEST(LineNumberedLog, ColoursTheMarkerWordsOfItsLines)
{
    LineNumberedLog log;
    log.setPlainText(QStringLiteral("Поверка канала 1\nрезультат OK\nИтого"));
    EXPECT_EQ(log.blockCount(), 3);

    const QTextBlock second = log.document()->findBlockByNumber(1);
    const QList<QTextLayout::FormatRange> formats = second.layout()->formats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].start, 10);
    EXPECT_EQ(formats[0].length, 2);
    EXPECT_EQ(formats[0].format.foreground().color(), QColor(0, 164, 82));

    EXPECT_TRUE(log.isReadOnly());
    EXPECT_EQ(log.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(log.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(log.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(LineNumberedLog, GutterWidensForMoreDigits)
{
    LineNumberedLog log;
    const int narrow = log.gutterWidth();
    QStringList lines;
    for (int i = 0; i < 12000; ++i)
        lines << QString::number(i);
    log.setPlainText(lines.join(QLatin1Char('\n')));
    EXPECT_GT(log.gutterWidth(), narrow);
    EXPECT_EQ(log.gutter()->parentWidget(), &log);
}

TEST(CoefficientCells, HeaderTitlesAndValuesHaveTheirOwnLook)
{
    const QColor face(240, 240, 240);
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);

    const CoefficientCellLook header = coefficientCellLook(0, 2, QStringLiteral("x"), true, false, face, white, black);
    EXPECT_EQ(header.text, QStringLiteral("x"));
    EXPECT_EQ(header.fill, face);
    EXPECT_EQ(header.textColour, black);
    EXPECT_EQ(header.font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(header.font.pointSize(), 12);
    EXPECT_FALSE(header.font.bold());
    EXPECT_FALSE(header.outlined);

    const CoefficientCellLook title
        = coefficientCellLook(2, 0, QStringLiteral("1.000"), true, false, face, white, black);
    EXPECT_EQ(title.fill, QColor(255, 255, 208));
    EXPECT_EQ(title.textColour, QColor(128, 0, 0));
    EXPECT_EQ(title.font.family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(title.font.bold());
    EXPECT_TRUE(title.outlined);
    EXPECT_EQ(title.outline, title.fill);

    const CoefficientCellLook value
        = coefficientCellLook(1, 3, QStringLiteral("0.125"), true, false, face, white, black);
    EXPECT_EQ(value.text, QStringLiteral("0.125"));
    EXPECT_EQ(value.fill, white);
    EXPECT_EQ(value.font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(value.font.pointSize(), 11);
    EXPECT_EQ(value.outline, white);

    const CoefficientCellLook focused
        = coefficientCellLook(1, 3, QStringLiteral("0.125"), true, true, face, white, black);
    EXPECT_EQ(focused.outline, QColor(0, 0, 255));
}

TEST(CoefficientCells, ADisabledTableShowsQuestionMarksInGreyEverywhere)
{
    const QColor face(240, 240, 240);
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    for (const auto& [row, column] :
        { std::pair { 0, 0 }, std::pair { 0, 1 }, std::pair { 1, 0 }, std::pair { 3, 4 } }) {
        SCOPED_TRACE(row * 10 + column);
        const CoefficientCellLook look
            = coefficientCellLook(row, column, QStringLiteral("1.000"), false, false, face, white, black);
        EXPECT_EQ(look.text, QStringLiteral("?????"));
        EXPECT_EQ(look.textColour, QColor(128, 128, 128));
    }
}

TEST(WrappedText, BreaksAtBlanksWithTheDesignLinePitch)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(20);
    const QSize oneLine = wrappedTextSize(QStringLiteral("ab"), font, 500);
    EXPECT_EQ(oneLine.height(), 23); // 1.15 x 20
    const QSize twoLines = wrappedTextSize(QStringLiteral("Частота кадра, кГц"), font, 100);
    EXPECT_EQ(twoLines.height() % 23, 0);
    EXPECT_GE(twoLines.height(), 46);
    EXPECT_LE(twoLines.width(), 100);
}

} // namespace
