#pragma once
// How far the last module search got: the window's ModuleState byte, the one
// gate that every module-facing operation checks.

#include <cstdint>

enum ModuleStateCode : uint8_t {
    kNoModule = 0,
    // Found on the bus and its slot opened; not configured.
    kModuleSlotOpen = 1,
    // Firmware loaded and description read: ready for every operation.
    kModuleReady = 2,
};
