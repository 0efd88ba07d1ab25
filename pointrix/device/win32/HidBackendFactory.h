#pragma once

#include <memory>

#include "pointrix/device/HidBackend.h"

// The HID backend of the process: the simulated mouse's server when the
// environment variable POINTRIX_SIMULATED_DEVICE names one ("host:port"),
// otherwise the system's HID devices. A malformed value gives the system
// backend; the choice is never made silently from what is attached.
std::unique_ptr<HidBackend> CreateHidBackend();

// True when POINTRIX_SIMULATED_DEVICE selects the simulated backend.
bool IsSimulatedDeviceSelected();
