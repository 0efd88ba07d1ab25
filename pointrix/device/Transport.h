#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "pointrix/device/DeviceReport.h"
#include "pointrix/device/HidBackend.h"

// Waits a number of milliseconds. Injected so that timing rules can be checked
// without waiting.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepMs(int ms) = 0;
};

// Sleeps on the calling thread.
class SystemSleeper : public Sleeper {
 public:
  void SleepMs(int ms) override;
};

// The one process-wide lock held for each single report exchange; the device
// registry takes it too when it removes a path.
std::mutex& TransportLock();

// Frames, paces and exchanges 9-byte feature reports with the mouse.
class DeviceTransport {
 public:
  static constexpr int kReadyPolls = 31;
  static constexpr int kAnswerPolls = 201;

  DeviceTransport(HidBackend& backend, Sleeper& sleeper) : backend_(backend), sleeper_(sleeper) {}

  // One exchange on an open device. `report` gets its checksum and report ID
  // written in place. `length` is the device's feature report length; at most
  // `answerCapacity` bytes of the answer are stored, whatever that length is.
  // Delay: negative = write only; 0 = read at once; 1..4 and 5+ pace the
  // exchange with 1/1 ms or 2/3 ms around the delay. False when the device
  // never became ready or never answered.
  bool ExchangeFeatureReport(HidDevice& device, DeviceReport& report, uint8_t* answer, size_t answerCapacity,
                             size_t length, int delay);

  // Opens the path, runs one exchange with the device's feature report length
  // and closes it again. True when the path could be opened: callers that need
  // the answer clear their buffer first, so a failed exchange reads as zeros.
  bool SendDeviceCommand(DeviceReport& report, uint8_t* answer, size_t answerCapacity,
                         const std::wstring& path, int delay);
  bool SendDeviceCommand(DeviceReport& report, DeviceAnswer& answer, const std::wstring& path, int delay) {
    return SendDeviceCommand(report, answer.data(), answer.size(), path, delay);
  }

  HidBackend& Backend() { return backend_; }
  Sleeper& GetSleeper() { return sleeper_; }

 private:
  HidBackend& backend_;
  Sleeper& sleeper_;
};
