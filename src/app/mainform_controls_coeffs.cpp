// The coefficient page: the ADC offset and scale tables, the DAC table and the
// column of buttons that load and store them.
#include "mainform_controls.h"

#include "mainform_controls_build.h"
#include "widgets/coefficient_cell_delegate.h"
#include "widgets/design_colours.h"
#include "widgets/wrapping_push_button.h"

#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <vector>

using namespace controls_build;

namespace {

constexpr int kRowHeight = 28;
constexpr int kTitleColumnWidth = 120;

// A grid of text cells whose first row is the fixed header row: no header
// views, no scroll bars, grid lines, sized so that every cell shows. The
// editing behaviour is added by the window; by design it starts read-only.
QTableWidget* coefficientTable(
    QWidget* parent, const char* name, QPoint topLeft, int rows, const std::vector<int>& columnWidths)
{
    auto* table = make<QTableWidget>(parent, name, QRect(topLeft, QSize(1, 1)));
    const int columns = static_cast<int>(columnWidths.size());
    table->setRowCount(rows);
    table->setColumnCount(columns);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setShowGrid(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setItemDelegate(new CoefficientCellDelegate(table));

    int width = 0;
    for (int column = 0; column < columns; ++column) {
        table->setColumnWidth(column, columnWidths[static_cast<size_t>(column)]);
        width += columnWidths[static_cast<size_t>(column)];
    }
    for (int row = 0; row < rows; ++row) {
        table->setRowHeight(row, kRowHeight);
        for (int column = 0; column < columns; ++column) {
            auto* cell = new QTableWidgetItem;
            if (row == 0)
                cell->setFlags(Qt::ItemIsEnabled);
            table->setItem(row, column, cell);
        }
    }
    table->resize(width + 2 * table->frameWidth(), rows * kRowHeight + 2 * table->frameWidth());
    return table;
}

QPushButton* storageButton(QWidget* parent, const char* name, int top, const QString& caption, QRgb colour)
{
    auto* button = make<WrappingPushButton>(parent, name, QRect(700, top, 330, 58));
    button->setText(caption);
    button->setFont(pixelFont("Courier New", 16, true));
    setTextColour(button, colour, QPalette::ButtonText);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

void TMainFormControls::setupCoefficientPage()
{
    QWidget* page = CorrectionFactorsLMDTabSheet;
    const std::vector<int> adcColumns(5, kTitleColumnWidth);

    AdcCorrectionCoeffsTablesLMDGroupBox = groupBox(page, "AdcCorrectionCoeffsTablesLMDGroupBox",
        QRect(10, 6, 640, 310), QStringLiteral("Корректировочные коэффициенты АЦП"));
    AdcCorrectionCoeffsTablesLMDGroupBox->setAlignment(Qt::AlignHCenter);
    setCaptionColour(AdcCorrectionCoeffsTablesLMDGroupBox, design::maroon);
    QGroupBox* adc = AdcCorrectionCoeffsTablesLMDGroupBox;
    const QFont tableTitleFont = pixelFont("Arial", 16, true);
    AdcOffsetLMDLabel = label(adc, "AdcOffsetLMDLabel", QRect(20, 24, 600, 20), QStringLiteral("Смещение, мВ"),
        tableTitleFont, Qt::AlignCenter);
    setTextColour(AdcOffsetLMDLabel, design::purple, QPalette::WindowText);
    AdcOffsetCoefsStringGrid = coefficientTable(adc, "AdcOffsetCoefsStringGrid", QPoint(20, 46), 4, adcColumns);
    AdcScaleLMDLabel = label(
        adc, "AdcScaleLMDLabel", QRect(20, 164, 600, 20), QStringLiteral("Масштаб"), tableTitleFont, Qt::AlignCenter);
    setTextColour(AdcScaleLMDLabel, design::purple, QPalette::WindowText);
    AdcScaleCoefsStringGrid = coefficientTable(adc, "AdcScaleCoefsStringGrid", QPoint(20, 186), 4, adcColumns);

    DacCalibrationCoeffsTableLMDGroupBox = groupBox(page, "DacCalibrationCoeffsTableLMDGroupBox",
        QRect(10, 322, 640, 124), QStringLiteral("Корректировочные коэффициенты ЦАП"));
    DacCalibrationCoeffsTableLMDGroupBox->setAlignment(Qt::AlignHCenter);
    DacCalibrationCoefsStringGrid = coefficientTable(DacCalibrationCoeffsTableLMDGroupBox,
        "DacCalibrationCoefsStringGrid", QPoint(100, 28), 3, { kTitleColumnWidth, 160, 160 });

    SaveCalibrCoefsToFactoryFlashLMDButton = storageButton(page, "SaveCalibrCoefsToFactoryFlashLMDButton", 14,
        QStringLiteral("Сохранить таблицы в заводском ППЗУ"), design::teal);
    RefreshCalibrCoefsFromFactoryFlashLMDButton = storageButton(page, "RefreshCalibrCoefsFromFactoryFlashLMDButton", 80,
        QStringLiteral("Обновить таблицы из заводского ППЗУ"), design::teal);
    CoefButtonsBevel1 = panel(page, "CoefButtonsBevel1", QRect(700, 146, 330, 4), Bevel::Sunken);
    SaveCalibrCoefsToFileLMDButton = storageButton(page, "SaveCalibrCoefsToFileLMDButton", 158,
        QStringLiteral("Сохранить таблицы в пользов. ППЗУ"), design::maroon);
    RefreshCalibrCoefsFromFileLMDButton = storageButton(page, "RefreshCalibrCoefsFromFileLMDButton", 224,
        QStringLiteral("Обновить таблицы из пользов. ППЗУ"), design::maroon);
    CoefButtonsBevel2 = panel(page, "CoefButtonsBevel2", QRect(700, 290, 330, 4), Bevel::Sunken);
    ResetCalibrCoefsInFileLMDButton = storageButton(
        page, "ResetCalibrCoefsInFileLMDButton", 302, QStringLiteral("Сбросить таблицы в пользов. ППЗУ"), design::blue);
}
