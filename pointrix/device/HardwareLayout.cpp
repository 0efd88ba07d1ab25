#include "pointrix/device/HardwareLayout.h"

HardwareLayout HardwareLayoutFor(int platformCode) {
  switch (platformCode) {
    case 9:
      return {1, L"KX-4410-QB", 12, 15};
    case 1:
      return {3, L"", 9, 12};
    case 11:
      return {4, L"KX-4411-QB", 11, 14};
    case 0:
      return {2, L"", 10, 13};
    default:
      return {0, L"", 10, 13};
  }
}

const std::array<int, kPicturePositions>& SlotTable(int hardwareType) {
  static const std::array<int, kPicturePositions> kTables[kHardwareTypes] = {
      {0, 1, 2, 3, 4, 5, 6, 14, 15, 7, 11, 12, 13, 0, 0, 0},
      {0, 1, 2, 3, 4, 14, 15, 10, 9, 11, 12, 13, 5, 6, 7, 8},
      {0, 1, 2, 3, 4, 5, 6, 14, 15, 7, 11, 12, 13, 0, 0, 0},
      {0, 1, 2, 3, 4, 5, 6, 14, 15, 11, 12, 13, 7, 8, 0, 0},
      {0, 1, 2, 3, 4, 5, 6, 14, 15, 7, 11, 10, 12, 13, 8, 9},
  };
  if (hardwareType < 0 || hardwareType >= kHardwareTypes) return kTables[0];
  return kTables[hardwareType];
}
