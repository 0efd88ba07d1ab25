#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "pointrix/device/CommandSet.h"
#include "pointrix/device/DeviceRegistry.h"
#include "pointrix/model/ButtonAssignment.h"
#include "pointrix/model/DeviceMemory.h"

// The one in-memory copy of the current device's settings: filled from the
// mouse in one pass, edited through setters that write each change back.
namespace pointrix {

// Progress of a long device operation, 0.0 to 1.0.
using ProgressFn = std::function<void(double)>;

struct ButtonEntry {
  ButtonAssignment assignment;
  std::wstring text;  // display text
};

struct ProfileSettings {
  bool set = false;  // false: untouched since a factory reset
  std::wstring name;
  int red = 0, green = 0, blue = 0;  // 0..3
  std::array<uint8_t, kKeyCycleSize> keyCycle = {};
  std::array<ButtonEntry, kButtonsPerProfile> buttons;
  std::array<ButtonEntry, kButtonsPerProfile> defaults;  // the device's factory functions
};

// One macro the mouse holds (empty slot: header address 0).
struct MacroSlot {
  std::wstring name;
  int headerAddress = 0;
  int codeAddress = 0;
  int totalSize = 0;
  int runType = 8;

  bool Used() const { return headerAddress != 0; }
};

struct DpiLevel {
  uint8_t x = 0, y = 0;
  bool changed = false;
};

struct ConfigState {
  bool loaded = false;
  int profileCount = 0;
  int dpiSliderCount = 0;
  int maxDpiCode = 0;  // upper bound of every DPI slider
  std::array<bool, kDpiLevels> dpiSliderEnabled = {};
  int currentProfile = 0;
  int currentDpiLevel = 0;
  std::array<DpiLevel, kDpiLevels> dpi;
  int pollingCode = 0;
  bool angleSnapping = false;
  uint16_t sensorValue = 0;
  bool pollingChanged = false, angleSnappingChanged = false, sensorChanged = false;
  uint32_t productionTime = 0;
  uint32_t highestAddress = kDefaultHighestAddress;  // memory size - 1
  int8_t firmwareByte = 0;
  uint8_t firmwareVersion = 0;
  uint8_t stateByte = 0;
  std::array<ProfileSettings, kProfiles> profiles;
  std::array<ButtonEntry, kButtonsPerProfile> physicalDefaults;  // of slots 0..15
  int soleLeftClickButton = -1;
  std::array<MacroSlot, kMacroSlots> macroSlots;
};

// Changed flags of the remote-control server: 25 entries of 4 flags, all set
// after every change that remote clients show.
class RemoteChangeFlags {
 public:
  static constexpr int kEntries = 25;
  static constexpr int kFlags = 4;
  void SetAll();
  // Reads and clears one flag.
  bool Take(int entry, int flag);
  bool Peek(int entry, int flag) const;

 private:
  std::array<std::array<std::atomic<bool>, kFlags>, kEntries> flags_ = {};
};

// What the model tells the rest of the program; every call may come from a
// worker thread.
class IConfigModelEvents {
 public:
  virtual ~IConfigModelEvents() = default;
  virtual void OnProgress(double /*fraction*/) {}
  // After a full read: the DPI display learns the current state.
  virtual void OnDpiDisplay(int /*level*/, int /*profile*/, bool /*angleSnapping*/) {}
  // Pulse of the library-reload event (a worker reloads the macro library).
  virtual void OnLibraryReload() {}
  // Reload the macro library now and repaint the macro windows.
  virtual void OnMacroLibraryChanged() {}
  // Pulse of the remote-control event after the changed flags were set.
  virtual void OnRemoteSettingsChanged() {}
};

class ConfigModel {
 public:
  ConfigModel(CommandSet& commands, DeviceRegistry& registry, IConfigModelEvents* events = nullptr);

  // Fills the model from the current device, or empties it without one.
  void ReadDeviceSettings();
  // Rewrites the whole settings memory with factory values, then reads the
  // model again. The caller has asked the user. False without a device.
  bool RestoreFactorySettings();
  // Device removal: back to the empty model.
  void Clear();

  // A consistent copy of everything.
  ConfigState Snapshot() const;
  bool IsBusy() const { return busy_.load(); }
  double Progress() const { return progress_.load(); }

  // --- Setters written at once ---
  void SelectProfile(int profile);
  void SelectDpiLevel(int level);
  void SetProfileColour(int profile, int red, int green, int blue);
  void SetProfileName(int profile, const std::wstring& name);
  void SetButtonAssignment(int profile, int button, ButtonAssignment assignment);
  // Between the default function and no function (the button menu's
  // restore-default entry).
  void ToggleButton(int profile, int button);

  // --- Setters the main window's timers write back later ---
  // Timer 3: with independent axes a slider sets its own code, otherwise both.
  void SetDpiCode(int level, bool xAxis, uint8_t code, bool independentAxes);
  void SetDpiCodes(int level, uint8_t x, uint8_t y);
  void FlushDpiChanges();
  void SetPollingInterval(int code);  // timer 4
  void FlushPollingInterval();
  void SetAngleSnapping(bool on);  // timer 5
  void FlushAngleSnapping();
  void SetSensorValue(uint16_t value);  // timer 9
  void FlushSensorValue();

  // A status report of the mouse. True when the current profile changed.
  bool ApplyStatusReport(int profile, int dpiLevel, uint8_t x, uint8_t y, bool angleSnapping,
                         uint16_t sensor);

  void UpdateSoleLeftClickButton();

  // --- Access for the macro memory ---
  ButtonEntry Button(int profile, int button) const;
  // Changes the model only (the caller writes the device).
  void StoreButton(int profile, int button, ButtonAssignment assignment);
  MacroSlot GetMacroSlot(int slot) const;
  void SetMacroSlot(int slot, const MacroSlot& value);
  std::array<MacroSlot, kMacroSlots> MacroSlots() const;
  int CurrentProfile() const;
  uint32_t HighestAddress() const;

  RemoteChangeFlags& RemoteFlags() { return remote_; }
  CommandSet& Commands() { return commands_; }
  bool HasDevice() const { return registry_.HasCurrentDevice(); }
  // Sets all remote flags and pulses the remote event.
  void SignalRemote();
  // The macros the mouse holds changed: the library list is rebuilt.
  void NotifyMacroLibraryChanged();

 private:
  void SetProgress(double fraction);
  static void ComputeSoleLeftClick(ConfigState& state, const DeviceRegistry& registry);

  CommandSet& commands_;
  DeviceRegistry& registry_;
  IConfigModelEvents* events_;
  mutable std::mutex mutex_;
  ConfigState state_;
  std::atomic<bool> busy_{false};
  std::atomic<double> progress_{0.0};
  RemoteChangeFlags remote_;
};

// "Profile 1" ... from the language string profile_str.
std::wstring DefaultProfileName(int profile);

}  // namespace pointrix
