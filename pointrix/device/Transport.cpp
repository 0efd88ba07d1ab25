#include "pointrix/device/Transport.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

void SystemSleeper::SleepMs(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::mutex& TransportLock() {
  // Never destroyed: threads may still exchange reports while the process ends.
  static std::mutex* lock = new std::mutex;
  return *lock;
}

namespace {

bool IsReady(const std::vector<uint8_t>& buffer) { return (buffer[1] & kBusyBit) == 0; }

}  // namespace

bool DeviceTransport::ExchangeFeatureReport(HidDevice& device, DeviceReport& report, uint8_t* answer,
                                            size_t answerCapacity, size_t length, int delay) {
  ApplyReportChecksum(report);
  // A report too short to carry a status byte cannot be exchanged.
  if (length < 2) return false;

  // Transfers use buffers of the device's own length, so a device claiming a
  // long report never writes past the caller's answer or reads past the report.
  std::vector<uint8_t> in(length);
  std::vector<uint8_t> out(length, 0);

  std::unique_lock<std::mutex> lock(TransportLock());

  bool ready = false;
  for (int attempt = 0; attempt < kReadyPolls; ++attempt) {
    std::fill(in.begin(), in.end(), 0);
    if (device.GetFeature(in.data(), length) && IsReady(in)) {
      ready = true;
      break;
    }
    if (device.IsDisconnected()) break;
    sleeper_.SleepMs(1);
  }
  if (!ready) {
    device.CancelIo();
    return false;
  }

  report[0] = 0;
  std::memcpy(out.data(), report.data(), std::min(length, report.size()));
  device.SetFeature(out.data(), length);

  if (delay > 4) {
    sleeper_.SleepMs(2);
  } else if (delay > 0) {
    sleeper_.SleepMs(1);
  }
  if (delay < 0) return true;
  if (delay > 0) sleeper_.SleepMs(delay);

  for (int attempt = 0; attempt < kAnswerPolls; ++attempt) {
    if (answer && answerCapacity > 0) answer[0] = 0;
    in[0] = 0;
    if (device.GetFeature(in.data(), length) && IsReady(in)) {
      in[1] &= 0x3F;
      if (answer) std::memcpy(answer, in.data(), std::min(length, answerCapacity));
      if (delay > 4) {
        sleeper_.SleepMs(3);
      } else if (delay > 0) {
        sleeper_.SleepMs(1);
      }
      device.CancelIo();
      return true;
    }
    if (device.IsDisconnected()) break;
    sleeper_.SleepMs(1);
  }
  device.CancelIo();
  return false;
}

bool DeviceTransport::SendDeviceCommand(DeviceReport& report, uint8_t* answer, size_t answerCapacity,
                                        const std::wstring& path, int delay) {
  std::unique_ptr<HidDevice> device = backend_.Open(path);
  if (!device) return false;
  HidCaps caps;
  if (!device->GetCaps(&caps)) {
    device->CancelIo();
    return true;
  }
  if (caps.featureReportLength == 0) return false;
  ExchangeFeatureReport(*device, report, answer, answerCapacity, caps.featureReportLength, delay);
  device->CancelIo();
  return true;
}
