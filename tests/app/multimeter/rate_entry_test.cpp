// Numeric entry of the ADC rate and of the generator's two fields: pending
// (red) until Enter, the start button held back meanwhile, the key filter,
// the rate the module accepts, and the generator's limits.

#include "multimeter_window.h"

#include "widgets/pending_entry.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

class RateEntryTest : public MultimeterWindowTest {
protected:
    void SetUp() override
    {
        MultimeterWindowTest::SetUp();
        applySettingsAsSearch();
        rate = form->AdcRateLMDEdit;
        // The generator's fields, as where its panel is shown.
        form->SetEnabledRecursively(form->EquipmentLMDSimplePanel, true);
        ASSERT_TRUE(form->StartMultimeterLMDSpeedButton->isEnabled());
    }

    // Enter in a field whose text is given, as if typed.
    static void enter(QLineEdit* field, const QString& text)
    {
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    QLineEdit* rate = nullptr;
};

TEST_F(RateEntryTest, ATypedRateIsPendingUntilEnterThenTheAcceptedRateIsShown)
{
    setFieldText(rate, QString(), 0);
    type(rate, QStringLiteral("333"));
    EXPECT_TRUE(pending_entry::isPending(rate));
    EXPECT_FALSE(form->StartMultimeterLMDSpeedButton->isEnabled());
    EXPECT_EQ(sim->callCount(modlink_sim::Op::WriteAdcParameters), 0);

    QTest::keyClick(rate, Qt::Key_Return);
    AdcParameters sent {};
    ASSERT_TRUE(sim->lastAdcParameters(kSlot, &sent));
    EXPECT_EQ(sim->callCount(modlink_sim::Op::WriteAdcParameters), 1);
    // The module's nearest rate, not necessarily the one typed.
    EXPECT_NEAR(sent.AdcRate, 333.0, 20.0);
    EXPECT_EQ(rate->text(), QString::number(sent.AdcRate, 'f', 1));
    EXPECT_EQ(form->KadrRateLMDLabel->text(), QString::number(sent.AdcRate / 4, 'f', 1));
    EXPECT_DOUBLE_EQ(form->AdcRateHz, sent.AdcRate * 1000);
    EXPECT_FALSE(pending_entry::isPending(rate));
    EXPECT_TRUE(form->StartMultimeterLMDSpeedButton->isEnabled());
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
}

TEST_F(RateEntryTest, ARefusedRateShowsDashesAndTheMessage)
{
    sim->failOnce(modlink_sim::Op::WriteAdcParameters);
    enter(rate, QStringLiteral("500"));
    EXPECT_EQ(rate->text(), QStringLiteral("------"));
    EXPECT_EQ(form->KadrRateLMDLabel->text(), QStringLiteral("------"));
    // The rate asked for is kept.
    EXPECT_DOUBLE_EQ(form->AdcRateHz, 500000.0);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу установить параметры сбора данных!"));
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
}

TEST_F(RateEntryTest, OnlyDigitsMinusPointAndBackspaceReachTheField)
{
    setFieldText(rate, QString(), 0);
    type(rate, QStringLiteral("1,a ж2.-5x"));
    EXPECT_EQ(rate->text(), QStringLiteral("12.-5"));
    QTest::keyClick(rate, Qt::Key_Backspace);
    EXPECT_EQ(rate->text(), QStringLiteral("12.-"));
    EXPECT_TRUE(recorder.empty());
}

class RateConversionTest : public RateEntryTest, public ::testing::WithParamInterface<const char*> { };

TEST_P(RateConversionTest, TextThatIsNoNumberIsReportedAndStaysPending)
{
    const double before = form->AdcRateHz;
    enter(rate, QString::fromLatin1(GetParam()));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Обнаружена ошибка преобразования строки в число."));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка AdcRateLMDEditKeyPress()!!!"));
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(form->AdcRateHz, before);
    EXPECT_EQ(rate->text(), QString::fromLatin1(GetParam()));
    EXPECT_TRUE(pending_entry::isPending(rate));
    EXPECT_FALSE(form->StartMultimeterLMDSpeedButton->isEnabled());
    EXPECT_FALSE(form->HandlerBusy);
    EXPECT_EQ(sim->callCount(modlink_sim::Op::WriteAdcParameters), 0);
}

// The last one is a number, but too large to be a rate in hertz.
INSTANTIATE_TEST_SUITE_P(Texts, RateConversionTest, ::testing::Values("", "-", "1.2.3", ".", "1-2", "1e308"));

TEST_F(RateEntryTest, TheStartButtonWaitsForEveryPendingField)
{
    type(form->SignalFrequencyGeneratorLMDEdit, QStringLiteral("5"));
    type(rate, QStringLiteral("1"));
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_FALSE(pending_entry::isPending(rate));
    EXPECT_FALSE(form->StartMultimeterLMDSpeedButton->isEnabled());
    form->SignalAmpltudeGeneratorLMDEdit->setText(QStringLiteral("1"));
    QTest::keyClick(form->SignalFrequencyGeneratorLMDEdit, Qt::Key_Return);
    EXPECT_FALSE(form->StartMultimeterLMDSpeedButton->isEnabled());
    QTest::keyClick(form->SignalAmpltudeGeneratorLMDEdit, Qt::Key_Return);
    EXPECT_TRUE(form->StartMultimeterLMDSpeedButton->isEnabled());
}

struct FrequencyCase {
    int filterCode;
    const char* frequency;
    const char* amplitude;
    const char* shownFrequency;
    const char* shownAmplitude;
    const char* amplitudeLabel;
};

class GeneratorFrequencyTest : public RateEntryTest, public ::testing::WithParamInterface<FrequencyCase> { };

TEST_P(GeneratorFrequencyTest, EnterLimitsTheFrequencyByTheFilterAndTheAmplitudeByTheRange)
{
    const FrequencyCase& row = GetParam();
    form->Description.Options = static_cast<uint8_t>((form->Description.Options & ~0x03) | row.filterCode);
    form->SignalAmpltudeGeneratorLMDEdit->setText(QString::fromLatin1(row.amplitude));
    enter(form->SignalFrequencyGeneratorLMDEdit, QString::fromLatin1(row.frequency));
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    EXPECT_EQ(form->SignalFrequencyGeneratorLMDEdit->text(), QString::fromLatin1(row.shownFrequency));
    EXPECT_EQ(form->SignalAmpltudeGeneratorLMDEdit->text(), QString::fromLatin1(row.shownAmplitude));
    EXPECT_EQ(form->SignalAmpltudeGeneratorLabLMDLabel->text(), QString::fromUtf8(row.amplitudeLabel));
    EXPECT_FALSE(pending_entry::isPending(form->SignalFrequencyGeneratorLMDEdit));
}

INSTANTIATE_TEST_SUITE_P(Rows, GeneratorFrequencyTest,
    ::testing::Values(FrequencyCase { 0, "5000", "1", "1000.00", "1", "Напряжение (скз), В" },
        FrequencyCase { 1, "5000", "1", "4900.00", "1", "Напряжение (скз), В" },
        FrequencyCase { 2, "5000", "1", "5000.00", "1", "Напряжение (скз), В" },
        FrequencyCase { 0, "1", "-5", "1.00", "2.121", "Напряжение (скз), В" },
        FrequencyCase { 0, "", "-5", "0.00", "-3.000", "Напряжение, В" },
        FrequencyCase { 0, "0", "2.5", "0.00", "2.5", "Напряжение, В" }));

struct AmplitudeCase {
    const char* frequency;
    const char* amplitude;
    const char* shownAmplitude;
};

class GeneratorAmplitudeTest : public RateEntryTest, public ::testing::WithParamInterface<AmplitudeCase> { };

TEST_P(GeneratorAmplitudeTest, EnterLimitsTheAmplitudeAndShowsItWithThreeDecimals)
{
    const AmplitudeCase& row = GetParam();
    form->SignalFrequencyGeneratorLMDEdit->setText(QString::fromLatin1(row.frequency));
    enter(form->SignalAmpltudeGeneratorLMDEdit, QString::fromLatin1(row.amplitude));
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('|').toStdString();
    EXPECT_EQ(form->SignalAmpltudeGeneratorLMDEdit->text(), QString::fromLatin1(row.shownAmplitude));
}

INSTANTIATE_TEST_SUITE_P(Rows, GeneratorAmplitudeTest,
    ::testing::Values(AmplitudeCase { "0", "5", "3.000" }, AmplitudeCase { "1", "5", "2.121" },
        AmplitudeCase { "0", "-5", "-3.000" }, AmplitudeCase { "1", "-5", "2.121" }, AmplitudeCase { "0", "", "0.000" },
        AmplitudeCase { "0", "1.5", "1.500" }));

TEST_F(RateEntryTest, AGeneratorEnterWithoutAnAmplitudeNumberIsAConversionError)
{
    form->SignalAmpltudeGeneratorLMDEdit->setText(QString());
    form->SignalFrequencyGeneratorLMDEdit->setText(QStringLiteral("1"));
    enter(form->SignalFrequencyGeneratorLMDEdit, QString());
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Обнаружена ошибка преобразования строки в число."));
    EXPECT_TRUE(pending_entry::isPending(form->SignalFrequencyGeneratorLMDEdit));
}

} // namespace
