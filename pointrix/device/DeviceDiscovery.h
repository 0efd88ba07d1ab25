#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "pointrix/device/CommandSet.h"
#include "pointrix/device/DeviceRegistry.h"
#include "pointrix/device/HardwareLayout.h"
#include "pointrix/device/Transport.h"

// What the main window has to do after a device-change event.
struct DeviceChangeResult {
  bool repaint = false;
  // The current device left: close the editing dialogs, reload the macro
  // library and tell the remote-control server.
  bool currentRemoved = false;
  // Restart the connect timer with 500 ms so that another device is looked for.
  bool restartConnectTimer = false;
};

// Finds the mouse's configuration interface among all HID interfaces, enrols
// each supported mouse in the registry and chooses the current device.
class DeviceDiscovery {
 public:
  static constexpr int kSignatureString = 199;
  static constexpr int kPlatformString = 198;
  static constexpr uint8_t kSupportedClass = 5;

  DeviceDiscovery(DeviceTransport& transport, DeviceRegistry& registry, CommandSet& commands)
      : transport_(transport), registry_(registry), commands_(commands) {}

  // Registers every present HID interface.
  void EnumerateDevices();
  // Opens and has feature report length 9, usage page 1, usage 2.
  bool IsCandidateInterface(const std::wstring& path);
  // Identity probe and enrolment; true for a supported mouse (also when it was
  // already enrolled, and for one whose class byte keeps it out of the list).
  bool RegisterDevice(const std::wstring& path);

  // Device-interface arrival and removal (the path as broadcast).
  DeviceChangeResult OnDeviceArrival(const std::wstring& path);
  DeviceChangeResult OnDeviceRemoval(const std::wstring& path);
  // For backends without device-change broadcasts (the simulated mouse):
  // compares the present interfaces with those of the last call and handles
  // each removal and arrival as its broadcast would. Call from one thread.
  DeviceChangeResult PollDeviceChanges();

  // The connect sequence. `readSettings` fills the configuration model from the
  // current device (or resets it when there is none). `switcherFaded` is polled
  // every 10 ms before a requested device is taken; null means faded already.
  void Connect(const std::function<void()>& readSettings,
               const std::function<bool()>& switcherFaded = nullptr);

  // The device switcher: listed paths other than the current one, in order;
  // choosing entry j (0-based) requests that path. False for a bad index.
  std::vector<std::wstring> SwitcherEntries() const;
  bool ChooseSwitcherEntry(size_t index);

 private:
  uint8_t ChooseDeviceNumber() const;

  DeviceTransport& transport_;
  DeviceRegistry& registry_;
  CommandSet& commands_;
  std::set<std::wstring> lastSeen_;
  bool polled_ = false;
};
