#include "pointrix/device/DeviceLink.h"

DeviceLink::DeviceLink(std::unique_ptr<HidBackend> backend, Sleeper* sleeper)
    : backend_(std::move(backend)),
      transport_(*backend_, sleeper ? *sleeper : systemSleeper_),
      commands_(transport_, registry_),
      discovery_(transport_, registry_, commands_) {}

std::vector<VendorReport> DeviceLink::PollInputReports(size_t limit) {
  std::vector<VendorReport> reports;
  const std::wstring path = registry_.CurrentPath();
  if (path.empty()) return reports;
  const int number = registry_.CurrentDeviceNumber();
  std::vector<uint8_t> raw;
  for (size_t i = 0; i < limit && backend_->ReadInputReport(path, &raw); ++i) {
    const VendorReport report = DecodeVendorReport(raw.data(), raw.size(), number);
    if (report.kind != VendorReportKind::kNone) reports.push_back(report);
  }
  return reports;
}
