// The two DAC fields: typing keeps the numeric shape, Enter sends the
// corrected code to the module, and the stored levels are set when the
// settings are applied.

#include "multimeter_window.h"

#include "entry/dac_entry.h"
#include "entry/number_text.h"
#include "settings/ini_file.h"
#include "widgets/pending_entry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <limits>
#include <optional>

namespace {

const QString kKeyPressCaption = QStringLiteral("Ошибка DacValueLMDEditKeyPress()!!!");

class DacOutputTest : public MultimeterWindowTest {
protected:
    void SetUp() override
    {
        MultimeterWindowTest::SetUp();
        applySettingsAsSearch();
        dac = form->Dac1ValueLMDEdit;
    }

    int16_t moduleCode(int output) const
    {
        int16_t code = 0x5A5A;
        EXPECT_TRUE(sim->dacCode(kSlot, output, &code));
        return code;
    }

    QLineEdit* dac = nullptr;
};

TEST_F(DacOutputTest, TheStoredLevelsAreShownAndSentWhenTheSettingsAreApplied)
{
    for (int output = 0; output < 2; ++output) {
        SCOPED_TRACE(output);
        QLineEdit* field = form->DacEdits[output];
        EXPECT_TRUE(field->isEnabled());
        EXPECT_EQ(field->text(), QStringLiteral("1.000"));
        EXPECT_FALSE(pending_entry::isPending(field));
        EXPECT_EQ(moduleCode(output), *entry::dacCodeFor(1.0, form->WorkingCoeffs.DacRaw[output]));
    }
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

TEST_F(DacOutputTest, TypingKeepsTheShapeAndTheCaretFollowsTheDigits)
{
    setFieldText(dac, QStringLiteral("1.000"), 0);
    type(dac, QStringLiteral("3"));
    EXPECT_EQ(dac->text(), QStringLiteral("3.000"));
    EXPECT_EQ(dac->cursorPosition(), 2);
    EXPECT_TRUE(pending_entry::isPending(dac));
    type(dac, QStringLiteral("5"));
    EXPECT_EQ(dac->text(), QStringLiteral("3.500"));
    EXPECT_EQ(dac->cursorPosition(), 4);

    setFieldText(dac, QStringLiteral("4.000"), 0);
    type(dac, QStringLiteral("7"));
    EXPECT_EQ(dac->text(), QStringLiteral("5.000"));

    setFieldText(dac, QStringLiteral("0.000"), 0);
    type(dac, QStringLiteral("-"));
    EXPECT_EQ(dac->text(), QStringLiteral("-0.000"));
    dac->setCursorPosition(1);
    type(dac, QStringLiteral("2"));
    EXPECT_EQ(dac->text(), QStringLiteral("-2.000"));
    EXPECT_EQ(dac->cursorPosition(), 3);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

struct TypedCase {
    const char* typed;
    const char* text;
};

class DacKeyFilterTest : public DacOutputTest, public ::testing::WithParamInterface<TypedCase> { };

TEST_P(DacKeyFilterTest, OnlyDigitsAndTheMinusSignChangeTheText)
{
    setFieldText(dac, QStringLiteral("1.000"), 0);
    type(dac, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(dac->text(), QString::fromUtf8(GetParam().text));
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Characters, DacKeyFilterTest,
    ::testing::Values(TypedCase { "3", "3.000" }, TypedCase { "-", "-1.000" }, TypedCase { ".", "1.000" },
        TypedCase { ",", "1.000" }, TypedCase { "a", "1.000" }, TypedCase { "ж", "1.000" }, TypedCase { " ", "1.000" },
        TypedCase { "e", "1.000" }, TypedCase { "+", "1.000" }));

struct EditKeyCase {
    const char* name;
    const char* text;
    int caret;
    Qt::Key key;
    const char* result;
    int resultCaret; // -1: not checked
};

class DacEditKeyTest : public DacOutputTest, public ::testing::WithParamInterface<EditKeyCase> { };

TEST_P(DacEditKeyTest, DeleteAndBackspaceAroundThePoint)
{
    const EditKeyCase& row = GetParam();
    setFieldText(dac, QString::fromLatin1(row.text), row.caret);
    QTest::keyClick(dac, row.key);
    EXPECT_EQ(dac->text(), QString::fromLatin1(row.result));
    if (row.resultCaret >= 0) {
        EXPECT_EQ(dac->cursorPosition(), row.resultCaret);
    }
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Keys, DacEditKeyTest,
    ::testing::Values(EditKeyCase { "DeleteBeforePoint", "1.234", 1, Qt::Key_Delete, "1.234", 1 },
        EditKeyCase { "BackspaceBeforePoint", "1.234", 1, Qt::Key_Backspace, "1.234", 0 },
        EditKeyCase { "BackspaceAfterPoint", "1.234", 2, Qt::Key_Backspace, "1.340", -1 },
        EditKeyCase { "DeleteAfterPoint", "1.234", 2, Qt::Key_Delete, "1.340", -1 },
        EditKeyCase { "DeleteADecimal", "1.234", 3, Qt::Key_Delete, "1.240", -1 },
        EditKeyCase { "BackspaceInAnEmptyField", "", 0, Qt::Key_Backspace, "0.000", 0 }),
    [](const ::testing::TestParamInfo<EditKeyCase>& info) { return std::string(info.param.name); });

struct CodeCase {
    const char* name;
    int output;
    double offset;
    double scale;
    const char* text;
    const char* shown;
    int16_t code;
};

class DacCodeTest : public DacOutputTest, public ::testing::WithParamInterface<CodeCase> { };

TEST_P(DacCodeTest, EnterSendsTheCorrectedCodeAndTurnsTheFieldBlack)
{
    const CodeCase& row = GetParam();
    QLineEdit* field = form->DacEdits[row.output];
    form->WorkingCoeffs.DacRaw[row.output] = coeffs::CoeffPair { row.offset, row.scale };
    setFieldText(field, QString::fromLatin1(row.text), 0);
    pending_entry::markPending(field);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    EXPECT_EQ(field->text(), QString::fromLatin1(row.shown));
    EXPECT_EQ(moduleCode(row.output), row.code);
    EXPECT_FALSE(pending_entry::isPending(field));
}

INSTANTIATE_TEST_SUITE_P(Codes, DacCodeTest,
    ::testing::Values(CodeCase { "Zero", 0, 0.0, 1.0, "0.000", "0.000", 0 },
        CodeCase { "OneVolt", 0, 0.0, 1.0, "1.000", "1.000", 409 },
        CodeCase { "MinusOneVolt", 1, 0.0, 1.0, "-1.000", "-1.000", -409 },
        CodeCase { "UpperEnd", 1, 0.0, 1.0, "5.000", "5.000", 2047 },
        CodeCase { "AboveTheRange", 0, 0.0, 1.0, "7", "5.000", 2047 },
        CodeCase { "BelowTheRange", 1, 0.0, 1.0, "-7", "-5.000", -2047 },
        CodeCase { "OffsetRoundsUp", 0, 1.6, 1.0, "0.000", "0.000", 2 },
        CodeCase { "HalfWayUp", 0, 0.5, 1.0, "0.000", "0.000", 1 },
        CodeCase { "HalfWayDown", 1, -1.5, 1.0, "0.000", "0.000", -2 },
        CodeCase { "ClampedAbove", 0, 0.0, 100.0, "5.000", "5.000", 32767 },
        CodeCase { "ClampedBelow", 1, 0.0, -100.0, "5.000", "5.000", -32768 }),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.name); });

TEST_F(DacOutputTest, ARefusedCodeIsReportedAndTheFieldStaysRed)
{
    const int16_t before = moduleCode(0);
    sim->failOnce(modlink_sim::Op::WriteDacSample);
    setFieldText(dac, QStringLiteral("0.000"), 0);
    type(dac, QStringLiteral("2"));
    QTest::keyClick(dac, Qt::Key_Return);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу установить ЦАП!"));
    EXPECT_EQ(recorder.messages()[0].caption, kKeyPressCaption);
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_TRUE(pending_entry::isPending(dac));
    EXPECT_EQ(moduleCode(0), before);
}

TEST_F(DacOutputTest, AnEmptyFieldOnEnterIsAConversionErrorAndSendsNothing)
{
    setFieldText(dac, QString(), 0);
    QTest::keyClick(dac, Qt::Key_Return);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Обнаружена ошибка преобразования строки в число."));
    EXPECT_EQ(recorder.messages()[0].caption, kKeyPressCaption);
    EXPECT_EQ(sim->callCount(modlink_sim::Op::WriteDacSample), 0);
}

TEST_F(DacOutputTest, ADacLevelIsSetWhileTheJobKeepsAcquiring)
{
    form->job = loopUntilTerminated;
    form->StartThread();
    ASSERT_TRUE(form->MainThreadRunning);
    setFieldText(dac, QStringLiteral("0.000"), 0);
    type(dac, QStringLiteral("2"));
    QTest::keyClick(dac, Qt::Key_Return);
    EXPECT_TRUE(form->MainThread);
    EXPECT_TRUE(form->MainThreadRunning);
    EXPECT_EQ(moduleCode(0), *entry::dacCodeFor(2.0, form->WorkingCoeffs.DacRaw[0]));
    form->StopThread();
}

TEST_F(DacOutputTest, AStrangeSenderIsReported)
{
    QGroupBox notAnEdit;
    QLineEdit foreignEdit;
    QChar enter(u'\r');
    form->DacValueLMDEditKeyPress(&notAnEdit, enter);
    form->DacValueLMDEditKeyPress(&foreignEdit, enter);
    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу привести тип!"));
    EXPECT_EQ(recorder.messages()[0].caption, kKeyPressCaption);
    EXPECT_EQ(recorder.messages()[1].text, QStringLiteral("Не могу опознать управляюшщий элемент типа TLMDEdit!"));
    EXPECT_EQ(recorder.messages()[1].caption, QStringLiteral("Ошибка DacValueLMDEditKeyPress()!"));
    EXPECT_EQ(recorder.messages()[1].icon, platform::MessageIcon::None);
}

// What the field shows against what the module holds: after each of these,
// a black field shows the value whose code the simulated module holds, and a
// red one leaves the module with the level it had (1.000 V from the settings).
struct HeldCase {
    const char* name;
    void (*act)(QLineEdit* field, TMainForm* form, modlink_sim::SimControl* sim);
    bool red;
    const char* firstMessage; // "" for none
};

void selectAllAndType(QLineEdit* field, const char* typed)
{
    field->selectAll();
    for (const char* ch = typed; *ch; ++ch)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(QLatin1Char(*ch)), Qt::NoModifier);
}

void pressEnter(QLineEdit* field)
{
    QTest::keyClick(field, Qt::Key_Return);
}

class DacHeldValueTest : public DacOutputTest, public ::testing::WithParamInterface<HeldCase> { };

TEST_P(DacHeldValueTest, ABlackFieldShowsWhatTheModuleHolds)
{
    const HeldCase& row = GetParam();
    const int16_t before = moduleCode(0);
    ASSERT_EQ(before, *entry::dacCodeFor(1.0, form->WorkingCoeffs.DacRaw[0]));
    ASSERT_FALSE(pending_entry::isPending(dac));

    row.act(dac, form.get(), sim);

    EXPECT_EQ(pending_entry::isPending(dac), row.red) << dac->text().toStdString();
    if (row.red) {
        EXPECT_EQ(moduleCode(0), before);
    } else {
        const std::optional<double> shown = entry::textToNumber(dac->text());
        ASSERT_TRUE(shown) << dac->text().toStdString();
        EXPECT_EQ(moduleCode(0), *entry::dacCodeFor(*shown, form->WorkingCoeffs.DacRaw[0]));
    }
    const QString expected = QString::fromUtf8(row.firstMessage);
    EXPECT_EQ(recorder.empty() ? QString() : recorder.messages()[0].text, expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, DacHeldValueTest,
    ::testing::Values(
        HeldCase { "TypedButNotSent",
            [](QLineEdit* f, TMainForm*, modlink_sim::SimControl*) { selectAllAndType(f, "3"); }, true, "" },
        HeldCase { "SentWithEnter",
            [](QLineEdit* f, TMainForm*, modlink_sim::SimControl*) {
                selectAllAndType(f, "3");
                pressEnter(f);
            },
            false, "" },
        HeldCase { "MinusAlone", [](QLineEdit* f, TMainForm*, modlink_sim::SimControl*) { selectAllAndType(f, "-"); },
            true, "Не могу преобразовать строку в число: число не дописано!" },
        HeldCase { "MinusAloneThenEnter",
            [](QLineEdit* f, TMainForm*, modlink_sim::SimControl*) {
                selectAllAndType(f, "-");
                pressEnter(f);
            },
            true, "Не могу преобразовать строку в число: число не дописано!" },
        HeldCase { "EmptiedThenEnter",
            [](QLineEdit* f, TMainForm* form, modlink_sim::SimControl*) {
                form->HandlerBusy = true;
                f->clear();
                form->HandlerBusy = false;
                pressEnter(f);
            },
            true, "Обнаружена ошибка преобразования строки в число." },
        HeldCase { "CodeRefused",
            [](QLineEdit* f, TMainForm*, modlink_sim::SimControl* sim) {
                sim->failOnce(modlink_sim::Op::WriteDacSample);
                selectAllAndType(f, "2");
                pressEnter(f);
            },
            true, "Не могу установить ЦАП!" },
        HeldCase { "UnchangedValueRefused",
            [](QLineEdit* f, TMainForm*, modlink_sim::SimControl* sim) {
                sim->failOnce(modlink_sim::Op::WriteDacSample);
                pressEnter(f);
            },
            true, "Не могу установить ЦАП!" },
        HeldCase { "CoefficientsGiveNoCode",
            [](QLineEdit* f, TMainForm* form, modlink_sim::SimControl*) {
                form->WorkingCoeffs.DacRaw[0].Offset = std::numeric_limits<double>::quiet_NaN();
                selectAllAndType(f, "2");
                pressEnter(f);
                form->WorkingCoeffs.DacRaw[0].Offset = 0.0;
            },
            true, "Обнаружена неустранимая ошибка!" }),
    [](const ::testing::TestParamInfo<HeldCase>& info) { return std::string(info.param.name); });

TEST_F(DacOutputTest, StoredLevelsTheModuleRefusesStayRed)
{
    writeSettingsFile({ QStringLiteral("[Модуль Q47-05]"),
        QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 1, В=2.5") });
    const int16_t before = moduleCode(0);
    sim->failAlways(modlink_sim::Op::WriteDacSample);
    settings::IniFile file(form->SettingsPath);
    form->ReadIniFile(&file);
    sim->failAlways(modlink_sim::Op::WriteDacSample, false);
    EXPECT_EQ(dac->text(), QStringLiteral("2.500"));
    EXPECT_TRUE(pending_entry::isPending(dac));
    EXPECT_EQ(moduleCode(0), before);
    ASSERT_FALSE(recorder.empty());
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу установить ЦАП!"));
}

TEST_F(DacOutputTest, ASearchThatOpensAModuleWithoutDacOutputsLeavesTheLevelsRed)
{
    setFieldText(dac, QStringLiteral("0.000"), 0);
    type(dac, QStringLiteral("2"));
    QTest::keyClick(dac, Qt::Key_Return);
    ASSERT_FALSE(pending_entry::isPending(dac));
    applySettingsAsSearch(false);
    // The fields keep the last module's levels, which this module does not hold.
    EXPECT_EQ(form->Dac1ValueLMDEdit->text(), QStringLiteral("2.000"));
    EXPECT_EQ(form->Dac2ValueLMDEdit->text(), QStringLiteral("1.000"));
    for (QLineEdit* field : form->DacEdits) {
        EXPECT_FALSE(field->isEnabled());
        EXPECT_TRUE(pending_entry::isPending(field));
    }
}

class DacSettingsTest : public MultimeterWindowTest { };

TEST_F(DacSettingsTest, StoredLevelsAreLimitedWhenSent)
{
    writeSettingsFile(
        { QStringLiteral("[Модуль Q47-05]"), QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 1, В=2.5"),
            QStringLiteral("ЦАП. Амплитуда постоянного сигнала для канала 2, В=-1e300") });
    applySettingsAsSearch();
    EXPECT_EQ(form->Dac1ValueLMDEdit->text(), QStringLiteral("2.500"));
    EXPECT_EQ(form->Dac2ValueLMDEdit->text(), QStringLiteral("-5.000"));
    int16_t code = 0;
    ASSERT_TRUE(sim->dacCode(kSlot, 1, &code));
    EXPECT_EQ(code, *entry::dacCodeFor(-5.0, form->WorkingCoeffs.DacRaw[1]));
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

TEST_F(DacSettingsTest, AModuleWithoutDacOutputsLeavesTheFieldsDisabledAndEmpty)
{
    applySettingsAsSearch(false);
    for (QLineEdit* field : form->DacEdits) {
        EXPECT_FALSE(field->isEnabled());
        EXPECT_TRUE(field->text().isEmpty());
    }
    EXPECT_FALSE(form->DacSamplesLMDGroupBox->isEnabled());
}

} // namespace
