// The few behaviours of the voltmeter panel and the verification page; their
// other controls do nothing.

#include "mainform.h"

#include "handler_scope.h"
#include "platform/message_seam.h"
#include "widgets/radio_group.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>

void TMainForm::ConnectPanelHandlers()
{
    connect(AcDcVoltmeterModeLMDRadioGroup, &RadioGroup::itemIndexChanged, this,
        [this] { AcDcVoltmeterModeLMDRadioGroupChange(AcDcVoltmeterModeLMDRadioGroup); });
    connect(AcFilterVoltmeterLMDComboBox, &QComboBox::currentIndexChanged, this,
        [this] { AcFilterVoltmeterLMDComboBoxChange(); });
    connect(CfgFileNameEdit, &QLineEdit::textChanged, this, [this] { CfgFileNameEditChange(); });
    connect(VerifySplitter, &QSplitter::splitterMoved, this, [this] { VerifySplitterMoved(); });
}

void TMainForm::AcDcVoltmeterModeLMDRadioGroupChange(QObject* sender)
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
    auto* group = qobject_cast<RadioGroup*>(sender);
    if (!group) {
        platform::showMessage(QStringLiteral("Не могу привести тип!"),
            QStringLiteral("Ошибка AcDcVoltmeterModeLMDRadioGroupChange()!!!"), platform::MessageIcon::Information);
        return;
    }
    const int mode = group->itemIndex();
    const bool valueShown = mode != 2;
    const bool filterShown = mode == 1;
    VoltmeterValueLMDLabel->setEnabled(valueShown);
    VoltmeterValueUnitLMDLabel->setEnabled(valueShown);
    AcFilterVoltmeterLMDComboBox->setEnabled(filterShown);
}

void TMainForm::AcFilterVoltmeterLMDComboBoxChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    StopThread();
}

void TMainForm::CfgFileNameEditChange()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    CfgFileNameEdit->setToolTip(CfgFileNameEdit->text());
}

// Puts the end of a long path into view.
void TMainForm::VerifySplitterMoved()
{
    HandlerScope scope(HandlerBusy);
    if (!scope.entered())
        return;
    CfgFileNameEdit->setCursorPosition(0);
    CfgFileNameEdit->setCursorPosition(CfgFileNameEdit->text().size());
    CfgFileNameEdit->deselect();
}
