// The window's commands: first show, "Обнаружить", the start buttons, the
// module list, page changes, the menu's exit and closing the window.

#include "mainform.h"

#include "frames/q4705_adc_channel_frame.h"
#include "handler_scope.h"
#include "platform/decimal_separator.h"
#include "platform/message_seam.h"
#include "platform/screen.h"
#include "threads/init_and_config_thread.h"
#include "threads/module_search_rules.h"
#include "threads/worker_thread.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

void TMainForm::ConnectHandlers()
{
    connect(FindDeviceLMDButton, &QPushButton::clicked, this, [this] { FindDeviceLMDButtonClick(); });
    for (QToolButton* button : { StartMultimeterLMDSpeedButton, StartVerificationLMDSpeedButton })
        connect(button, &QToolButton::clicked, this, [this, button] { StartLMDSpeedButtonClick(button); });
    connect(ModulesComboBox, &QComboBox::activated, this, [this] { ModulesComboBoxChange(); });
    connect(MainLMDPageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (HandlerBusy) {
            previousPage_ = index;
            return;
        }
        // The change is undone first, so the check runs before it as a
        // "changing" event would, and is redone only when it is allowed.
        const int from = previousPage_;
        {
            HandlerScope undo(HandlerBusy);
            MainLMDPageControl->setCurrentIndex(from);
        }
        if (MainLMDPageControlChangingEx(index)) {
            HandlerScope redo(HandlerBusy);
            MainLMDPageControl->setCurrentIndex(index);
            previousPage_ = index;
        }
    });

    // The menu's short-cuts work without the menu being open.
    for (QAction* action : PopupMenu->actions()) {
        if (!actions().contains(action))
            addAction(action);
    }
    connect(ApplicationExit, &QAction::triggered, this, [this] { ApplicationExitClick(); });
    connect(SaveDefaultSettings, &QAction::triggered, this, [this] { SaveDefaultSettingsClick(); });
    connect(SaveCurrentSettings, &QAction::triggered, this, [this] { SaveCurrentSettingsClick(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& position) { PopupMenu->popup(mapToGlobal(position)); });

    ConnectPanelHandlers();
    ConnectCoeffHandlers();
    ConnectGroupChannelHandlers();
    ConnectEntryHandlers();
    ConnectDacHandlers();
    ConnectSettingsHandlers();
}

void TMainForm::FormCreate()
{
    platform::setDecimalSeparator('.');
}

void TMainForm::FormActivate()
{
    platform::setDecimalSeparator('.');
}

void TMainForm::SwitchOffContextMenuAutoPopup()
{
    setContextMenuPolicy(Qt::NoContextMenu);
}

// A widget usually gets its pending resize before its show event, and with
// no window manager no resize may follow at all; so when no resize has come
// once the show event has been handled, the first search starts anyway.
void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (ShowPhase != kConstructed)
        return;
    ShowPhase = kShown;
    QTimer::singleShot(0, this, [this] {
        if (ShowPhase == kShown)
            FirstResizeAfterShow();
    });
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (ShowPhase == kShown)
        FirstResizeAfterShow();
}

void TMainForm::FirstResizeAfterShow()
{
    const QRect workArea = platform::workAreaAt(frameGeometry().center());
    move(x(), (workArea.height() - frameGeometry().height()) / 2);
    ShowPhase = kFirstSearchStarted;
    StartInitDevicesThread(kSearchOpenAndConfigure, true);
}

void TMainForm::FindDeviceLMDButtonClick()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    for (QComboBox* box :
        { CommonInputConnectionModeLMDComboBox, AllInputRangeLMDComboBox, CommonMeasuringMethodLMDComboBox })
        box->setCurrentIndex(-1);
    AllChannelsLMDCheckBox->setCheckState(Qt::Unchecked);
    AdcRateLMDEdit->clear();
    KadrRateLMDLabel->clear();
    for (int c = 0; c < 4; ++c)
        ResetChannelFrame(c);
    for (QLineEdit* edit : DacEdits)
        edit->clear();
    // Emptied controls hold nothing a save may write.
    ChannelSettingsHeld = false;
    StartInitDevicesThread(kSearchOpenAndConfigure, false);
}

// Shared by the multimeter start button and the verification start button:
// every click stops the job; a click that puts the multimeter button down
// starts it again, unless a module search is requested or running. The
// multimeter button is down exactly while its job runs or starts.
void TMainForm::StartLMDSpeedButtonClick(QToolButton* button)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered()) {
        // A click while another handler works (a second click of a double
        // click among them) does nothing, so the button keeps its state.
        button->setChecked(!button->isChecked());
        return;
    }
    StopThread();
    if (MainLMDPageControl->currentIndex() != kMultimeterPage || button != StartMultimeterLMDSpeedButton
        || !button->isChecked())
        return;
    if (!SearchPending)
        StartThread();
    if (!MainThread)
        button->setChecked(false);
}

void TMainForm::ModulesComboBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    const int index = ModulesComboBox->currentIndex();
    QString chosen;
    if (index >= 0 && index < static_cast<int>(ModuleSerials.size())) {
        const auto& field = ModuleSerials[static_cast<size_t>(index)];
        chosen = module_search::fieldText(field.data(), field.size());
    }
    if (module_search::captionShowsSerial(windowTitle(), chosen))
        return;
    ModuleSelectionHeld = true;
    StopThread();
    StartInitDevicesThread(kSearchOpenAndConfigure, false);
}

bool TMainForm::MainLMDPageControlChangingEx(int newIndex)
{
    if (ModuleState != kModuleReady) {
        MainLMDPageControl->setEnabled(true);
        HandlerScope messageShown(HandlerBusy, false);
        platform::showMessage(QStringLiteral("Нет открытого модуля! Поэтому данная опция не доступна!"),
            QStringLiteral("Внимание!!!"), platform::MessageIcon::Information);
        return false;
    }
    if (newIndex == kMultimeterPage) {
        StopThread();
        StartMultimeterLMDSimplePanel->show();
    }
    return true;
}

void TMainForm::ApplicationExitClick()
{
    HandlerScope closeSteps(HandlerBusy, false);
    close();
}

// The close steps run only when no other handler is busy; ending both
// threads and releasing the module interface always happen, before the
// window goes away.
void TMainForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (closing_)
        return;
    closing_ = true;
    {
        HandlerScope scope(HandlerBusy);
        if (scope.entered()) {
            if (AutoSaveSettingsLMDCheckBox->isChecked())
                SaveIniFile(SettingsPath);
            ReleaseSettingsFile();
            if (!WorkerThread::servingSynchronizedCall())
                StopThread();
        }
    }
    FinishShutdown();
    QWidget::closeEvent(event);
}
