// The verification page: the log on the left, and beside the splitter the
// column with the progress bar, the settings tree and its buttons, the start
// button and the two options.
#include "mainform_controls.h"

#include "mainform_controls_build.h"
#include "widgets/check_boxes.h"
#include "widgets/design_colours.h"
#include "widgets/line_numbered_log.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>

using namespace controls_build;

namespace {

constexpr int kColumnWidth = 449;

QPushButton* treeButton(
    QWidget* parent, const char* name, const QRect& geometry, const QString& caption, const QString& hint)
{
    auto* button = make<QPushButton>(parent, name, geometry);
    button->setText(caption);
    button->setToolTip(hint);
    button->setFont(pixelFont("Arial", 15));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QCheckBox* option(QWidget* parent, const char* name, const QRect& geometry, const QString& caption, const QString& hint)
{
    auto* box = make<WrappingCheckBox>(parent, name, geometry);
    box->setText(caption);
    box->setToolTip(hint);
    box->setFont(pixelFont("Arial", 17));
    return box;
}

} // namespace

void TMainFormControls::setupVerificationPage()
{
    QWidget* page = VerificationLMDTabSheet;
    const int pageWidth = page->width();
    const int pageHeight = page->height();

    VerifySplitter = make<QSplitter>(page, "VerifySplitter", QRect(0, 0, pageWidth, pageHeight));
    VerifySplitter->setOrientation(Qt::Horizontal);
    VerifySplitter->setOpaqueResize(true);
    VerifySplitter->setChildrenCollapsible(false);

    VerificationTextBox = new LineNumberedLog(VerifySplitter);
    VerificationTextBox->setObjectName(QStringLiteral("VerificationTextBox"));
    VerificationTextBox->setMinimumWidth(25);
    VerificationTextBoxGutter = VerificationTextBox->gutter();
    VerificationTextBoxGutter->setObjectName(QStringLiteral("VerificationTextBoxGutter"));

    VerifyControlsPanel = new QWidget(VerifySplitter);
    VerifyControlsPanel->setObjectName(QStringLiteral("VerifyControlsPanel"));
    VerifyControlsPanel->setMinimumWidth(25);
    VerifySplitter->addWidget(VerificationTextBox);
    VerifySplitter->addWidget(VerifyControlsPanel);
    VerifySplitter->setStretchFactor(0, 1);
    VerifySplitter->setStretchFactor(1, 0);
    VerifySplitter->setSizes({ pageWidth - kColumnWidth - VerifySplitter->handleWidth(), kColumnWidth });
    QWidget* column = VerifyControlsPanel;

    ProgressBarVerification = make<QProgressBar>(column, "ProgressBarVerification", QRect(2, 4, 18, pageHeight - 8));
    ProgressBarVerification->setOrientation(Qt::Vertical);
    ProgressBarVerification->setTextVisible(false);
    ProgressBarVerification->setValue(0);
    QPalette bar = ProgressBarVerification->palette();
    bar.setColor(QPalette::Highlight, QColor(design::teal));
    bar.setColor(QPalette::Base, design::buttonFace());
    ProgressBarVerification->setPalette(bar);

    const int settingsHeight = pageHeight - 84;
    VerifySettingsLMDGroupBox = groupBox(
        column, "VerifySettingsLMDGroupBox", QRect(24, 0, 423, settingsHeight), QStringLiteral("Настройки поверки"));
    QGroupBox* settings = VerifySettingsLMDGroupBox;
    VerifyTreeViewTitleLMDEdit = make<QLineEdit>(settings, "VerifyTreeViewTitleLMDEdit", QRect(8, 22, 407, 24));
    VerifyTreeViewTitleLMDEdit->setToolTip(QStringLiteral("Строка текущей позиции дерева настроек"));
    VerifyTreeView = make<QTreeWidget>(settings, "VerifyTreeView", QRect(8, 50, 407, settingsHeight - 124));
    VerifyTreeView->setHeaderHidden(true);

    const int buttonsTop = settingsHeight - 68;
    CollapseButton = treeButton(settings, "CollapseButton", QRect(8, buttonsTop, 97, 28), QStringLiteral("Свернуть"),
        QStringLiteral("Свернуть все узлы настроек"));
    ExpandButton = treeButton(settings, "ExpandButton", QRect(111, buttonsTop, 97, 28), QStringLiteral("Развернуть"),
        QStringLiteral("Развернуть все узлы настроек"));
    LoadFromFileVerifyTreeViewButton = treeButton(settings, "LoadFromFileVerifyTreeViewButton",
        QRect(214, buttonsTop, 97, 28), QStringLiteral("Чтение"), QStringLiteral("Считать настроки из файла"));
    SaveToFileVerifyTreeViewButton = treeButton(settings, "SaveToFileVerifyTreeViewButton",
        QRect(317, buttonsTop, 98, 28), QStringLiteral("Запись"), QStringLiteral("Записать настроки в файл"));
    CfgFileNameEdit = make<QLineEdit>(settings, "CfgFileNameEdit", QRect(8, settingsHeight - 34, 407, 26));
    CfgFileNameEdit->setFont(pixelFont("Courier New", 14));

    StartVerificationLMDSpeedButton
        = make<QToolButton>(column, "StartVerificationLMDSpeedButton", QRect(24, pageHeight - 78, 240, 74));
    StartVerificationLMDSpeedButton->setText(QStringLiteral("Старт  поверки"));
    StartVerificationLMDSpeedButton->setCheckable(true);
    StartVerificationLMDSpeedButton->setFont(pixelFont("Times New Roman", 28, true));
    setTextColour(StartVerificationLMDSpeedButton, design::green, QPalette::ButtonText);
    StartVerificationLMDSpeedButton->setCursor(Qt::PointingHandCursor);

    EnaGenerator50OhnLMDCheckBox = option(column, "EnaGenerator50OhnLMDCheckBox", QRect(272, pageHeight - 76, 175, 32),
        QStringLiteral("Нагрузка 50 Ом "), QStringLiteral("Управление нагрузкой 50 Ом генератора"));
    EnaWriteLogFileLMDCheckBox = option(column, "EnaWriteLogFileLMDCheckBox", QRect(272, pageHeight - 38, 175, 32),
        QStringLiteral("Log-файл"), QStringLiteral("Управление записью  Log-файла"));

    // The open and save dialogs of this page are never opened by any command,
    // so they are not built: a file dialog costs start-up time and starts a
    // file-system watcher. OpenFileLMDOpenDialog and SaveFileLMDSaveDialog
    // stay null.
}
