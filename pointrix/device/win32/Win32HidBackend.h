#pragma once

#include "pointrix/device/HidBackend.h"

// The HID class library and SetupAPI: every present HID interface, opened
// without read or write access (feature reports need none).
class Win32HidBackend : public HidBackend {
 public:
  std::vector<std::wstring> EnumerateInterfaces() override;
  std::unique_ptr<HidDevice> Open(const std::wstring& path) override;
};
