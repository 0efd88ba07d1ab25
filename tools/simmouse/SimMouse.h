#pragma once

// The simulated mouse: the firmware behaviour the configuration program relies
// on (feature reports with busy bit and checksum, identity strings, the command
// table, staging buffer and commit, aliased memory, default assignments, status
// and window reports), several mice at once, plug and unplug, fault injection
// and a timing model. SimMouseHub is a HidBackend, so tests run the real
// transport against it in-process; simmouse_server serves the same hub over
// loopback.

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "pointrix/device/DeviceReport.h"
#include "pointrix/device/HidBackend.h"
#include "pointrix/device/Transport.h"

namespace simmouse {

constexpr int kSlots = 80;  // 5 profiles x 16 buttons
constexpr size_t kSettingsSize = 1024;
constexpr size_t kStagingSize = 32;

using Assignment = std::array<uint8_t, 4>;  // type, p1, p2, p3

// What a simulated mouse is; the defaults make a supported mouse.
struct MouseConfig {
  std::wstring path;  // interface path; lower case is how it is matched
  std::string signature = "ARG";
  int8_t firmwareByte = 30;  // above 27: strings 198 and the extra byte count
  int8_t extraByte = 1;
  uint8_t platformCode = 9;  // byte 0 of string 198
  uint8_t classByte = 5;     // byte 1 of string 198 and identity answer byte 6
  uint8_t identityByte = 0x21;
  uint8_t maxDpiCode = 0xA0;  // 8000 dots per inch
  uint8_t firmwareVersion = 0x15;
  uint8_t stateByte = 0x01;
  uint8_t profileCount = 5;
  uint8_t dpiSliderCount = 4;
  uint32_t productionTime = 1500000000u;
  size_t memorySize = 16 * 1024;  // 8, 16, 32 or 64 KiB
  HidCaps caps{1, 2, 9, 12};      // usage page, usage, feature and input report lengths
  bool capsReadable = true;
  bool stringsReadable = true;
  std::array<Assignment, kSlots> defaults = {};  // factory function of each slot
};

// A supported mouse with interface path number `index` (distinct paths for
// several mice).
MouseConfig StandardMouse(int index = 0);
// The factory button functions: left, right, middle, back, forward, DPI up,
// DPI down, profile switch, the rest no function; the same in every profile.
std::array<Assignment, kSlots> FactoryDefaults();
// The settings image after a factory reset, padded with zeros to `size`.
std::vector<uint8_t> FactoryMemory(size_t size);

enum class Fault {
  kNone,
  kStaysBusy,          // every feature read reports busy
  kNeverAnswers,       // after the next write every read reports busy
  kDropsWrites,        // writes are accepted and ignored
  kUnplugMidTransfer,  // unplugged after a number of further transfers
};

// Timing model: each feature-report transfer costs `transferMicros`, counted on
// the hub's virtual clock, and also waited for in real time when `realTime`.
struct Timing {
  int transferMicros = 1000;
  bool realTime = false;
};

// A snapshot of a mouse's live state.
struct MouseState {
  bool plugged = false;
  uint8_t deviceNumber = 0;
  int profile = 0;
  int dpiLevel = 0;
  uint8_t liveX = 0, liveY = 0;
  bool angleSnapping = false;
  bool scrollDpiMode = false;
  uint16_t sensorValue = 0;
  std::array<uint8_t, 5> liveColours = {};
  uint16_t remoteValue = 0;
  int startCount = 0;
  int setNumberCount = 0;
  int reloadSettingsCount = 0;
  int reloadButtonsCount = 0;
  int reloadDpiCount = 0;
  int reloadColourCount = 0;
  int badChecksumCount = 0;
  std::array<uint8_t, kStagingSize> staging = {};
};

// Counts of the feature-report transfers a mouse has seen.
struct TransferCounts {
  int reads = 0;
  int writes = 0;
};

class SimMouseHub : public HidBackend {
 public:
  explicit SimMouseHub(Timing timing = {});
  ~SimMouseHub() override;
  SimMouseHub(const SimMouseHub&) = delete;
  SimMouseHub& operator=(const SimMouseHub&) = delete;

  // Adds a mouse (plugged in) and returns its id.
  int AddMouse(const MouseConfig& config);
  // Another HID interface that is not the mouse's configuration interface.
  void AddOtherInterface(const std::wstring& path, const HidCaps& caps);
  void Plug(int id);
  void Unplug(int id);
  int MouseCount() const;
  std::wstring PathOf(int id) const;
  // Id of the mouse with that path (any case), -1 when none.
  int FindMouse(const std::wstring& path) const;

  // Fault injection. For kUnplugMidTransfer the mouse leaves after `after`
  // more transfers.
  void SetFault(int id, Fault fault, int after = 0);
  // The next `reads` feature reads report busy.
  void SetBusyReads(int id, int reads);
  // After every write the first `reads` feature reads report busy (processing time).
  void SetAnswerLatency(int id, int reads);

  // Memory and state.
  std::vector<uint8_t> Memory(int id) const;
  void WriteMemory(int id, uint32_t address, const std::vector<uint8_t>& bytes);
  MouseState State(int id) const;
  TransferCounts Counts(int id) const;
  // Every report written to the mouse, in order (also those it ignored).
  std::vector<DeviceReport> Written(int id) const;
  void ClearLog(int id);

  // The mouse's own buttons: change the state and queue a status report.
  void PressProfileButton(int id, int profile);
  void PressDpiButton(int id, int level);
  void ToggleAngleSnapping(int id);
  void SetScrollDpiMode(int id, bool on);
  void QueueWindowCommand(int id, int command);
  void QueueMotion(int id, int16_t dx, int16_t dy, int8_t tilt, bool touch);
  // Queues any raw input report as it is.
  void QueueInputReport(int id, const std::vector<uint8_t>& report);

  // Time spent in transfers and in sleeps of the attached sleeper.
  uint64_t ElapsedMicros() const;
  // A sleeper that advances the hub's virtual clock instead of waiting, for
  // the transport under test.
  Sleeper& VirtualSleeper();
  // The milliseconds the virtual sleeper was asked for, in order.
  std::vector<int> Sleeps() const;
  void ClearSleeps();

  // HidBackend.
  std::vector<std::wstring> EnumerateInterfaces() override;
  std::unique_ptr<HidDevice> Open(const std::wstring& path) override;
  bool ReadInputReport(const std::wstring& path, std::vector<uint8_t>* report) override;

  // Used by the device handles.
  bool HandleGetCaps(int id, uint64_t generation, HidCaps* caps);
  bool HandleGetFeature(int id, uint64_t generation, uint8_t* buffer, size_t length);
  bool HandleSetFeature(int id, uint64_t generation, const uint8_t* buffer, size_t length);
  bool HandleGetString(int id, uint64_t generation, int index, uint8_t* buffer, size_t length);
  bool HandleConnected(int id, uint64_t generation) const;

 private:
  struct Mouse;
  struct Other {
    std::wstring path;
    HidCaps caps;
  };
  class TimeSleeper;

  Mouse* Get(int id);
  const Mouse* Get(int id) const;
  bool Usable(const Mouse& m, uint64_t generation) const;
  void Transfer(Mouse& m);
  void Execute(Mouse& m, const DeviceReport& report);
  void QueueStatus(Mouse& m);
  void AddSleep(int ms);

  mutable std::mutex mutex_;
  Timing timing_;
  std::vector<std::unique_ptr<Mouse>> mice_;
  std::vector<Other> others_;
  uint64_t clockMicros_ = 0;
  std::vector<int> sleeps_;
  std::unique_ptr<TimeSleeper> sleeper_;
};

}  // namespace simmouse
