// Construction of the main window, in the order its steps must run.

#include "mainform.h"

#include "application_filter.h"
#include "frames/q4705_adc_channel_frame.h"
#include "handler_scope.h"
#include "platform/app_paths.h"
#include "platform/decimal_separator.h"
#include "platform/settings_location.h"
#include "platform/windows_version.h"
#include "settings/ini_file.h"
#include "threads/init_and_config_thread.h"
#include "threads/main_thread.h"
#include "widgets/led_shape.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

static void initialiseResources()
{
    // The resources live in a static library, so they are registered by hand.
    Q_INIT_RESOURCE(zentrix);
}

TMainForm::TMainForm(std::unique_ptr<DeviceLibrary> library, const QString& settingsDirectory, QWidget* parent)
    : QWidget(parent)
    , Library(std::move(library))
    , SettingsDirectory(settingsDirectory)
    , SettingsPath(platform::joinPath(settingsDirectory, QString::fromLatin1(platform::kSettingsFileName)))
{
    setObjectName(QStringLiteral("MainForm"));
    setupControls(this);
    SetUpApplication();

    CaptionTemplate = QStringLiteral("Zentrix (версия ?.?) | Преобразователь: Q47-05 ... ");
    setWindowTitle(CaptionTemplate);
    ModuleStatusLed->setToolTip(QStringLiteral("Статус модуля -> ???"));
    GeneratorStatusLed->setToolTip(QStringLiteral("Статус генератора -> ???"));
    VoltmeterStatusLed->setToolTip(QStringLiteral("Статус мультиметра -> ???"));

    platform::setDecimalSeparator('.');
    InitialiseState();
    {
        HandlerScope construction(HandlerBusy);
        ClearDesignTexts();
        CreateChannelFrames();
        DacEdits = { Dac1ValueLMDEdit, Dac2ValueLMDEdit };
        for (QLineEdit* edit : DacEdits)
            edit->clear();
        MainLMDPageControl->setCurrentIndex(kMultimeterPage);
        previousPage_ = kMultimeterPage;

        AdjustWindowFrame();
        AdjustTopBand();
        CentreMultimeterPanel();
        HideUnusedControls();
        ConnectHandlers();
    }
    ShowPhase = kConstructed;

    // The caption tracing effect of the component set has no counterpart in
    // these widgets, so a high version code has nothing to switch off.
    WindowsVersionCode = platform::WindowsVersionCode();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // A window destroyed without being closed still ends its threads first.
    ShutDownThreads();
    ReleaseModuleInterface();
}

void TMainForm::SetUpApplication()
{
    ApplicationEventFilter::applyHintSettings();
    applicationFilter_ = new ApplicationEventFilter(this);
    initialiseResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/APPL_ICON")));
}

void TMainForm::InitialiseState()
{
    JobPages = { MultimeterLMDTabSheet };
    JobIndex = 0;
    InitRequestAllowed = true;
    JobRequestAllowed = true;
    InitThreadRunning = false;
    MainThreadRunning = false;
    AcquisitionIdle = true;
    // The ADC rate values of the settings model are set to 0 here.
}

void TMainForm::ClearDesignTexts()
{
    ModuleLpfLMDLabel->clear();
    ModuleTemperatureGradeLMDLabel->clear();
    PldTemperatureGradeLMDLabel->clear();
    ModuleGradeHint = ModuleTemperatureGradeLMDLabel->toolTip();
    PldGradeHint = PldTemperatureGradeLMDLabel->toolTip();

    for (QLabel* label : { ComputationModeLabLMDLabel, AmplitudeTypeLabLMDLabel }) {
        label->setText(QStringLiteral("---"));
        label->setAutoFillBackground(true);
    }
    AdcRateLMDEdit->setText(QStringLiteral("------"));
    KadrRateLMDLabel->setText(QStringLiteral("------"));
    AcquisitionTimeLMDLabel->setText(QStringLiteral("-----"));

    AllChannelsLMDCheckBox->setCheckState(Qt::Unchecked);
    for (QComboBox* box :
        { CommonInputConnectionModeLMDComboBox, AllInputRangeLMDComboBox, CommonMeasuringMethodLMDComboBox })
        box->setCurrentIndex(-1);
}

void TMainForm::CreateChannelFrames()
{
    QGroupBox* group = AdcIndividualParsLMDGroupBox;
    int top0 = 0;
    for (int c = 0; c < 4; ++c) {
        auto* frame = new TQ4705AdcChannelFrame(group, static_cast<uint16_t>(c));
        frame->setObjectName(QStringLiteral("Q4705AdcChannel%1Frame").arg(c));
        const QWidget* panel = frame->Q4705AdcChannelLMDSimplePanel;
        const int width = panel->x() + panel->width();
        const int height = panel->y() + panel->height();
        if (c == 0)
            top0 = static_cast<int>((group->height() - 4 * height) * 0.5 + 10);
        const int left = static_cast<int>((group->width() - width) * 0.5);
        frame->setGeometry(left, c * height + top0, width, height);
        ConnectChannelFrame(frame);
        frame->DisableFramePanel();
        ChannelFrames[c] = frame;
        ResetChannelFrame(c);
        frame->setVisible(true);
    }
}

void TMainForm::ResetChannelFrame(int channel)
{
    HandlerScope programmaticChange(HandlerBusy);
    ChannelFrames[channel]->Reset();
}
