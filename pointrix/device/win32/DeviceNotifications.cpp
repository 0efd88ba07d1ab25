#include "pointrix/device/win32/DeviceNotifications.h"

#include <dbt.h>

namespace {

// The class of HID interfaces.
const GUID kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

}  // namespace

HDEVNOTIFY RegisterHidNotifications(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kHidInterfaceClass;
  return RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

bool ReadDeviceChange(WPARAM wParam, LPARAM lParam, std::wstring* path, bool* arrival) {
  if (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE) return false;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
  const auto* item = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
  // The name runs to the end of the broadcast; never read past its size.
  const size_t offset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
  if (header->dbch_size <= offset) return false;
  const size_t room = (header->dbch_size - offset) / sizeof(wchar_t);
  size_t length = 0;
  while (length < room && item->dbcc_name[length] != L'\0') ++length;
  path->assign(item->dbcc_name, length);
  *arrival = wParam == DBT_DEVICEARRIVAL;
  return true;
}
