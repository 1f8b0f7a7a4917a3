#include "entry/dac_entry.h"

#include <gtest/gtest.h>
#include <limits>

using namespace entry;

namespace {

// A DAC field as the user sees it: text and 1-based caret.
struct Field {
    QString text;
    int caret;
};

// What the field does with one typed character: the filter decides, the
// entry control edits, the change is normalised and the caret applied.
Field type(Field field, QChar key)
{
    const auto normalise = [](Field changed) {
        const std::optional<DacTextEdit> edit = NormalizeDacText(changed.text, changed.caret);
        if (!edit)
            return Field { QStringLiteral("<failed>"), 0 };
        return Field { edit->text, std::clamp(edit->caretPos, 1, int(edit->text.size()) + 1) };
    };
    switch (dacTypedCharAction(key, field.text, field.caret)) {
    case DacKeyAction::Discard:
    case DacKeyAction::Apply:
        return field;
    case DacKeyAction::DiscardAndMoveCaretLeft:
        return { field.text, field.caret - 1 };
    case DacKeyAction::FillZeroThenPass:
        field = { QStringLiteral("0.000"), 1 };
        [[fallthrough]];
    case DacKeyAction::Pass:
        if (key == QChar(kBackspace)) {
            if (field.caret <= 1)
                return field; // nothing before the caret: no change
            field.text.remove(field.caret - 2, 1);
            return normalise({ field.text, field.caret - 1 });
        }
        field.text.insert(field.caret - 1, key);
        return normalise({ field.text, field.caret + 1 });
    }
    return field;
}

Field typeAll(Field field, const QString& keys)
{
    for (QChar key : keys)
        field = type(field, key);
    return field;
}

struct TypingCase {
    const char* what;
    const char* text;
    int caret;
    const char* keys;
    const char* resultText;
    int resultCaret; // 0: not checked
};

const QChar kBs(kBackspace);

TEST(DacTyping, KeepsTheTextInShapeAsTheUserTypes)
{
    const TypingCase cases[] = {
        { "3 at the start replaces the integer digit", "1.000", 1, "3", "3.000", 3 },
        { "then 5 goes after the point", "1.000", 1, "35", "3.500", 5 },
        { "7 at the start is limited to 5", "4.000", 1, "7", "5.000", 0 },
        { "9 at the start is limited to 5", "1.000", 1, "9", "5.000", 0 },
        { "minus before zero", "0.000", 1, "-", "-0.000", 3 },
        { "2 right after the minus", "-0.000", 2, "2", "-2.000", 4 },
        { "no lower limit while typing", "-1.000", 2, "7", "-7.000", 0 },
        { "a digit at the end is rounded to three decimals", "1.000", 6, "7", "1.001", 6 },
        { "a whole new digit", "", 1, "2", "2.000", 2 },
        { "the point cannot be typed", "1.000", 3, ".", "1.000", 3 },
        { "a comma is dropped", "1.000", 3, ",", "1.000", 3 },
        { "a letter is dropped", "1.000", 3, "a", "1.000", 3 },
        { "Enter changes no text", "1.000", 3, "\r", "1.000", 3 },
    };
    for (const TypingCase& c : cases) {
        const Field result = typeAll({ QString::fromUtf8(c.text), c.caret }, QString::fromUtf8(c.keys));
        EXPECT_EQ(result.text.toStdString(), c.resultText) << c.what;
        if (c.resultCaret) {
            EXPECT_EQ(result.caret, c.resultCaret) << c.what;
        }
    }
}

TEST(DacTyping, BackspaceAndDeleteKeepThePoint)
{
    // Backspace right after the point of 1.234: the point comes back after the first digit.
    EXPECT_EQ(type({ "1.234", 3 }, kBs).text, "1.340");
    // Backspace right before the point only moves the caret over it.
    const Field stepped = type({ "1.234", 2 }, kBs);
    EXPECT_EQ(stepped.text, "1.234");
    EXPECT_EQ(stepped.caret, 1);
    // Backspace in an empty field starts from zero.
    EXPECT_EQ(dacTypedCharAction(kBs, "", 1), DacKeyAction::FillZeroThenPass);
    EXPECT_EQ(type({ "", 1 }, kBs).text, "0.000");

    EXPECT_TRUE(dacDeleteKeyDiscarded("1.234", 2));
    EXPECT_TRUE(dacDeleteKeyDiscarded("-1.234", 3));
    EXPECT_FALSE(dacDeleteKeyDiscarded("1.234", 1));
    EXPECT_FALSE(dacDeleteKeyDiscarded("1.234", 3));
    EXPECT_FALSE(dacDeleteKeyDiscarded("1.234", 6));
}

TEST(DacTyping, NormalisationOfWholeTexts)
{
    const struct {
        const char* text;
        int caret;
        const char* result;
    } cases[] = {
        { "", 1, "0.000" },
        { "  ", 1, "0.000" },
        { "123.4", 1, "5.000" },
        { "1234", 2, "1.340" },
        { "04.000", 2, "0.000" },
        { ".000", 1, "0.000" },
        { "-0.00004", 1, "-0.000" },
        { "-1234.5", 1, "-134.500" },
        // Found by fuzzing: a character dropped for a surplus digit may be
        // the minus sign, and what is left is still limited to 5 V.
        { "-11112.", 2, "5.000" },
        { "\r-9.5", 1, "5.000" },
        { "-123.4", 3, "5.000" },
    };
    for (const auto& c : cases) {
        const std::optional<DacTextEdit> edit = NormalizeDacText(QString::fromUtf8(c.text), c.caret);
        ASSERT_TRUE(edit.has_value()) << c.text;
        EXPECT_EQ(edit->text.toStdString(), c.result) << c.text;
    }
}

TEST(DacTyping, TextsThatAreNoNumberFailTheNormalisation)
{
    for (const char* text : { "-", "--1.000", "1.0a0", "2.0,5" })
        EXPECT_FALSE(NormalizeDacText(QString::fromUtf8(text), 2).has_value()) << text;
}

struct ApplyCase {
    const char* text;
    double offset;
    double scale;
    const char* shown;
    int code;
};

TEST(ApplyDacValue, LimitsToFiveVoltsAndCorrectsWithTheDacCoefficients)
{
    const ApplyCase cases[] = {
        { "7", 0.0, 1.0, "5.000", 2047 },
        { "-7", 0.0, 1.0, "-5.000", -2047 },
        { "7", 3.0, 1.5, "5.000", 3075 }, // (2047 + 3) * 1.5
        { "1.000", 0.0, 1.0, "1.000", 409 },
        { "-1.000", 0.0, 1.0, "-1.000", -409 },
        { "5.000", 0.0, 1.0, "5.000", 2047 },
        { "0.000", 1.6, 1.0, "0.000", 2 },
        { "0.000", -1.5, 1.0, "0.000", -2 },
        { "0.000", 1.5, 1.0, "0.000", 2 },
        { "5", 0.0, 1.5, "5.000", 3071 }, // 3070.5 away from zero
        { "-5", 0.0, 1.5, "-5.000", -3071 },
        { "0.2", 0.0, 1.0, "0.200", 82 },
        { "-0.000", 0.0, 1.0, "0.000", 0 },
        { " 2.5 ", 0.0, 1.0, "2.500", 1024 }, // 1023.5
        { "5", 0.0, 20.0, "5.000", 32767 }, // beyond the 16-bit range: the nearest end
        { "-5", 0.0, 20.0, "-5.000", -32768 },
    };
    for (const ApplyCase& c : cases) {
        const DacApplyResult result = ApplyDacValue(QString::fromUtf8(c.text), { c.offset, c.scale });
        ASSERT_EQ(result.status, DacApplyStatus::Ok) << c.text;
        EXPECT_EQ(result.text.toStdString(), c.shown) << c.text;
        EXPECT_EQ(result.code, c.code) << c.text << " offset " << c.offset << " scale " << c.scale;
    }
}

TEST(ApplyDacValue, ATextThatIsNoNumberSendsNothing)
{
    for (const char* text : { "", "-", "1.2.3", "1,5", "5 В" })
        EXPECT_EQ(ApplyDacValue(QString::fromUtf8(text), { 0.0, 1.0 }).status, DacApplyStatus::NotANumber) << text;
}

TEST(ApplyDacValue, CoefficientsThatGiveNoCodeAreAFault)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const DacApplyResult result = ApplyDacValue("1.000", { nan, 1.0 });
    EXPECT_EQ(result.status, DacApplyStatus::Fault);
    EXPECT_EQ(result.text, "1.000");
    EXPECT_EQ(ApplyDacValue("1", { 0.0, std::numeric_limits<double>::infinity() }).status, DacApplyStatus::Fault);
}

} // namespace
