#include "mainform.h"
#include "startup.h"
#include "support/message_recorder.h"
#include "support/sim_library.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct ScreenCase {
    QSize size;
    bool startsWindow;
};

class ScreenCheck : public ::testing::TestWithParam<ScreenCase> { };

TEST_P(ScreenCheck, StartsTheWindowOnlyOnALargeEnoughScreen)
{
    MessageRecorder recorder;
    QTemporaryDir directory;
    auto form = createMainWindow(GetParam().size, openSimulatedLibrary(), directory.path());
    EXPECT_EQ(form != nullptr, GetParam().startsWindow);
    if (GetParam().startsWindow) {
        EXPECT_TRUE(recorder.empty());
    } else {
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Разрешение монитора должно быть не ниже 1280x768!"));
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка!!!"));
        EXPECT_EQ(recorder.messages()[0].buttons, platform::MessageButtons::Ok);
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, ScreenCheck,
    ::testing::Values(ScreenCase { { 1280, 768 }, true }, ScreenCase { { 1920, 1080 }, true },
        ScreenCase { { 1279, 1024 }, false }, ScreenCase { { 1920, 767 }, false }, ScreenCase { { 0, 0 }, false }));

TEST(ExceptionDisplay, ShowsTheMessageOrAnEmptyTextForForeignExceptions)
{
    MessageRecorder recorder;
    showApplicationException(std::make_exception_ptr(std::runtime_error("disk full")));
    showApplicationException(std::make_exception_ptr(42));
    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("disk full"));
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(recorder.messages()[1].text, QString());
}

// A standard button's text as the user reads it, without the "&" that marks
// its access key.
QString buttonText(const QMessageBox& box, QMessageBox::StandardButton which)
{
    return box.button(which) ? box.button(which)->text().remove(QLatin1Char('&')) : QStringLiteral("<none>");
}

TEST(QtTranslation, StandardButtonsReadRussianAfterStartUp)
{
    const auto translation = installRussianQtTranslation();
    ASSERT_NE(translation, nullptr) << "qtbase_ru.qm is missing (Debian package qt6-translations-l10n)";
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Внимание!!!"), QString(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(buttonText(box, QMessageBox::Yes), QStringLiteral("Да"));
    EXPECT_EQ(buttonText(box, QMessageBox::No), QStringLiteral("Нет"));
}

TEST(QtTranslation, WithoutTheTranslationFileTheButtonsStayEnglish)
{
    QTemporaryDir noTranslations;
    EXPECT_EQ(installRussianQtTranslation(noTranslations.path()), nullptr);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Внимание!!!"), QString(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(buttonText(box, QMessageBox::Yes), QStringLiteral("Yes"));
    EXPECT_EQ(buttonText(box, QMessageBox::No), QStringLiteral("No"));
}

} // namespace
