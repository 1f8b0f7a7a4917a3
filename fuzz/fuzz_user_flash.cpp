// Any 512 bytes as the module's user-flash block: the check never fails
// badly, and a record it accepts packs into a block with the same 450 bytes
// and zeros after them.

#include "coeffs/user_flash_record.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UserFlashBlock block {};
    std::memcpy(block.Bytes, data, size < sizeof block.Bytes ? size : sizeof block.Bytes);

    coeffs::UserFlashContent content = coeffs::checkUserFlashBlock(block);
    if (content.status != coeffs::UserFlashStatus::Ok) {
        const coeffs::CorrectionCoeffs zero {};
        fuzzCheck(std::memcmp(&content.record, &zero, sizeof zero) == 0, "a rejected block gives a zero record");
        return 0;
    }
    const UserFlashBlock packed = coeffs::packUserFlashBlock(content.record);
    fuzzCheck(std::memcmp(packed.Bytes, block.Bytes, sizeof(coeffs::CorrectionCoeffs)) == 0,
        "an accepted record packs into the same bytes");
    for (size_t i = sizeof(coeffs::CorrectionCoeffs); i < sizeof packed.Bytes; ++i)
        fuzzCheck(packed.Bytes[i] == 0, "the packed block ends in zeros");
    fuzzCheck(coeffs::checkUserFlashBlock(packed).status == coeffs::UserFlashStatus::Ok, "a packed block checks");
    return 0;
}
