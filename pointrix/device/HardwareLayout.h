#pragma once

#include <array>

// What the hardware type of the current device selects.
struct HardwareLayout {
  int type = 0;                    // 0..4
  const wchar_t* modelName = L"";  // empty when the type has no name of its own
  int pictureButtons = 10;         // buttons shown in the picture
  int remoteButtons = 13;          // reported to remote clients
};

constexpr int kHardwareTypes = 5;
constexpr int kPicturePositions = 16;

// The layout for a device's platform code (3 when the device gave none).
HardwareLayout HardwareLayoutFor(int platformCode);

// Button index in the configuration model of each picture position of the
// hardware type (the row of type 0 for a type out of range).
const std::array<int, kPicturePositions>& SlotTable(int hardwareType);
