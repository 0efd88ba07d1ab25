#include "pointrix/device/DeviceReport.h"

uint8_t ReportChecksum(const DeviceReport& report) {
  uint8_t sum = 0;
  for (size_t i = 1; i <= 7; ++i) sum ^= report[i];
  return sum;
}

void ApplyReportChecksum(DeviceReport& report) {
  if (report[1] != kStageDataCommand) report[8] = ReportChecksum(report);
}

DeviceReport MakeCommandReport(uint8_t command, uint8_t b2, uint8_t b3, uint8_t b4, uint8_t b5, uint8_t b6) {
  DeviceReport report{0, command, b2, b3, b4, b5, b6, kReportTag, 0};
  ApplyReportChecksum(report);
  return report;
}
