// Editing single values in the coefficient tables with the keyboard and the
// mouse, on a shown and enabled coefficient page.

#include "coeff_window.h"

#include "coeffs/coeff_edits.h"
#include "entry/number_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>

using coeffs::CoeffTable;
using coeffs::CorrectionCoeffs;
using platform::MessageIcon;

namespace {

const QString kTextCheckMessage = QStringLiteral("Введеное значение не совсем корректно!");
const QString kCommitMessage = QStringLiteral("Введеное значение не совсем корекктно!");

class CoeffTables : public CoeffWindowTest {
protected:
    void SetUp() override
    {
        CoeffWindowTest::SetUp();
        showCoeffPage();
        form->RefreshCalibrCoefsFromFactoryFlashLMDButtonClick();
        factory = form->WorkingCoeffs;
        recorder.clear();
    }

    QTableWidget* table(const char* name) const { return form->findChild<QTableWidget*>(QLatin1String(name)); }

    // Opens the editor on a cell with Enter, as the user would.
    QLineEdit* openWithEnter(QTableWidget* grid, int row, int column)
    {
        focusCell(grid, row, column);
        QTest::keyClick(grid, Qt::Key_Return);
        return editorOf(grid);
    }

    // Replaces the cell's text by typing, character by character.
    QLineEdit* typeInto(QTableWidget* grid, int row, int column, const QString& typed)
    {
        QLineEdit* editor = openWithEnter(grid, row, column);
        if (editor) {
            EXPECT_EQ(editor->selectedText(), editor->text());
            QTest::keyClicks(editor, typed);
        }
        return editor;
    }

    CorrectionCoeffs factory {};
};

struct CommitCase {
    const char* name;
    const char* grid;
    int row;
    int column;
    const char* typed;
    std::function<void(CorrectionCoeffs&)> expectedChange;
};

void PrintTo(const CommitCase& c, std::ostream* out)
{
    *out << c.name;
}

class CoeffCommit : public CoeffTables, public ::testing::WithParamInterface<CommitCase> { };

TEST_P(CoeffCommit, StoresTheNumberOnBothSidesAndKeepsTheTypedText)
{
    const CommitCase& commit = GetParam();
    QTableWidget* grid = table(commit.grid);
    QLineEdit* editor = typeInto(grid, commit.row, commit.column, QString::fromLatin1(commit.typed));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);

    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('\n').toStdString();
    EXPECT_EQ(editorOf(grid), nullptr);
    EXPECT_EQ(cellText(grid, commit.row, commit.column), QLatin1String(commit.typed));
    CorrectionCoeffs expected = factory;
    commit.expectedChange(expected);
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, expected));
    EXPECT_TRUE(form->SaveCalibrCoefsToFactoryFlashLMDButton->isEnabled());
    EXPECT_TRUE(form->SaveCalibrCoefsToFileLMDButton->isEnabled());
    EXPECT_FALSE(form->CoeffTableEditAllowed(grid));
}

INSTANTIATE_TEST_SUITE_P(Cells, CoeffCommit,
    ::testing::Values(
        // 1.5 mV on the 0.3 V row of channel 2: 1.5 * 8000 / 300 = 40 codes.
        CommitCase { "AdcOffsetOnTheSmallestRange", "AdcOffsetCoefsStringGrid", 3, 2, "1.5",
            [](CorrectionCoeffs& s) {
                s.AdcShown[2][1].Offset = 1.5;
                s.AdcRaw[2][1].Offset = 40.0;
            } },
        // 10 mV on DAC output 1: 10 * 2047 / 5000 = 4.094 codes.
        CommitCase { "DacOffset", "DacCalibrationCoefsStringGrid", 1, 1, "10",
            [](CorrectionCoeffs& s) {
                s.DacShown[0].Offset = 10.0;
                s.DacRaw[0].Offset = 4.094;
            } },
        CommitCase { "AdcScale", "AdcScaleCoefsStringGrid", 2, 4, "-1.00025",
            [](CorrectionCoeffs& s) { s.AdcShown[1][3].Scale = s.AdcRaw[1][3].Scale = -1.00025; } },
        CommitCase { "DacScale", "DacCalibrationCoefsStringGrid", 2, 2, "0.998",
            [](CorrectionCoeffs& s) { s.DacShown[1].Scale = s.DacRaw[1].Scale = 0.998; } }),
    [](const ::testing::TestParamInfo<CommitCase>& info) { return std::string(info.param.name); });

TEST_F(CoeffTables, APastedNumberWithAnExponentIsAccepted)
{
    QTableWidget* grid = form->AdcScaleCoefsStringGrid;
    QLineEdit* editor = openWithEnter(grid, 1, 1);
    ASSERT_NE(editor, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("1.25e0"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(editor->text(), QStringLiteral("1.25e0"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('\n').toStdString();
    EXPECT_EQ(copyOf(form->WorkingCoeffs.AdcRaw[0][0].Scale), 1.25);
}

TEST_F(CoeffTables, ACommitThatRestoresTheFactoryValueDisablesTheFactorySave)
{
    QTableWidget* grid = form->AdcScaleCoefsStringGrid;
    QLineEdit* editor = typeInto(grid, 1, 3, QStringLiteral("2"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(form->SaveCalibrCoefsToFactoryFlashLMDButton->isEnabled());

    editor = typeInto(grid, 1, 3, QString::number(factory.AdcRaw[0][2].Scale, 'g', 17));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(form->SaveCalibrCoefsToFactoryFlashLMDButton->isEnabled());
}

struct RejectedCommit {
    const char* name;
    const char* grid;
    int row;
    int column;
    const char* typed; // after the editor's text has been cleared
    int decimals; // of the stored value written back
    std::function<double(const CorrectionCoeffs&)> stored;
};

void PrintTo(const RejectedCommit& c, std::ostream* out)
{
    *out << c.name;
}

class CoeffRejectedCommit : public CoeffTables, public ::testing::WithParamInterface<RejectedCommit> { };

TEST_P(CoeffRejectedCommit, GivesTheEnterMessageAndWritesTheStoredValueBack)
{
    const RejectedCommit& rejected = GetParam();
    QTableWidget* grid = table(rejected.grid);
    QLineEdit* editor = openWithEnter(grid, rejected.row, rejected.column);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, QLatin1String(rejected.typed));
    ASSERT_EQ(editor->text(), QLatin1String(rejected.typed));
    EXPECT_TRUE(recorder.empty()) << "\"\" and \"-\" pass while typing";

    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, kCommitMessage);
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Внимание!!!"));
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(editorOf(grid), nullptr);
    EXPECT_EQ(
        cellText(grid, rejected.row, rejected.column), entry::formatFixed(rejected.stored(factory), rejected.decimals));
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
    EXPECT_FALSE(form->CoeffTableEditAllowed(grid));
}

INSTANTIATE_TEST_SUITE_P(Texts, CoeffRejectedCommit,
    ::testing::Values(RejectedCommit { "EmptyAdcOffset", "AdcOffsetCoefsStringGrid", 2, 3, "", 3,
                          [](const CorrectionCoeffs& s) { return s.AdcShown[1][2].Offset; } },
        RejectedCommit { "MinusAdcScale", "AdcScaleCoefsStringGrid", 3, 1, "-", 6,
            [](const CorrectionCoeffs& s) { return s.AdcShown[2][0].Scale; } },
        // The DAC offset comes back with three decimals, not the four of a fill.
        RejectedCommit { "MinusDacOffset", "DacCalibrationCoefsStringGrid", 2, 1, "-", 3,
            [](const CorrectionCoeffs& s) { return s.DacShown[1].Offset; } }),
    [](const ::testing::TestParamInfo<RejectedCommit>& info) { return std::string(info.param.name); });

TEST_F(CoeffTables, ASecondPointFailsTheTextCheckAndTheStoredValueComesBack)
{
    QTableWidget* grid = form->AdcOffsetCoefsStringGrid;
    QLineEdit* editor = typeInto(grid, 1, 2, QStringLiteral("1.2"));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(recorder.empty());
    QTest::keyClick(editor, Qt::Key_Period);

    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, kTextCheckMessage);
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Внимание!!!"));
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Information);
    const QString stored = entry::formatFixed(factory.AdcShown[0][1].Offset, 3);
    EXPECT_EQ(editor->text(), stored);
    EXPECT_EQ(cellText(grid, 1, 2), stored);
    EXPECT_EQ(editorOf(grid), editor) << "the editor stays open";
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
}

TEST_F(CoeffTables, OnlyDigitsPointMinusAndBackspaceReachTheEditor)
{
    QTableWidget* grid = form->DacCalibrationCoefsStringGrid;
    QLineEdit* editor = typeInto(grid, 1, 2, QStringLiteral("1,5a x;"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("15"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClicks(editor, QStringLiteral("-.b"));
    EXPECT_EQ(editor->text(), QStringLiteral("-.1"));
    EXPECT_TRUE(recorder.empty()) << recorder.texts().join('\n').toStdString();
}

TEST_F(CoeffTables, UpAndDownRestoreTheCellAndMoveWithoutStoring)
{
    QTableWidget* grid = form->AdcOffsetCoefsStringGrid;
    const QString before = cellText(grid, 2, 1);
    for (Qt::Key key : { Qt::Key_Up, Qt::Key_Down }) {
        QLineEdit* editor = typeInto(grid, 2, 1, QStringLiteral("7"));
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, key);
        EXPECT_EQ(editorOf(grid), nullptr);
        EXPECT_EQ(cellText(grid, 2, 1), before);
        EXPECT_EQ(grid->currentRow(), key == Qt::Key_Up ? 1 : 3);
        EXPECT_FALSE(form->CoeffTableEditAllowed(grid));
    }
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
    EXPECT_TRUE(recorder.empty());
}

TEST_F(CoeffTables, EscRestoresTheCellAndClosesTheEditor)
{
    QTableWidget* grid = form->AdcScaleCoefsStringGrid;
    const QString before = cellText(grid, 3, 4);
    QLineEdit* editor = typeInto(grid, 3, 4, QStringLiteral("7"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(editorOf(grid), nullptr);
    EXPECT_EQ(cellText(grid, 3, 4), before);
    EXPECT_FALSE(form->CoeffTableEditAllowed(grid));
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
}

TEST_F(CoeffTables, LeavingWithTabKeepsTheTypedTextWithoutStoringIt)
{
    QTableWidget* grid = form->AdcOffsetCoefsStringGrid;
    QLineEdit* editor = typeInto(grid, 1, 1, QStringLiteral("7"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(cellText(grid, 1, 1), QStringLiteral("7"));
    EXPECT_EQ(editorOf(grid), nullptr) << "no editor opens on the next cell";
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));

    form->RefreshCalibrCoefsFromFactoryFlashLMDButtonClick();
    EXPECT_EQ(cellText(grid, 1, 1), entry::formatFixed(factory.AdcShown[0][0].Offset, 3));
}

TEST_F(CoeffTables, AMessageBoxTakingTheFocusLeavesTheEditorOpenButAnotherControlEndsTheEdit)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTableWidget* grid = form->AdcOffsetCoefsStringGrid;
    QLineEdit* editor = typeInto(grid, 2, 2, QStringLiteral("4"));
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    ASSERT_TRUE(editor->hasFocus());

    {
        // A message box is another active window for a while.
        QWidget messageBox;
        messageBox.show();
        messageBox.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&messageBox));
        EXPECT_EQ(editorOf(grid), editor);
    }
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(editorOf(grid), editor);

    form->RefreshCalibrCoefsFromFileLMDButton->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(editorOf(grid), nullptr);
    EXPECT_EQ(cellText(grid, 2, 2), QStringLiteral("4"));
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
}

TEST_F(CoeffTables, ADoubleClickEditsValueCellsOnly)
{
    QTableWidget* grid = form->DacCalibrationCoefsStringGrid;
    const auto doubleClick = [grid](int row, int column) {
        // A double click is a click followed by the double-click event.
        const QPoint centre = grid->visualItemRect(grid->item(row, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    };
    doubleClick(1, 0);
    EXPECT_EQ(editorOf(grid), nullptr);
    doubleClick(0, 1);
    EXPECT_EQ(editorOf(grid), nullptr);

    doubleClick(2, 1);
    QLineEdit* editor = editorOf(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), cellText(grid, 2, 1));
    EXPECT_EQ(editor->selectedText(), editor->text());
    EXPECT_EQ(form->EditStartText, cellText(grid, 2, 1));
}

TEST_F(CoeffTables, EnterOnARowTitleOpensNothing)
{
    QTableWidget* grid = form->AdcOffsetCoefsStringGrid;
    EXPECT_EQ(openWithEnter(grid, 2, 0), nullptr);
    EXPECT_FALSE(form->CoeffTableEditAllowed(grid));
    EXPECT_TRUE(recorder.empty());
}

TEST_F(CoeffTables, TypingInTheTableItselfChangesNothing)
{
    QTableWidget* grid = form->AdcOffsetCoefsStringGrid;
    focusCell(grid, 1, 1);
    QTest::keyClicks(grid, QStringLiteral("0a3"));
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(editorOf(grid), nullptr);
}

TEST_F(CoeffTables, AHandlerGivenSomethingElseSaysSoAndDoesNothingMore)
{
    QPushButton notATable;
    QChar key = u'\r';
    const struct {
        std::function<void()> call;
        QString caption;
        MessageIcon icon;
    } cases[] = {
        { [&] { form->CorrectionCoefsStringGridDblClick(&notATable); },
            QStringLiteral("Ошибка CalibrationCoefsStringGridDrawCell()!!!"), MessageIcon::Information },
        { [&] { form->CorrectionCoefsStringGridKeyDown(&notATable, Qt::Key_Up); },
            QStringLiteral("Ошибка AdcCalibrationCoefsStringGridKeyDown()!!!"), MessageIcon::Information },
        { [&] { form->CorrectionCoefsStringGridKeyPress(&notATable, key); },
            QStringLiteral("Ошибка CorrectionCoefsStringGridKeyPress()!!!"), MessageIcon::Information },
        { [&] { form->CorrectionCoefsStringGridKeyUp(&notATable, Qt::Key_Escape); },
            QStringLiteral("Ошибка CorrectionCoefsStringGridKeyUp()!!!"), MessageIcon::Information },
        { [&] { form->CorrectionCoefsStringGridSetEditText(&notATable, 1, 1, QStringLiteral("x")); },
            QStringLiteral("Ошибка CorrectionCoefsStringGridSetEditText()!"), MessageIcon::None },
        { [&] { form->CorrectionCoefsStringGridSelectCell(&notATable, 1, 1); },
            QStringLiteral("Ошибка CorrectionCoefsStringGridSelectCell()!"), MessageIcon::None },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        recorder.clear();
        c.call();
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу привести тип!"));
        EXPECT_EQ(recorder.messages()[0].caption, c.caption);
        EXPECT_EQ(recorder.messages()[0].icon, c.icon);
    }
    EXPECT_EQ(key, u'\r');
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
}

TEST_F(CoeffTables, ATableOtherThanTheThreeIsNotRecognised)
{
    QTableWidget other(4, 5);
    other.setCurrentCell(1, 1);
    QChar enter = u'\r';
    form->CorrectionCoefsStringGridKeyPress(&other, enter);
    form->CorrectionCoefsStringGridSetEditText(&other, 1, 1, QStringLiteral("1.2.3"));
    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу опознать таблицу коэффициентов!"));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Ошибка CorrectionCoefsStringGridKeyPress()!"));
    EXPECT_EQ(recorder.messages()[1].text, QStringLiteral("Не могу опознать таблицу коэффициентов!"));
    EXPECT_EQ(recorder.messages()[1].caption, QStringLiteral("Ошибка CorrectionCoefsStringGridSelectCell()!"));
    EXPECT_TRUE(sameBytes(form->WorkingCoeffs, factory));
}

} // namespace
