#include <gtest/gtest.h>

#include <vector>

#include "pointrix/device/VendorReport.h"
#include "tools/simmouse/SimMouse.h"

namespace {

std::vector<uint8_t> Numbered(uint8_t type, std::vector<uint8_t> body, uint8_t number) {
  std::vector<uint8_t> r(12, 0);
  r[0] = type;
  r[1] = type;
  for (size_t i = 0; i < body.size(); ++i) r[2 + i] = body[i];
  r[11] = number;
  uint8_t sum = 0;
  for (size_t i = 1; i < r.size(); ++i) {
    if (i != 10) sum ^= r[i];
  }
  r[10] = sum;
  return r;
}

TEST(VendorReport, StatusReportIsCheckedAndDecoded) {
  const std::vector<uint8_t> r = Numbered(0x0C, {0x0B, 0x30, 0x31, 0x02, 0x81, 0x34, 0x12}, 2);
  const VendorReport own = DecodeVendorReport(r.data(), r.size(), 2);
  ASSERT_EQ(own.kind, VendorReportKind::kStatus);
  EXPECT_EQ(own.status.dpiLevel, 3);  // bits 0..2 only
  EXPECT_EQ(own.status.xCode, 0x30);
  EXPECT_EQ(own.status.yCode, 0x31);
  EXPECT_EQ(own.status.profile, 2);
  EXPECT_TRUE(own.status.angleSnapping);
  EXPECT_TRUE(own.status.scrollDpiMode);
  EXPECT_EQ(own.status.sensorValue, 0x1234);
  EXPECT_EQ(StatusReportText(own.status), L"ON\r\n\r\nScroll to change DPI");

  // Another mouse's report, a damaged one, or one with no current device is ignored.
  EXPECT_EQ(DecodeVendorReport(r.data(), r.size(), 1).kind, VendorReportKind::kNone);
  EXPECT_EQ(DecodeVendorReport(r.data(), r.size(), 0).kind, VendorReportKind::kNone);
  std::vector<uint8_t> damaged = r;
  damaged[4] ^= 0x01;
  EXPECT_EQ(DecodeVendorReport(damaged.data(), damaged.size(), 2).kind, VendorReportKind::kNone);
  // Too short to carry the device number.
  EXPECT_EQ(DecodeVendorReport(r.data(), 11, 2).kind, VendorReportKind::kNone);
}

TEST(VendorReport, OutOfRangeLevelsAreLimited) {
  const std::vector<uint8_t> r = Numbered(0x0C, {0x07, 0, 0, 0x07, 0x00}, 5);
  const VendorReport v = DecodeVendorReport(r.data(), r.size(), 5);
  ASSERT_EQ(v.kind, VendorReportKind::kStatus);
  EXPECT_EQ(v.status.dpiLevel, 4);
  EXPECT_EQ(v.status.profile, 4);
  EXPECT_EQ(StatusReportText(v.status), L"OFF");
}

TEST(VendorReport, MotionAndWindowCommands) {
  std::vector<uint8_t> motion = {0x0B, 0x0B, 0x01, 0, 0xFE, 0xFF, 0x05, 0x00, 0, 0xFD, 0};
  VendorReport m = DecodeVendorReport(motion.data(), motion.size(), 0);
  ASSERT_EQ(m.kind, VendorReportKind::kMotion);
  EXPECT_TRUE(m.motion.touchFlag);
  EXPECT_EQ(m.motion.dx, -2);
  EXPECT_EQ(m.motion.dy, 5);
  EXPECT_EQ(m.motion.tilt, -3);
  motion[0] = 0x01;  // motion needs report ID 0x0B as well
  EXPECT_EQ(DecodeVendorReport(motion.data(), motion.size(), 0).kind, VendorReportKind::kNone);
  EXPECT_EQ(DecodeVendorReport(motion.data(), 10, 0).kind, VendorReportKind::kNone);

  const std::vector<uint8_t> w = Numbered(0x0D, {kWindowCommandMinimizeFocused}, 9);
  const VendorReport wc = DecodeVendorReport(w.data(), w.size(), 9);
  ASSERT_EQ(wc.kind, VendorReportKind::kWindowCommand);
  EXPECT_EQ(wc.windowCommand, kWindowCommandMinimizeFocused);
  EXPECT_EQ(DecodeVendorReport(w.data(), w.size(), 8).kind, VendorReportKind::kNone);
  EXPECT_EQ(DecodeVendorReport(nullptr, 0, 9).kind, VendorReportKind::kNone);
}

TEST(VendorReport, SimulatedMouseButtonsProduceStatusReports) {
  simmouse::SimMouseHub hub;
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  DeviceTransport transport(hub, hub.VirtualSleeper());
  DeviceReport setNumber = MakeCommandReport(0x00, 0x01, 4);
  DeviceAnswer answer{};
  transport.SendDeviceCommand(setNumber, answer, hub.PathOf(id), 5);
  hub.PressProfileButton(id, 2);
  hub.PressDpiButton(id, 3);
  hub.ToggleAngleSnapping(id);
  std::vector<uint8_t> report;
  std::vector<StatusReport> seen;
  while (hub.ReadInputReport(hub.PathOf(id), &report)) {
    const VendorReport v = DecodeVendorReport(report.data(), report.size(), 4);
    ASSERT_EQ(v.kind, VendorReportKind::kStatus);
    seen.push_back(v.status);
  }
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].profile, 2);
  EXPECT_EQ(seen[1].dpiLevel, 3);
  EXPECT_EQ(seen[1].xCode, 0x40);  // factory table, level 3
  EXPECT_TRUE(seen[2].angleSnapping);
}

}  // namespace
