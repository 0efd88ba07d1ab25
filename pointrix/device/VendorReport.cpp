#include "pointrix/device/VendorReport.h"

#include <algorithm>

namespace {

constexpr uint8_t kMotionType = 0x0B;
constexpr uint8_t kStatusType = 0x0C;
constexpr uint8_t kWindowType = 0x0D;
// Status and window reports carry the device number in byte 11.
constexpr size_t kNumberedReportLength = 12;

int16_t Int16At(const uint8_t* data, size_t at) {
  return static_cast<int16_t>(static_cast<uint16_t>(data[at] | data[at + 1] << 8));
}

// Checks that protect the model from other mice and from damaged reports.
bool IsOwnReport(const uint8_t* data, size_t length, int currentDeviceNumber) {
  if (length < kNumberedReportLength || currentDeviceNumber < 1) return false;
  uint8_t sum = 0;
  for (size_t i = 1; i < length; ++i) sum ^= data[i];
  return sum == 0 && data[11] == currentDeviceNumber;
}

}  // namespace

VendorReport DecodeVendorReport(const uint8_t* data, size_t length, int currentDeviceNumber) {
  VendorReport report;
  if (!data || length < kMinVendorReportLength) return report;
  const uint8_t type = data[1];
  if (type == kMotionType && data[0] == kMotionType) {
    report.kind = VendorReportKind::kMotion;
    report.motion.touchFlag = (data[2] & 0x01) != 0;
    report.motion.dx = Int16At(data, 4);
    report.motion.dy = Int16At(data, 6);
    report.motion.tilt = static_cast<int8_t>(data[9]);
  } else if (type == kStatusType && IsOwnReport(data, length, currentDeviceNumber)) {
    report.kind = VendorReportKind::kStatus;
    StatusReport& s = report.status;
    s.dpiLevel = std::min(data[2] & 0x07, 4);
    s.xCode = data[3];
    s.yCode = data[4];
    // Five profiles: a larger value from a damaged report must not index past them.
    s.profile = std::min(data[5] & 0x07, 4);
    s.angleSnapping = (data[6] & 0x01) != 0;
    s.scrollDpiMode = (data[6] & 0x80) != 0;
    s.sensorValue = static_cast<uint16_t>(data[7] | data[8] << 8);
  } else if (type == kWindowType && IsOwnReport(data, length, currentDeviceNumber)) {
    report.kind = VendorReportKind::kWindowCommand;
    report.windowCommand = data[2];
  }
  return report;
}

std::wstring StatusReportText(const StatusReport& status) {
  std::wstring text = status.angleSnapping ? L"ON" : L"OFF";
  if (status.scrollDpiMode) text += L"\r\n\r\nScroll to change DPI";
  return text;
}
