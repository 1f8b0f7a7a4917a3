#include "coeff_window.h"

#include "app/ready_module.h"
#include "support/sim_library.h"

#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <cstring>

void CoeffWindowTest::SetUp()
{
    ASSERT_TRUE(settingsDirectory.isValid());
    sim = simControl();
    ASSERT_NE(sim, nullptr);
    placeFreshModule(*sim, kSlot);
    form = std::make_unique<TMainForm>(openSimulatedLibrary(), settingsDirectory.path());
    makeModuleReady(*form, kSlot);
    ASSERT_FALSE(HasFailure());
    sim->resetCallCounts();
}

void CoeffWindowTest::TearDown()
{
    form.reset();
    if (sim)
        sim->clearFailures();
}

void CoeffWindowTest::showCoeffPage()
{
    // A first show would start a module search; this window has its module.
    form->ShowPhase = 3;
    form->show();
    form->activateWindow();
    form->HandlerBusy = true;
    form->MainLMDPageControl->setCurrentWidget(form->CorrectionFactorsLMDTabSheet);
    form->HandlerBusy = false;
    form->CorrectionFactorsLMDTabSheet->setEnabled(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(form->AdcOffsetCoefsStringGrid->isVisible());
}

void CoeffWindowTest::focusCell(QTableWidget* table, int row, int column)
{
    table->setFocus();
    table->setCurrentCell(row, column);
}

QLineEdit* CoeffWindowTest::editorOf(QTableWidget* table)
{
    auto* delegate = dynamic_cast<CoeffTableDelegate*>(table->itemDelegate());
    return delegate ? delegate->editor() : nullptr;
}

QString CoeffWindowTest::cellText(QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

UserFlashBlock CoeffWindowTest::moduleUserFlash() const
{
    UserFlashBlock block {};
    EXPECT_TRUE(sim->userFlash(kSlot, &block));
    return block;
}

ModuleDescription CoeffWindowTest::moduleDescription() const
{
    ModuleDescription description {};
    EXPECT_TRUE(sim->moduleDescription(kSlot, &description));
    return description;
}
