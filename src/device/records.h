#pragma once
// The packed little-endian records exchanged with the device library. Their
// layout is a binary contract with the maker's library: every size and every
// offset the program relies on is checked at compile time below.

#include "platform/overlapped.h"

#include <cstddef>
#include <cstdint>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the device records are little-endian");

#pragma pack(push, 1)

// Description of an open module, filled by READ_MODULE_DESCRIPTION and written
// back into the factory area by SAVE_MODULE_DESCRIPTION. Bytes the program
// does not use are carried through unchanged.
struct ModuleDescription {
    uint8_t Reserved0[25];
    char Name[25]; // zero-terminated
    char SerialNumber[16]; // at most 16 bytes, no terminator when full
    char Revision; // 'A' or 'B'
    uint8_t Options; // bits 0-1 filter, 2-3 hardware grade, 4-5 firmware grade
    uint8_t Reserved1[1531];
    char FirmwareVersion[615]; // zero-terminated
    double AdcOffsetCoefs[128]; // index = input range * 4 + channel, 12 used
    double AdcScaleCoefs[128];
    uint8_t Reserved4262[256];
    uint32_t DacPresent; // non-zero when the module has the DAC outputs
    uint8_t Reserved2[25];
    double DacOffsetCoefs[128]; // index = DAC output, 2 used
    double DacScaleCoefs[128];
    uint8_t Reserved3[545];
};

// ADC parameters of one acquisition. The library may correct the rate and
// writes back the rate it accepted and the frame rate.
struct AdcParameters {
    uint32_t RevisionFlag; // 0 for a revision 'A' module, else 1
    uint8_t Reserved4[4]; // not written by the program
    uint16_t Zero8;
    uint32_t Zero10;
    uint16_t Zero14;
    uint32_t Zero16;
    uint16_t Zero20;
    uint16_t Zero22;
    uint16_t Zero24;
    uint8_t Zero26;
    uint16_t ChannelCount; // 1..4
    uint16_t ChannelTable[256]; // active channel numbers, ascending
    uint16_t InputRange[4]; // per channel: 0 = 3.0 V, 1 = 1.0 V, 2 = 0.3 V
    uint16_t InputConnectionMode[4]; // per channel: 0 own zero, 1 common ground
    double AdcRate; // kHz; the accepted rate on return
    double LinkSpeedParameter; // 0.01 on a full-speed link, else 0.0
    double KadrRate; // kHz, written by the library
    double AdcOffsetCoefs[3][4]; // [range][channel], ADC codes
    double AdcScaleCoefs[3][4];
};

// Status filled by CHECK_DATA_ERRORS; bit c of byte 0 means channel c overloaded.
struct DataStatus {
    uint8_t OverloadBits;
    uint8_t Reserved[29];
};

// A read request. It carries addresses: 20 bytes where pointers are 4 bytes
// (the library's own platform), 28 bytes with 8-byte pointers.
struct ReadRequest {
    int16_t* Buffer; // destination of the 16-bit codes
    uint32_t SampleCount;
    uint32_t Reserved; // left at zero
    platform::Overlapped* Overlapped;
    uint32_t TimeoutMs;
};

// The user-flash block read and written as a whole.
struct UserFlashBlock {
    uint8_t Bytes[512];
};

#pragma pack(pop)

static_assert(sizeof(ModuleDescription) == 7140, "ModuleDescription is 7140 bytes");
static_assert(offsetof(ModuleDescription, Name) == 25);
static_assert(offsetof(ModuleDescription, SerialNumber) == 50);
static_assert(offsetof(ModuleDescription, Revision) == 66);
static_assert(offsetof(ModuleDescription, Options) == 67);
static_assert(offsetof(ModuleDescription, FirmwareVersion) == 1599);
static_assert(offsetof(ModuleDescription, AdcOffsetCoefs) == 2214);
static_assert(offsetof(ModuleDescription, AdcScaleCoefs) == 3238);
static_assert(offsetof(ModuleDescription, DacPresent) == 4518);
static_assert(offsetof(ModuleDescription, DacOffsetCoefs) == 4547);
static_assert(offsetof(ModuleDescription, DacScaleCoefs) == 5571);

static_assert(sizeof(AdcParameters) == 773, "AdcParameters is 773 bytes");
static_assert(offsetof(AdcParameters, Zero8) == 8);
static_assert(offsetof(AdcParameters, Zero10) == 10);
static_assert(offsetof(AdcParameters, Zero14) == 14);
static_assert(offsetof(AdcParameters, Zero16) == 16);
static_assert(offsetof(AdcParameters, Zero20) == 20);
static_assert(offsetof(AdcParameters, Zero22) == 22);
static_assert(offsetof(AdcParameters, Zero24) == 24);
static_assert(offsetof(AdcParameters, Zero26) == 26);
static_assert(offsetof(AdcParameters, ChannelCount) == 27);
static_assert(offsetof(AdcParameters, ChannelTable) == 29);
static_assert(offsetof(AdcParameters, InputRange) == 541);
static_assert(offsetof(AdcParameters, InputConnectionMode) == 549);
static_assert(offsetof(AdcParameters, AdcRate) == 557);
static_assert(offsetof(AdcParameters, LinkSpeedParameter) == 565);
static_assert(offsetof(AdcParameters, KadrRate) == 573);
static_assert(offsetof(AdcParameters, AdcOffsetCoefs) == 581);
static_assert(offsetof(AdcParameters, AdcScaleCoefs) == 677);

static_assert(sizeof(DataStatus) == 30, "DataStatus is 30 bytes");
static_assert(sizeof(UserFlashBlock) == 512, "the user-flash block is 512 bytes");

static_assert(sizeof(ReadRequest) == 12 + 2 * sizeof(void*), "ReadRequest is 20 bytes with 4-byte pointers");
static_assert(offsetof(ReadRequest, SampleCount) == sizeof(void*));
static_assert(offsetof(ReadRequest, Reserved) == sizeof(void*) + 4);
static_assert(offsetof(ReadRequest, Overlapped) == sizeof(void*) + 8);
static_assert(offsetof(ReadRequest, TimeoutMs) == 2 * sizeof(void*) + 8);
