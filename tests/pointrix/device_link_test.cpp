#include <gtest/gtest.h>

#include <memory>

#include "pointrix/device/DeviceLink.h"
#include "tools/simmouse/SimMouse.h"

namespace {

// The hub stays owned by the test; the link gets a forwarding backend.
class Forward : public HidBackend {
 public:
  explicit Forward(HidBackend& to) : to_(to) {}
  std::vector<std::wstring> EnumerateInterfaces() override { return to_.EnumerateInterfaces(); }
  std::unique_ptr<HidDevice> Open(const std::wstring& path) override { return to_.Open(path); }
  bool ReadInputReport(const std::wstring& path, std::vector<uint8_t>* report) override {
    return to_.ReadInputReport(path, report);
  }

 private:
  HidBackend& to_;
};

TEST(DeviceLink, ConnectsAndDeliversTheCurrentMouseReports) {
  simmouse::SimMouseHub hub;
  const int first = hub.AddMouse(simmouse::StandardMouse(0));
  const int second = hub.AddMouse(simmouse::StandardMouse(1));
  DeviceLink link(std::make_unique<Forward>(hub), &hub.VirtualSleeper());
  EXPECT_TRUE(link.PollInputReports().empty());  // no current device yet
  link.Discovery().Connect(nullptr);
  ASSERT_EQ(link.Registry().CurrentDeviceNumber(), 1);

  hub.PressProfileButton(first, 4);
  hub.QueueWindowCommand(first, kWindowCommandShowMain);
  hub.QueueMotion(first, 3, -4, 1, false);
  hub.PressProfileButton(second, 2);  // another mouse: not polled for the current one
  // A report carrying another device number is dropped.
  hub.QueueInputReport(first, {0x0C, 0x0C, 0, 0, 0, 1, 0, 0, 0, 0, 0x0E, 2});
  const std::vector<VendorReport> reports = link.PollInputReports();
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[0].kind, VendorReportKind::kStatus);
  EXPECT_EQ(reports[0].status.profile, 4);
  EXPECT_EQ(reports[1].kind, VendorReportKind::kWindowCommand);
  EXPECT_EQ(reports[1].windowCommand, kWindowCommandShowMain);
  EXPECT_EQ(reports[2].kind, VendorReportKind::kMotion);
  EXPECT_EQ(reports[2].motion.dy, -4);
  EXPECT_TRUE(link.PollInputReports().empty());
}

}  // namespace
