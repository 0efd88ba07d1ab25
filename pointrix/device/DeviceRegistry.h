#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// What the identity probe learned about one interface path.
struct DeviceRecord {
  int deviceNumber = 0;      // 1..255
  int platformCode = 3;      // selects the hardware type
  int8_t firmwareByte = 0;   // byte 5 of indexed string 199
  int8_t extraByte = 0;      // byte 7 of indexed string 199 on newer firmware
  uint8_t maxDpiCode = 0;    // upper bound of the DPI codes
  uint8_t classByte = 0;     // 5 for every enrolled device
  uint8_t identityByte = 0;  // reported to remote clients
  uint8_t firmwareVersion = 0;
  uint8_t stateByte = 0;
};

// The enrolled mice of the process: an ordered list of lower-case interface
// paths, their records (kept after a path leaves the list so a re-plugged mouse
// keeps its number), and the current-device state shared by all threads.
class DeviceRegistry {
 public:
  // The list, in order of enrolment.
  size_t Count() const;
  // Empty when the index is at or past the end.
  std::wstring PathAt(size_t index) const;
  std::vector<std::wstring> Paths() const;
  bool IsListed(const std::wstring& path) const;
  // Takes the transport lock, so no exchange is under way while the list shrinks.
  void RemoveDevice(const std::wstring& path);
  void Append(const std::wstring& path);

  // Records, keyed by the lower-case path; never removed.
  bool HasRecord(const std::wstring& path) const;
  DeviceRecord Record(const std::wstring& path) const;  // defaults when unknown
  void StoreRecord(const std::wstring& path, const DeviceRecord& record);
  int PlatformCode(const std::wstring& path) const;
  int DeviceNumber(const std::wstring& path) const;  // 0 when unknown

  // Current device (empty when none) and the device switcher's request.
  std::wstring CurrentPath() const;
  void SetCurrentPath(const std::wstring& path);
  bool HasCurrentDevice() const;
  // Device number of the current device, 0 without one; status reports from
  // other mice are recognised by it.
  int CurrentDeviceNumber() const;
  std::wstring RequestedPath() const;
  void SetRequestedPath(const std::wstring& path);

  // Hardware type 0..4 of the current device.
  int HardwareType() const { return hardwareType_.load(); }
  void SetHardwareType(int type) { hardwareType_.store(type); }

  // Cleared by the first connect run, which then enumerates all interfaces.
  bool TakeFirstConnect() { return firstConnect_.exchange(false); }
  bool IsFirstConnectPending() const { return firstConnect_.load(); }
  // Set while the connect sequence runs: editing is disabled meanwhile.
  bool IsBusy() const { return busy_.load(); }
  void SetBusy(bool busy) { busy_.store(busy); }

 private:
  mutable std::mutex mutex_;
  std::vector<std::wstring> paths_;
  std::map<std::wstring, DeviceRecord> records_;
  std::wstring currentPath_;
  std::wstring requestedPath_;
  std::atomic<int> hardwareType_{0};
  std::atomic<bool> firstConnect_{true};
  std::atomic<bool> busy_{false};
};

// ASCII lower case, as device paths are compared.
std::wstring LowerCasePath(const std::wstring& path);
// True when "mi_00" (interface 0 of a composite device) first appears at
// character index 3 or later.
bool HasInterfaceZeroMarker(const std::wstring& path);
