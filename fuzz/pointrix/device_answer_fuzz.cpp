// Whatever a HID interface answers (capabilities, indexed strings, feature
// reports of any claimed length, failures), enrolment and memory reads stay
// within their buffers and end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pointrix/device/DeviceDiscovery.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Done() const { return at_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

class FuzzDevice : public HidDevice {
 public:
  FuzzDevice(Input& in, const HidCaps& caps) : in_(in), caps_(caps) {}
  bool GetCaps(HidCaps* caps) override {
    *caps = caps_;
    return (in_.Byte() & 0x0F) != 0;
  }
  bool GetFeature(uint8_t* buffer, size_t length) override {
    const uint8_t control = in_.Byte();
    if ((control & 0x07) == 0) return false;
    for (size_t i = 0; i < length; ++i) buffer[i] = in_.Byte();
    return true;
  }
  bool SetFeature(const uint8_t* buffer, size_t length) override {
    uint8_t sum = 0;
    for (size_t i = 0; i < length; ++i) sum ^= buffer[i];
    (void)sum;
    return true;
  }
  bool GetIndexedString(int, uint8_t* buffer, size_t length) override {
    const size_t n = std::min<size_t>(in_.Byte(), length);
    for (size_t i = 0; i < n; ++i) buffer[i] = in_.Byte();
    return n > 0;
  }
  void CancelIo() override {}
  bool IsDisconnected() const override { return in_.Done(); }

 private:
  Input& in_;
  HidCaps caps_;
};

class FuzzBackend : public HidBackend {
 public:
  explicit FuzzBackend(Input& in) : in_(in) {}
  std::vector<std::wstring> EnumerateInterfaces() override {
    return {L"\\\\?\\hid#vid_1e7d&pid_2e4a&mi_00#a", L"\\\\?\\hid#vid_1e7d&pid_2e4a&mi_00#b"};
  }
  std::unique_ptr<HidDevice> Open(const std::wstring&) override {
    if (in_.Done()) return nullptr;
    HidCaps caps;
    caps.usagePage = 1;
    caps.usage = 2;
    // Any claimed length, up to a few hundred bytes, to try the answer buffers.
    caps.featureReportLength = static_cast<uint16_t>(in_.Byte() % 4 == 0 ? in_.Byte() * 2 : 9);
    return std::make_unique<FuzzDevice>(in_, caps);
  }

 private:
  Input& in_;
};

class NoSleep : public Sleeper {
 public:
  void SleepMs(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  FuzzBackend backend(in);
  NoSleep sleeper;
  DeviceTransport transport(backend, sleeper);
  DeviceRegistry registry;
  CommandSet commands(transport, registry);
  DeviceDiscovery discovery(transport, registry, commands);
  discovery.Connect(nullptr);
  if (registry.HasCurrentDevice()) {
    std::vector<uint8_t> memory(40);
    commands.ReadMemory(0, memory.data(), static_cast<int>(memory.size()));
    (void)commands.QueryDefaultAssignment(3);
    (void)commands.ProbeMemorySize();
  }
  return 0;
}
