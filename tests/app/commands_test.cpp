#include "window_fixture.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <atomic>
#include <cstring>

namespace {

using CommandsTest = WindowTest;

TEST_F(CommandsTest, SearchStartsOnceAndOnlyAfterTheFirstShow)
{
    processEventsFor(200);
    EXPECT_EQ(form->startedSearchCount(), 0);

    form->show();
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
    EXPECT_EQ(form->ShowPhase, 3);
    // Centred on the screen, the top set once shown.
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form->frameGeometry().top(), (workArea.height() - form->frameGeometry().height()) / 2);
    EXPECT_EQ(form->x(), (workArea.width() - form->width()) / 2);
    // Moving, hiding and showing again start nothing.
    form->move(form->pos() + QPoint(20, 20));
    form->hide();
    form->show();
    processEventsFor(300);
    EXPECT_EQ(form->startedSearchCount(), 1);
    EXPECT_FALSE(form->InitThreadRunning);
    // Each search switches the context menu's automatic opening off.
    EXPECT_EQ(form->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(CommandsTest, PressingFindTwiceQuicklyStartsOneSearch)
{
    form->FindDeviceLMDButtonClick();
    form->FindDeviceLMDButtonClick();
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
    processEventsFor(200);
    EXPECT_EQ(form->startedSearchCount(), 1);
    // A press while the search runs is ignored as well.
    form->FindDeviceLMDButtonClick();
    ASSERT_TRUE(waitUntil([&] { return form->InitThreadRunning.load(); }));
    form->FindDeviceLMDButtonClick();
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 2; }));
    processEventsFor(200);
    EXPECT_EQ(form->startedSearchCount(), 2);
}

TEST_F(CommandsTest, FindStopsTheJobAndResetsTheChannels)
{
    form->job = loopUntilTerminated;
    startJob();
    form->FindDeviceLMDButtonClick();
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_TRUE(form->AdcRateLMDEdit->text().isEmpty());
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
}

TEST_F(CommandsTest, EscDuringASearchOnlyFreesTheHandlers)
{
    form->FindDeviceLMDButtonClick();
    ASSERT_TRUE(waitUntil([&] { return form->InitThreadRunning.load(); }));
    form->job = loopUntilTerminated;
    startJob();
    form->HandlerBusy = true;
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->HandlerBusy);
    EXPECT_NE(form->MainThread, nullptr);
    EXPECT_FALSE(form->AcquisitionIdle);
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
}

TEST_F(CommandsTest, EscStopsARunningMeasurement)
{
    form->job = loopUntilTerminated;
    startJob();
    EXPECT_FALSE(form->AcquisitionIdle);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_TRUE(form->AcquisitionIdle);
    EXPECT_TRUE(recorder.empty());
}

TEST_F(CommandsTest, StartButtonStartsTheJobWhenPutDownAndStopsItWhenReleased)
{
    form->job = loopUntilTerminated;
    form->Module = &module;
    QToolButton* button = form->StartMultimeterLMDSpeedButton;
    button->setEnabled(true);
    button->click();
    ASSERT_TRUE(button->isChecked());
    EXPECT_NE(form->MainThread, nullptr);
    EXPECT_TRUE(form->MainThreadRunning);
    button->click();
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_FALSE(form->HandlerBusy);
}

// From "Обнаружить" until the search has finished, neither the start button
// nor Esc starts a job; afterwards the button works again.
TEST_F(CommandsTest, NothingStartsWhileASearchIsRequestedOrRunning)
{
    std::atomic<bool> release { false };
    form->searchSteps = [&release] {
        const auto* thread = static_cast<WorkerThread*>(QThread::currentThread());
        while (!release && !thread->Terminated())
            QThread::msleep(5);
    };
    form->job = loopUntilTerminated;
    form->Module = &module;
    QToolButton* button = form->StartMultimeterLMDSpeedButton;
    button->setEnabled(true);

    form->FindDeviceLMDButtonClick();
    button->click();
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_FALSE(button->isChecked());
    ASSERT_TRUE(waitUntil([&] { return form->InitThreadRunning.load(); }));
    button->click();
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_FALSE(button->isChecked());

    release = true;
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
    button->click();
    EXPECT_NE(form->MainThread, nullptr);
    EXPECT_TRUE(button->isChecked());
}

// The second click of a double click arrives while the first one still waits
// for the job to start: the job runs and the button stays down.
TEST_F(CommandsTest, ADoubleClickLeavesTheButtonDownWhileTheJobRuns)
{
    form->job = loopUntilTerminated;
    form->Module = &module;
    QToolButton* button = form->StartMultimeterLMDSpeedButton;
    button->setEnabled(true);
    QTimer::singleShot(0, button, [button] { button->click(); });
    button->click();
    processEventsFor(100);
    EXPECT_NE(form->MainThread, nullptr);
    EXPECT_TRUE(form->MainThreadRunning);
    EXPECT_TRUE(button->isChecked());

    button->click();
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_FALSE(button->isChecked());
}

TEST_F(CommandsTest, VerificationStartButtonOnlyStopsTheJob)
{
    form->job = loopUntilTerminated;
    startJob();
    // The page is disabled while hidden, so the click is sent as the button would.
    emit form->StartVerificationLMDSpeedButton->clicked(true);
    EXPECT_EQ(form->MainThread, nullptr);
}

TEST_F(CommandsTest, PageChangeIsRefusedUntilAModuleIsReady)
{
    QTabWidget* pages = form->MainLMDPageControl;
    pages->setTabVisible(1, true);
    pages->setTabEnabled(1, true);
    pages->setCurrentIndex(1);
    EXPECT_EQ(pages->currentIndex(), 0);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Нет открытого модуля! Поэтому данная опция не доступна!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Внимание!!!"));
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_TRUE(pages->isEnabled());
    EXPECT_FALSE(form->HandlerBusy);

    form->ModuleState = 2;
    form->job = loopUntilTerminated;
    startJob();
    pages->setCurrentIndex(1);
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_NE(form->MainThread, nullptr);
    form->StartMultimeterLMDSimplePanel->hide();
    pages->setCurrentIndex(0);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(form->MainThread, nullptr);
    EXPECT_FALSE(form->StartMultimeterLMDSimplePanel->isHidden());
    EXPECT_EQ(recorder.messages().size(), 1u);
}

class ModuleListTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        std::memcpy(form->ModuleSerials[0].data(), "A1", 2);
        std::memcpy(form->ModuleSerials[1].data(), "B2345678901234567", 16); // fills all 16 bytes
        form->ModulesComboBox->addItems({ QStringLiteral("1: A1"), QStringLiteral("2: B234567890123456") });
    }

    // Chooses list position `index` as the user would; true when that started
    // a search.
    bool choose(int index)
    {
        const int before = form->startedSearchCount();
        form->ModulesComboBox->setCurrentIndex(index);
        emit form->ModulesComboBox->activated(index);
        processEventsFor(100);
        const bool started = form->startedSearchCount() > before;
        if (started) {
            EXPECT_TRUE(waitUntil([&] { return !form->InitThreadRunning; }));
        }
        return started;
    }
};

TEST_F(ModuleListTest, ChoosingTheModuleShownChangesNothing)
{
    form->setWindowTitle(QStringLiteral(
        "Zentrix (версия 1.9)| Преобразователь: Q47-05 (S/N B234567890123456, версия микропрограммы 2.07.15)"));
    EXPECT_FALSE(choose(1));
    EXPECT_TRUE(choose(0));
}

TEST_F(ModuleListTest, ACaptionWithoutSerialRestartsTheSearchForAnyChoice)
{
    EXPECT_TRUE(choose(0));
    // A serial marker without the comma that ends it counts as not found.
    form->setWindowTitle(QStringLiteral("Zentrix | Преобразователь: Q47-05 (S/N A1"));
    EXPECT_TRUE(choose(0));
}

TEST_F(CommandsTest, ContextMenuOpensOnRightClickUntilASearchRunsAndExitCloses)
{
    EXPECT_EQ(form->contextMenuPolicy(), Qt::CustomContextMenu);
    const QStringList names { QStringLiteral("RebootDeviceMenuItem"), QString(), QStringLiteral("SaveDefaultSettings"),
        QStringLiteral("SaveCurrentSettings"), QString(), QStringLiteral("AboutProgram"), QString(),
        QStringLiteral("ApplicationExit") };
    QStringList shown;
    for (QAction* action : form->PopupMenu->actions())
        shown << (action->isSeparator() ? QString() : action->objectName());
    EXPECT_EQ(shown, names);
    EXPECT_TRUE(form->actions().contains(form->ApplicationExit));
    EXPECT_EQ(form->ApplicationExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));

    form->show();
    ASSERT_TRUE(waitUntil([&] { return form->finishedSearchCount() == 1; }));
    form->HandlerBusy = true;
    form->ApplicationExit->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->InitThread, nullptr);
}

} // namespace
