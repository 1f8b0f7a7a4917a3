#include "coeffs/coeff_conversions.h"
#include "coeffs/coeff_sets.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using namespace coeffs;

namespace {

// The description's doubles are packed at odd offsets: the checks read them
// by value (double(...)) so that no reference binds to a misaligned double.

// A description whose every coefficient entry is distinct, the unused ones too.
ModuleDescription sampleDescription()
{
    ModuleDescription description {};
    for (int i = 0; i < 128; ++i) {
        description.AdcOffsetCoefs[i] = 10.0 + i;
        description.AdcScaleCoefs[i] = 1.0 + i / 1000.0;
        description.DacOffsetCoefs[i] = -3.0 - i;
        description.DacScaleCoefs[i] = 0.99 - i / 1000.0;
    }
    return description;
}

TEST(FactoryCoeffs, PairsComeFromTheDescriptionRangeMajorWithMillivoltOffsets)
{
    ModuleDescription description = sampleDescription();
    description.AdcOffsetCoefs[1 * 4 + 1] = 80.0; // 1.0 V range: 80 codes are 10 mV
    description.DacOffsetCoefs[1] = 4.094; // 4.094 codes are 10 mV
    const CorrectionCoeffs factory = BuildFactoryCoeffs(description);

    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << "range " << r << " channel " << c);
            EXPECT_EQ(factory.AdcRaw[r][c].Offset, double(description.AdcOffsetCoefs[r * 4 + c]));
            EXPECT_EQ(factory.AdcRaw[r][c].Scale, double(description.AdcScaleCoefs[r * 4 + c]));
            EXPECT_EQ(factory.AdcShown[r][c].Offset, adcCodeToMillivolts(factory.AdcRaw[r][c].Offset, r));
            EXPECT_EQ(factory.AdcShown[r][c].Scale, factory.AdcRaw[r][c].Scale);
        }
    }
    EXPECT_DOUBLE_EQ(factory.AdcShown[1][1].Offset, 10.0);
    EXPECT_DOUBLE_EQ(factory.AdcShown[2][0].Offset, 18.0 * 0.3 / 8.0);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(factory.DacRaw[k].Offset, double(description.DacOffsetCoefs[k]));
        EXPECT_EQ(factory.DacRaw[k].Scale, double(description.DacScaleCoefs[k]));
        EXPECT_EQ(factory.DacShown[k].Scale, double(description.DacScaleCoefs[k]));
    }
    EXPECT_DOUBLE_EQ(factory.DacShown[1].Offset, 10.0);
    EXPECT_EQ(factory.Crc, 0);
}

TEST(FactoryCoeffs, SavingAdcPairsIntoTheDescriptionLeavesTheDacAndUnusedEntriesAlone)
{
    const ModuleDescription before = sampleDescription();
    ModuleDescription description = before;
    CorrectionCoeffs working = makeIdentityCoeffs();
    working.AdcRaw[2][3] = { 40.0, 1.25 };
    storeAdcCoeffsInDescription(working, description);

    EXPECT_EQ(double(description.AdcOffsetCoefs[11]), 40.0);
    EXPECT_EQ(double(description.AdcScaleCoefs[11]), 1.25);
    EXPECT_EQ(double(description.AdcOffsetCoefs[0]), 0.0);
    EXPECT_EQ(double(description.AdcScaleCoefs[0]), 1.0);
    EXPECT_EQ(double(description.AdcOffsetCoefs[12]), double(before.AdcOffsetCoefs[12]));
    EXPECT_EQ(std::memcmp(description.DacOffsetCoefs, before.DacOffsetCoefs, sizeof before.DacOffsetCoefs), 0);
    EXPECT_EQ(std::memcmp(description.DacScaleCoefs, before.DacScaleCoefs, sizeof before.DacScaleCoefs), 0);
    EXPECT_EQ(BuildFactoryCoeffs(description).AdcRaw[2][3].Scale, 1.25);
}

// Every code-side double, by its place in the record.
std::vector<double*> codeSideDoubles(CorrectionCoeffs& c)
{
    std::vector<double*> doubles;
    for (auto& range : c.AdcRaw) {
        for (auto& pair : range) {
            doubles.push_back(&pair.Offset);
            doubles.push_back(&pair.Scale);
        }
    }
    for (auto& pair : c.DacRaw) {
        doubles.push_back(&pair.Offset);
        doubles.push_back(&pair.Scale);
    }
    return doubles;
}

TEST(CompareCoeffSets, ALastBitDifferenceInAnyCodeSideDoubleCounts)
{
    const CorrectionCoeffs factory = BuildFactoryCoeffs(sampleDescription());
    const CorrectionCoeffs userFlash = makeIdentityCoeffs();
    CorrectionCoeffs working = factory;
    EXPECT_TRUE(CompareCoeffSets(working, factory, userFlash).equalToFactory);
    EXPECT_FALSE(CompareCoeffSets(working, factory, userFlash).equalToUserFlash);

    const std::vector<double*> doubles = codeSideDoubles(working);
    ASSERT_EQ(doubles.size(), 28u);
    for (std::size_t i = 0; i < doubles.size(); ++i) {
        const double original = *doubles[i];
        *doubles[i] = std::nextafter(original, HUGE_VAL);
        EXPECT_FALSE(CompareCoeffSets(working, factory, userFlash).equalToFactory) << "double " << i;
        *doubles[i] = original;
    }
    EXPECT_TRUE(CompareCoeffSets(working, factory, userFlash).equalToFactory);
}

TEST(CompareCoeffSets, ShownFieldsAndTheCrcTakeNoPart)
{
    const CorrectionCoeffs userFlash = makeIdentityCoeffs();
    CorrectionCoeffs working = userFlash;
    working.AdcShown[1][2] = { 123.0, 7.0 };
    working.DacShown[0] = { -5.0, 2.0 };
    working.Crc = 0;
    const CoeffComparison result = CompareCoeffSets(working, CorrectionCoeffs {}, userFlash);
    EXPECT_TRUE(result.equalToUserFlash);
    EXPECT_FALSE(result.equalToFactory);
}

} // namespace
