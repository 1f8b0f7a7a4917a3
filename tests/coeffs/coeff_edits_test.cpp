#include "coeffs/coeff_edits.h"
#include "coeffs/coeff_sets.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace coeffs;

namespace {

TEST(CoeffEdits, AnAdcOffsetInMillivoltsIsStoredAsTypedAndInCodesOfItsRange)
{
    CorrectionCoeffs coeffs = makeIdentityCoeffs();
    // 1.5 mV on the 0.3 V row of channel 2: 1.5 * 8000 / 300 = 40 codes.
    ASSERT_TRUE(storeCommittedValue(coeffs, CoeffTable::AdcOffset, 3, 2, 1.5));
    EXPECT_EQ(coeffs.AdcShown[2][1].Offset, 1.5);
    EXPECT_EQ(coeffs.AdcRaw[2][1].Offset, 40.0);
    // 3 mV on the 3.0 V row of channel 4: 8 codes.
    ASSERT_TRUE(storeCommittedValue(coeffs, CoeffTable::AdcOffset, 1, 4, 3.0));
    EXPECT_EQ(coeffs.AdcRaw[0][3].Offset, 8.0);
    EXPECT_EQ(coeffs.AdcRaw[0][3].Scale, 1.0);
}

TEST(CoeffEdits, ADacOffsetInMillivoltsIsStoredInDacCodes)
{
    CorrectionCoeffs coeffs = makeIdentityCoeffs();
    ASSERT_TRUE(storeCommittedValue(coeffs, CoeffTable::Dac, 1, 1, 10.0));
    EXPECT_EQ(coeffs.DacShown[0].Offset, 10.0);
    EXPECT_EQ(coeffs.DacRaw[0].Offset, 4.094);
    EXPECT_EQ(coeffs.DacRaw[1].Offset, 0.0);
}

TEST(CoeffEdits, ScalesGoIntoBothSidesUnchanged)
{
    CorrectionCoeffs coeffs = makeIdentityCoeffs();
    ASSERT_TRUE(storeCommittedValue(coeffs, CoeffTable::AdcScale, 2, 3, 1.0000001));
    EXPECT_EQ(coeffs.AdcShown[1][2].Scale, 1.0000001);
    EXPECT_EQ(coeffs.AdcRaw[1][2].Scale, 1.0000001);
    EXPECT_EQ(coeffs.AdcRaw[1][2].Offset, 0.0);
    ASSERT_TRUE(storeCommittedValue(coeffs, CoeffTable::Dac, 2, 2, 0.998));
    EXPECT_EQ(coeffs.DacShown[1].Scale, 0.998);
    EXPECT_EQ(coeffs.DacRaw[1].Scale, 0.998);
    EXPECT_EQ(storedCellValue(coeffs, CoeffTable::Dac, 2, 2), 0.998);
    EXPECT_EQ(storedCellValue(coeffs, CoeffTable::AdcScale, 2, 3), 1.0000001);
}

TEST(CoeffEdits, HeaderAndOutOfTableCellsStoreNothing)
{
    const struct {
        CoeffTable table;
        int row, column;
    } cells[] = { { CoeffTable::AdcOffset, 0, 1 }, { CoeffTable::AdcOffset, 1, 0 }, { CoeffTable::AdcOffset, 4, 1 },
        { CoeffTable::AdcScale, 1, 5 }, { CoeffTable::Dac, 3, 1 }, { CoeffTable::Dac, 1, 3 },
        { CoeffTable::Dac, -1, 1 } };
    const CorrectionCoeffs before = makeIdentityCoeffs();
    CorrectionCoeffs coeffs = before;
    for (const auto& cell : cells) {
        EXPECT_FALSE(storeCommittedValue(coeffs, cell.table, cell.row, cell.column, 9.0));
        EXPECT_FALSE(storedCellValue(coeffs, cell.table, cell.row, cell.column).has_value());
    }
    EXPECT_EQ(std::memcmp(&coeffs, &before, sizeof before), 0);
}

TEST(CoeffEdits, CommittingTheFactoryValueAgainMakesTheSetsEqual)
{
    ModuleDescription description {};
    description.AdcOffsetCoefs[2 * 4 + 1] = 40.0;
    for (int i = 0; i < 128; ++i)
        description.AdcScaleCoefs[i] = 1.0;
    description.DacScaleCoefs[0] = description.DacScaleCoefs[1] = 1.0;
    const CorrectionCoeffs factory = BuildFactoryCoeffs(description);
    CorrectionCoeffs working = factory;
    ASSERT_TRUE(storeCommittedValue(working, CoeffTable::AdcOffset, 3, 2, 1.6));
    EXPECT_FALSE(CompareCoeffSets(working, factory, {}).equalToFactory);
    ASSERT_TRUE(storeCommittedValue(working, CoeffTable::AdcOffset, 3, 2, 1.5));
    EXPECT_TRUE(CompareCoeffSets(working, factory, {}).equalToFactory);
}

} // namespace
