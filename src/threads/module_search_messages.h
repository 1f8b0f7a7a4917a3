#pragma once
// The texts a module search shows: its thread messages, the parts of the
// window caption and of the status hints. UTF-8; the system's own wording,
// odd letters included ("cлот" begins with a Latin c, "шинв" is as shown).

namespace module_search {

// Preparation.
extern const char* const kCannotCreateSettingsFile;
extern const char* const kCannotOpenSettingsFile;

// Finding and opening the module.
extern const char* const kWrongLibraryVersion; // followed by "\n", the found and the required version
extern const char* const kCurrentVersion;
extern const char* const kRequiredVersion;
extern const char* const kCannotLoadLibrary; // followed by the required version and the reason
extern const char* const kCannotGetInterface;
extern const char* const kCannotDescribeModuleDuringScan;
extern const char* const kNoModuleFound;
extern const char* const kCannotOpenSlotBefore; // + list position + kCannotOpenSlotAfter
extern const char* const kCannotOpenSlotAfter;

// Configuring the module.
extern const char* const kCannotQueryUsbSpeed;
extern const char* const kCannotLoadOwnFirmware;
extern const char* const kCannotDescribeModule;
extern const char* const kCannotLoadRevisionAFirmware;
extern const char* const kCannotLoadCommercialFirmware;
extern const char* const kCannotLoadIndustrialFirmware;
extern const char* const kUnknownGrade;
extern const char* const kUnknownRevision;
extern const char* const kFirmwareNotLoaded;
extern const char* const kCannotStopAcquisition;
extern const char* const kRevisionANotSupported;

// Applying the stored settings.
extern const char* const kCannotApplySettings;

// Caption.
extern const char* const kTitleBefore; // + "1.9" + kTitleAfter
extern const char* const kTitleAfter;
extern const char* const kConverterPart; // + module part + kConverterEnd
extern const char* const kConverterEnd;
extern const char* const kSerialPrefix;
extern const char* const kFirmwarePrefix; // after ", "
extern const char* const kUnknownModulePart;

// Status LED hints.
extern const char* const kLedUnknownHint;
extern const char* const kLedUnnamedOkHint;
extern const char* const kLedUnnamedBadHint;
extern const char* const kLedNamePrefix; // + name + one of the endings below
extern const char* const kLedBadEnding;
extern const char* const kLedHighSpeedEnding;
extern const char* const kLedFullSpeedEnding;

// Option byte texts.
extern const char* const kFilter125MHz;
extern const char* const kFilter500MHz;
extern const char* const kUnknownFilter;
extern const char* const kCommercialRange;
extern const char* const kIndustrialRange;

} // namespace module_search
