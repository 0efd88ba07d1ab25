#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the HID parser says about an interface.
struct HidCaps {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  uint16_t featureReportLength = 0;
  uint16_t inputReportLength = 0;
};

// An open HID interface. Destroying it closes the handle.
class HidDevice {
 public:
  virtual ~HidDevice() = default;

  // False when the parser data of the interface cannot be read.
  virtual bool GetCaps(HidCaps* caps) = 0;
  // Feature report transfers of exactly `length` bytes; byte 0 is the report ID.
  virtual bool GetFeature(uint8_t* buffer, size_t length) = 0;
  virtual bool SetFeature(const uint8_t* buffer, size_t length) = 0;
  // Raw bytes of indexed string `index`, at most `length` of them; the rest of
  // the buffer is left as it was.
  virtual bool GetIndexedString(int index, uint8_t* buffer, size_t length) = 0;
  // Cancels pending I/O on the handle.
  virtual void CancelIo() = 0;
  // True once a transfer failed because the device is gone: an exchange in
  // progress then ends at once instead of polling a device that left.
  virtual bool IsDisconnected() const { return false; }
};

// Reaches HID interfaces: the Windows HID library, or a simulated mouse.
class HidBackend {
 public:
  virtual ~HidBackend() = default;

  // Interface paths of all present HID interfaces.
  virtual std::vector<std::wstring> EnumerateInterfaces() = 0;
  // Null when the path cannot be opened.
  virtual std::unique_ptr<HidDevice> Open(const std::wstring& path) = 0;
  // The next vendor input report of the interface, for backends whose devices
  // do not arrive as raw input; false when none is waiting.
  virtual bool ReadInputReport(const std::wstring& path, std::vector<uint8_t>* report) {
    (void)path;
    (void)report;
    return false;
  }
};
