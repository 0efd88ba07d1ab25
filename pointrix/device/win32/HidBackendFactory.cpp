#include "pointrix/device/win32/HidBackendFactory.h"

#include <windows.h>

#include <string>

#include "pointrix/device/SimLink.h"
#include "pointrix/device/win32/Win32HidBackend.h"
#include "pointrix/device/win32/WinsockSimLinkChannel.h"

namespace {

bool SimulatedAddress(std::string* host, uint16_t* port) {
  wchar_t value[256];
  const DWORD length = GetEnvironmentVariableW(L"POINTRIX_SIMULATED_DEVICE", value, 256);
  if (length == 0 || length >= 256) return false;
  return ParseSimLinkAddress(SimLinkUtf8(std::wstring(value, length)), host, port);
}

}  // namespace

bool IsSimulatedDeviceSelected() {
  std::string host;
  uint16_t port = 0;
  return SimulatedAddress(&host, &port);
}

std::unique_ptr<HidBackend> CreateHidBackend() {
  std::string host;
  uint16_t port = 0;
  if (SimulatedAddress(&host, &port)) {
    return std::make_unique<SimLinkBackend>(std::make_unique<WinsockSimLinkChannel>(host, port));
  }
  return std::make_unique<Win32HidBackend>();
}
