#pragma once
// A main window whose module is ready, as a finished search leaves it: the
// simulated library's interface with a fresh module's slot open, the
// description read from it and the coefficient sets initialised. Every
// message is recorded.

#include "coeff_table_delegate.h"
#include "mainform.h"
#include "sim_control.h"
#include "support/message_recorder.h"

#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

class QTableWidget;

class CoeffWindowTest : public ::testing::Test {
protected:
    static constexpr int kSlot = 3;

    void SetUp() override;
    void TearDown() override;

    // Shows the window on the coefficient page, enabled, with `table` focused
    // on cell (row, column).
    void showCoeffPage();
    void focusCell(QTableWidget* table, int row, int column);
    // The open editor of `table`, or null.
    static QLineEdit* editorOf(QTableWidget* table);
    static QString cellText(QTableWidget* table, int row, int column);

    // What the module holds.
    UserFlashBlock moduleUserFlash() const;
    ModuleDescription moduleDescription() const;

    QTemporaryDir settingsDirectory;
    MessageRecorder recorder;
    modlink_sim::SimControl* sim = nullptr;
    std::unique_ptr<TMainForm> form;
};

// Fields of the packed records may lie at odd addresses, where no reference
// may bind: assertions compare copies of them.
template <typename T> T copyOf(T value)
{
    return value;
}

// Byte-for-byte equality of two records.
template <typename Record> bool sameBytes(const Record& a, const Record& b)
{
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}
