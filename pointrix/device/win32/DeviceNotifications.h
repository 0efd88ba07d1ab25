#pragma once

#include <windows.h>

#include <string>

// Asks for device-interface arrival and removal broadcasts of HID interfaces
// to be sent to the window. Null on failure.
HDEVNOTIFY RegisterHidNotifications(HWND window);

// The interface path of a WM_DEVICECHANGE broadcast that the device link looks
// at (arrival or removal complete of a device interface); false for others.
bool ReadDeviceChange(WPARAM wParam, LPARAM lParam, std::wstring* path, bool* arrival);
