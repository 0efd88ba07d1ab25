#include "pointrix/device/win32/Win32HidBackend.h"

#include <windows.h>

#include <setupapi.h>

#include <winternl.h>

// The HID headers lack C++ linkage markers; they need NTSTATUS from winternl.h.
extern "C" {
#include <hidsdi.h>
}

#include <vector>

namespace {

bool IsGoneError(DWORD error) {
  return error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_DEVICE_REMOVED ||
         error == ERROR_DEV_NOT_EXIST || error == ERROR_INVALID_HANDLE;
}

class Win32HidDevice : public HidDevice {
 public:
  explicit Win32HidDevice(HANDLE handle) : handle_(handle) {}
  ~Win32HidDevice() override { CloseHandle(handle_); }
  Win32HidDevice(const Win32HidDevice&) = delete;
  Win32HidDevice& operator=(const Win32HidDevice&) = delete;

  bool GetCaps(HidCaps* caps) override {
    PHIDP_PREPARSED_DATA data = nullptr;
    if (!HidD_GetPreparsedData(handle_, &data)) return false;
    HIDP_CAPS hidCaps{};
    const NTSTATUS status = HidP_GetCaps(data, &hidCaps);
    HidD_FreePreparsedData(data);
    if (status != HIDP_STATUS_SUCCESS) return false;
    caps->usagePage = hidCaps.UsagePage;
    caps->usage = hidCaps.Usage;
    caps->featureReportLength = hidCaps.FeatureReportByteLength;
    caps->inputReportLength = hidCaps.InputReportByteLength;
    return true;
  }

  bool GetFeature(uint8_t* buffer, size_t length) override {
    return Track(HidD_GetFeature(handle_, buffer, static_cast<ULONG>(length)));
  }

  bool SetFeature(const uint8_t* buffer, size_t length) override {
    std::vector<uint8_t> copy(buffer, buffer + length);
    return Track(HidD_SetFeature(handle_, copy.data(), static_cast<ULONG>(length)));
  }

  bool GetIndexedString(int index, uint8_t* buffer, size_t length) override {
    return Track(
        HidD_GetIndexedString(handle_, static_cast<ULONG>(index), buffer, static_cast<ULONG>(length)));
  }

  void CancelIo() override { ::CancelIo(handle_); }

  bool IsDisconnected() const override { return gone_; }

 private:
  bool Track(BOOLEAN ok) {
    if (!ok && IsGoneError(GetLastError())) gone_ = true;
    return ok != FALSE;
  }

  HANDLE handle_;
  bool gone_ = false;
};

}  // namespace

std::vector<std::wstring> Win32HidBackend::EnumerateInterfaces() {
  std::vector<std::wstring> paths;
  GUID hidGuid;
  HidD_GetHidGuid(&hidGuid);
  HDEVINFO set = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return paths;
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA item{};
    item.cbSize = sizeof item;
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &item)) {
      if (GetLastError() == ERROR_NO_MORE_ITEMS) break;
      continue;
    }
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &item, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    // DWORD-aligned storage for the variable-length detail record.
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (SetupDiGetDeviceInterfaceDetailW(set, &item, detail, size, nullptr, nullptr)) {
      paths.emplace_back(detail->DevicePath);
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return paths;
}

std::unique_ptr<HidDevice> Win32HidBackend::Open(const std::wstring& path) {
  SECURITY_ATTRIBUTES security{};
  security.nLength = sizeof security;
  security.bInheritHandle = TRUE;
  HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, &security, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32HidDevice>(handle);
}
