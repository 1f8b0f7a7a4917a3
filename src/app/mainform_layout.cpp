// The adjustments the window makes to its design layout when it is built.

#include "mainform.h"

#include "widgets/led_shape.h"
#include "window_placement.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

namespace {
constexpr int kClientWidth = 1084;
constexpr int kClientHeight = 581;
} // namespace

// Not resizable, no maximise button; the client area is exactly the design's
// 1084 x 581 pixels, the caption and frame being the window system's.
void TMainForm::AdjustWindowFrame()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    // The window opens centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

// The top band ends just before the separator, which stays hidden, and the
// start panel and the settings box move left by the same amount.
void TMainForm::AdjustTopBand()
{
    const int d = SelectedModuleLMDSimplePanel->width() - Bevel3->x() - 1;
    SelectedModuleLMDSimplePanel->resize(
        SelectedModuleLMDSimplePanel->width() - d, SelectedModuleLMDSimplePanel->height());
    StartMultimeterLMDSimplePanel->move(StartMultimeterLMDSimplePanel->pos() - QPoint(d, 0));
    SaveIniSettingLMDGroupBox->move(SaveIniSettingLMDGroupBox->pos() - QPoint(d, 0));
}

void TMainForm::CentreMultimeterPanel()
{
    // The control tree lays its pages out while hidden, so the page has its
    // final size already.
    const QSize page = MultimeterLMDTabSheet->size();
    MultimeterLMDSimplePanel->move((page.width() - MultimeterLMDSimplePanel->width()) / 2,
        (page.height() - MultimeterLMDSimplePanel->height()) / 2 + 1);
}

void TMainForm::HideUnusedControls()
{
    Bevel3->hide();
    GeneratorStatusLed->hide();
    VoltmeterStatusLed->hide();
    AcquisitionTimeLMDSimplePanel->hide();
    ComputationInfoLMDSimplePanel->hide();
    const int shift = (AcquisitionTimeLMDSimplePanel->width() + ComputationInfoLMDSimplePanel->width()) / 2;
    ChannelCommonParsLMDSimplePanel->move(ChannelCommonParsLMDSimplePanel->pos() + QPoint(shift, 0));
    CommonParsLMDSimplePanel->move(CommonParsLMDSimplePanel->pos() + QPoint(shift, 0));

    EquipmentLMDSimplePanel->hide();
    GeneratorLMDGroupBox->hide();
    VoltmeterLMDGroupBox->hide();
    for (QWidget* page : { CorrectionFactorsLMDTabSheet, VerificationLMDTabSheet }) {
        const int index = MainLMDPageControl->indexOf(page);
        // A hidden tab must also be disabled, or the arrow keys still reach it.
        MainLMDPageControl->setTabVisible(index, false);
        MainLMDPageControl->setTabEnabled(index, false);
    }
}

void TMainForm::MoveToStoredPosition(int top, int left)
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    move(window_placement::startPosition(top, left, pos(), frameGeometry().size(), areas));
}
