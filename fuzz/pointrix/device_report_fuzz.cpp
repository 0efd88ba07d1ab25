// Vendor input reports from the mouse: decoded for any bytes and any current
// device number, never read past their length.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pointrix/device/VendorReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int number = data[0];
  // A copy of exactly the report's length, so any read past it is caught.
  std::vector<uint8_t> report(data + 1, data + size);
  const VendorReport decoded = DecodeVendorReport(report.data(), report.size(), number);
  if (decoded.kind == VendorReportKind::kStatus) {
    if (decoded.status.dpiLevel > 4 || decoded.status.profile > 4) __builtin_trap();
    (void)StatusReportText(decoded.status);
  }
  return 0;
}
