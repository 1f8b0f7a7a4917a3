#include "message_dialogs.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

platform::MessageRequest threadMessage(const QString& threadClass, const QString& text)
{
    platform::MessageRequest request;
    request.text = text;
    request.caption = QStringLiteral("Сообщение ") + threadClass + QStringLiteral("::Execute()!!!");
    request.icon = platform::MessageIcon::Error;
    request.threadClass = threadClass;
    return request;
}

struct DialogParts {
    QLabel* text;
    QPushButton* button;
};

DialogParts partsOf(const QDialog& dialog)
{
    return { dialog.findChild<QLabel*>(QStringLiteral("ThreadMessageText")),
        dialog.findChild<QPushButton*>(QStringLiteral("ThreadMessageButton")) };
}

TEST(ThreadDialog, IsWhiteOnOrangeWithItsTitleAndOneAcceptButton)
{
    const QRect owner(100, 50, 1100, 620);
    auto dialog = buildThreadMessageDialog(
        threadMessage(QStringLiteral("TMainThread"), QStringLiteral("Не могу запустить сбор данных!")), owner);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Сообщение TMainThread::Execute()!!!"));
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(255, 128, 32));
    EXPECT_EQ(dialog->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(dialog->font().pointSize(), 12);
    EXPECT_EQ(dialog->width(), 570);
    EXPECT_FALSE(dialog->isVisible());

    const DialogParts parts = partsOf(*dialog);
    ASSERT_TRUE(parts.text && parts.button);
    EXPECT_EQ(parts.text->text(), QStringLiteral("Не могу запустить сбор данных!"));
    EXPECT_TRUE(parts.text->wordWrap());
    EXPECT_EQ(parts.text->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(parts.button->text(), QStringLiteral("Принято"));
    EXPECT_EQ(dialog->findChildren<QPushButton*>().size(), 1);

    // Centred over the window.
    EXPECT_EQ(dialog->x(), 100 + (1100 - 570) / 2);
    EXPECT_EQ(dialog->y(), 50 + (620 - dialog->height()) / 2);
}

TEST(ThreadDialog, ButtonsFollowTheLayoutOfEachThreadClass)
{
    for (const QString& threadClass : { QStringLiteral("TMainThread"), QStringLiteral("TInitAndConfigThread") }) {
        SCOPED_TRACE(threadClass.toStdString());
        auto dialog = buildThreadMessageDialog(threadMessage(threadClass,
                                                   QStringLiteral("Опаньки!!!\nПоймали неустранимое исключение!!!\n"
                                                                  "Срочно сообщите разработчику!")),
            QRect(0, 0, 1100, 620));
        const DialogParts parts = partsOf(*dialog);
        ASSERT_TRUE(parts.text && parts.button);
        const QFontMetrics metrics = parts.button->fontMetrics();
        const int textWidth = metrics.horizontalAdvance(QStringLiteral("Принято"));
        const int width = threadClass == QLatin1String("TMainThread") ? std::max(100, textWidth + 20) : textWidth + 20;
        const QRect text = parts.text->geometry();
        const QRect expectedButton((570 - width) / 2, text.top() + text.height() + 10, width, metrics.height() + 15);
        EXPECT_EQ(parts.button->geometry(), expectedButton);
        EXPECT_EQ(dialog->height(), expectedButton.top() + expectedButton.height() + 10);
        // The three lines of text all fit into the wrapped label.
        EXPECT_GE(text.height(), 3 * parts.text->fontMetrics().height());
        EXPECT_LE(text.right(), 570);
    }
}

} // namespace
