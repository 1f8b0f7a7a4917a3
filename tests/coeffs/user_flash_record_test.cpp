#include "coeffs/coeff_sets.h"
#include "coeffs/crc16.h"
#include "coeffs/user_flash_record.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace coeffs;

namespace {

const uint8_t* bytesOf(const CorrectionCoeffs& record)
{
    return reinterpret_cast<const uint8_t*>(&record);
}

CorrectionCoeffs randomRecord(std::mt19937_64& random)
{
    CorrectionCoeffs record;
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i)
        bytes[i] = static_cast<uint8_t>(random());
    return record;
}

TEST(Crc16, MatchesTheCcittFalseCheckValue)
{
    const char digits[] = "123456789";
    EXPECT_EQ(crc16CcittFalse(reinterpret_cast<const uint8_t*>(digits), 9), 0x29B1);
    EXPECT_EQ(crc16CcittFalse(nullptr, 0), 0xFFFF);
    const uint8_t single[] = { 0x00 };
    EXPECT_EQ(crc16CcittFalse(single, 1), 0xE1F0);
}

TEST(UserFlashRecord, TheIdentityRecordIs28PairsOfZeroAndOneWithCrc2A58)
{
    const CorrectionCoeffs identity = makeIdentityCoeffs();
    const uint8_t pair[16] = { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F };
    for (int i = 0; i < 28; ++i)
        EXPECT_EQ(std::memcmp(bytesOf(identity) + 16 * i, pair, 16), 0) << "pair " << i;
    EXPECT_EQ(identity.Crc, 0x2A58);
    EXPECT_EQ(bytesOf(identity)[448], 0x58);
    EXPECT_EQ(bytesOf(identity)[449], 0x2A);
}

TEST(UserFlashRecord, PackingStampsTheCrcAndReadingBackGivesTheSame450Bytes)
{
    std::mt19937_64 random(4705);
    for (int round = 0; round < 20; ++round) {
        CorrectionCoeffs record = randomRecord(random);
        const UserFlashBlock block = packUserFlashBlock(record);
        EXPECT_EQ(record.Crc, recordCrc(record));
        EXPECT_EQ(std::memcmp(block.Bytes, bytesOf(record), sizeof record), 0);
        for (std::size_t i = sizeof record; i < sizeof block.Bytes; ++i)
            ASSERT_EQ(block.Bytes[i], 0) << "byte " << i;

        const UserFlashContent content = checkUserFlashBlock(block);
        ASSERT_EQ(content.status, UserFlashStatus::Ok);
        EXPECT_EQ(std::memcmp(&content.record, &record, sizeof record), 0);
    }
}

TEST(UserFlashRecord, ARightCrcAcceptsArbitraryBytesAndIgnoresTheTail)
{
    std::mt19937_64 random(47);
    UserFlashBlock block;
    for (uint8_t& b : block.Bytes)
        b = static_cast<uint8_t>(random());
    const uint16_t crc = crc16CcittFalse(block.Bytes, 448);
    block.Bytes[448] = static_cast<uint8_t>(crc & 0xFF);
    block.Bytes[449] = static_cast<uint8_t>(crc >> 8);

    const UserFlashContent content = checkUserFlashBlock(block);
    ASSERT_EQ(content.status, UserFlashStatus::Ok);
    EXPECT_EQ(std::memcmp(&content.record, block.Bytes, 450), 0);
}

TEST(UserFlashRecord, AnyChangedBitOrABlankFlashFailsTheCheckAndYieldsAZeroRecord)
{
    CorrectionCoeffs identity = makeIdentityCoeffs();
    const UserFlashBlock good = packUserFlashBlock(identity);
    const CorrectionCoeffs zero {};
    for (std::size_t byte = 0; byte < 450; byte += 7) {
        UserFlashBlock bad = good;
        bad.Bytes[byte] ^= static_cast<uint8_t>(1u << (byte % 8));
        const UserFlashContent content = checkUserFlashBlock(bad);
        EXPECT_EQ(content.status, UserFlashStatus::CrcMismatch) << "byte " << byte;
        EXPECT_EQ(std::memcmp(&content.record, &zero, sizeof zero), 0);
    }
    UserFlashBlock erased;
    std::memset(erased.Bytes, 0xFF, sizeof erased.Bytes);
    EXPECT_EQ(checkUserFlashBlock(erased).status, UserFlashStatus::CrcMismatch);
    const UserFlashBlock zeros {};
    EXPECT_EQ(checkUserFlashBlock(zeros).status, UserFlashStatus::CrcMismatch);
}

} // namespace
