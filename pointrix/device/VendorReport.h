#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Motion report (type 0x0B).
struct MotionReport {
  bool touchFlag = false;  // byte 2 bit 0: virtual touch
  int16_t dx = 0;          // bytes 4..5
  int16_t dy = 0;          // bytes 6..7
  int8_t tilt = 0;         // byte 9: horizontal tilt steps
};

// Status report (type 0x0C): the mouse's own buttons changed something.
struct StatusReport {
  int dpiLevel = 0;  // 0..4
  uint8_t xCode = 0;
  uint8_t yCode = 0;
  int profile = 0;  // 0..4
  bool angleSnapping = false;
  bool scrollDpiMode = false;
  uint16_t sensorValue = 0;
};

enum class VendorReportKind { kNone, kMotion, kStatus, kWindowCommand };

struct VendorReport {
  VendorReportKind kind = VendorReportKind::kNone;
  MotionReport motion;
  StatusReport status;
  int windowCommand = 0;  // 1 bring the main window up, 2 minimise the focused window
};

constexpr size_t kMinVendorReportLength = 11;
constexpr int kWindowCommandShowMain = 1;
constexpr int kWindowCommandMinimizeFocused = 2;

// Decodes one raw input report of the mouse. Status and window commands count
// only with a zero XOR over bytes 1..end and byte 11 equal to the current
// device number; anything else is kNone.
VendorReport DecodeVendorReport(const uint8_t* data, size_t length, int currentDeviceNumber);

// What the DPI display shows for a status report.
std::wstring StatusReportText(const StatusReport& status);
