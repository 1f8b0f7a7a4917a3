// The coefficient tables: filling them from WorkingCoeffs, the edit
// permission, and the editor's text check. The keys that commit and restore
// an edit are in mainform_coeff_table_keys.cpp.

#include "mainform.h"

#include "coeff_table_cells.h"
#include "coeff_table_delegate.h"
#include "entry/number_text.h"
#include "handler_scope.h"
#include "settings/input_ranges.h"

#include <QPushButton>
#include <QTableWidget>

using coeffs::CoeffTable;
using platform::MessageIcon;
using namespace coeff_tables;

void TMainForm::ConnectCoeffHandlers()
{
    AdcCoeffTables = { AdcOffsetCoefsStringGrid, AdcScaleCoefsStringGrid };
    for (QTableWidget* table : { AdcOffsetCoefsStringGrid, AdcScaleCoefsStringGrid, DacCalibrationCoefsStringGrid }) {
        QAbstractItemDelegate* designDelegate = table->itemDelegate();
        auto* delegate = new CoeffTableDelegate(this, table);
        table->setItemDelegate(delegate);
        table->installEventFilter(delegate);
        delete designDelegate;
        connect(
            table, &QTableWidget::cellDoubleClicked, this, [this, table] { CorrectionCoefsStringGridDblClick(table); });
        connect(table, &QTableWidget::currentCellChanged, this,
            [this, table](int row, int column) { CorrectionCoefsStringGridSelectCell(table, row, column); });
    }
    connect(SaveCalibrCoefsToFactoryFlashLMDButton, &QPushButton::clicked, this,
        [this] { SaveCalibrCoefsToFactoryFlashLMDButtonClick(); });
    connect(RefreshCalibrCoefsFromFactoryFlashLMDButton, &QPushButton::clicked, this,
        [this] { RefreshCalibrCoefsFromFactoryFlashLMDButtonClick(); });
    connect(
        SaveCalibrCoefsToFileLMDButton, &QPushButton::clicked, this, [this] { SaveCalibrCoefsToFileLMDButtonClick(); });
    connect(RefreshCalibrCoefsFromFileLMDButton, &QPushButton::clicked, this,
        [this] { RefreshCalibrCoefsFromFileLMDButtonClick(); });
    connect(ResetCalibrCoefsInFileLMDButton, &QPushButton::clicked, this,
        [this] { ResetCalibrCoefsInFileLMDButtonClick(); });
}

void TMainForm::FillCoeffTables()
{
    const auto put = [this](QTableWidget* table, int row, int column, const QString& text) {
        setCellText(*this, table, row, column, text);
    };
    for (int r = 0; r < coeffs::kAdcRangeCount; ++r) {
        const QString range = entry::formatFixed(settings::InputRanges[r], 3);
        put(AdcOffsetCoefsStringGrid, r + 1, 0, range);
        for (int c = 0; c < coeffs::kAdcChannelCount; ++c)
            put(AdcOffsetCoefsStringGrid, r + 1, c + 1, entry::formatFixed(WorkingCoeffs.AdcShown[r][c].Offset, 3));
    }
    for (int r = 0; r < coeffs::kAdcRangeCount; ++r) {
        put(AdcScaleCoefsStringGrid, r + 1, 0, entry::formatFixed(settings::InputRanges[r], 3));
        for (int c = 0; c < coeffs::kAdcChannelCount; ++c)
            put(AdcScaleCoefsStringGrid, r + 1, c + 1, entry::formatFixed(WorkingCoeffs.AdcShown[r][c].Scale, 6));
    }
    for (int k = 0; k < coeffs::kDacOutputCount; ++k) {
        put(DacCalibrationCoefsStringGrid, k + 1, 0, entry::formatByPattern(k + 1, QStringLiteral("0.")));
        put(DacCalibrationCoefsStringGrid, k + 1, 1, entry::formatFixed(WorkingCoeffs.DacShown[k].Offset, 4));
        put(DacCalibrationCoefsStringGrid, k + 1, 2, entry::formatFixed(WorkingCoeffs.DacShown[k].Scale, 6));
    }
}

bool TMainForm::CoeffTableEditAllowed(const QObject* table) const
{
    const std::optional<CoeffTable> kind = tableKind(*this, table);
    return kind && CoeffTableEditPermission[permissionIndex(*kind)];
}

void TMainForm::CorrectionCoefsStringGridDblClick(QObject* sender)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QTableWidget* table = senderTable(
        sender, QStringLiteral("Ошибка CalibrationCoefsStringGridDrawCell()!!!"), MessageIcon::Information);
    if (!table)
        return;
    CoeffTableDelegate* delegate = delegateOf(table);
    const std::optional<CoeffTable> kind = tableKind(*this, table);
    if (!delegate || !kind || delegate->editor() || !isValueCell(table, table->currentRow(), table->currentColumn()))
        return;
    CoeffTableEditPermission[permissionIndex(*kind)] = true;
    delegate->openEditor();
}

// Not a user event but the editor asking for the cell's text, so it runs
// even inside another handler (one that opens or rewrites the editor).
void TMainForm::CorrectionCoefsStringGridGetEditText(const QString& cellText)
{
    EditStartText = cellText;
}

// Every change of the editor's text: a text on its way to a number ("" or "-")
// passes, any other text must convert.
void TMainForm::CorrectionCoefsStringGridSetEditText(QObject* sender, int row, int column, const QString& text)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    QTableWidget* table
        = senderTable(sender, QStringLiteral("Ошибка CorrectionCoefsStringGridSetEditText()!"), MessageIcon::None);
    if (!table || text.isEmpty() || text == QStringLiteral("-") || entry::textToNumber(text))
        return;
    const std::optional<CoeffTable> kind = tableKind(*this, table);
    if (!kind) {
        platform::showMessage(QStringLiteral("Не могу опознать таблицу коэффициентов!"),
            QStringLiteral("Ошибка CorrectionCoefsStringGridSelectCell()!"));
        return;
    }
    setCellText(*this, table, row, column, rejectedCellText(WorkingCoeffs, *kind, row, column));
    platform::showMessage(QStringLiteral("Введеное значение не совсем корректно!"), QStringLiteral("Внимание!!!"),
        MessageIcon::Information);
}

// Selecting any cell ends the edit permission; the selection is always allowed.
bool TMainForm::CorrectionCoefsStringGridSelectCell(QObject* sender, int /*row*/, int /*column*/)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return true;
    QTableWidget* table
        = senderTable(sender, QStringLiteral("Ошибка CorrectionCoefsStringGridSelectCell()!"), MessageIcon::None);
    if (!table)
        return true;
    if (const std::optional<CoeffTable> kind = tableKind(*this, table))
        CoeffTableEditPermission[permissionIndex(*kind)] = false;
    return true;
}
