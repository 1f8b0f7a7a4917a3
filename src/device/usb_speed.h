#pragma once
// The link speed byte QUERY_USB_SPEED reports. Only 1 means a high-speed
// link; every other value is taken as full speed.

#include <cstdint>

enum UsbSpeedCode : uint8_t {
    kUsbFullSpeed = 0, // 12 Mbit/s
    kUsbHighSpeed = 1, // 480 Mbit/s
};
