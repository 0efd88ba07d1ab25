#pragma once

#include <cstdint>
#include <string>

#include "pointrix/device/DeviceRegistry.h"
#include "pointrix/device/DeviceReport.h"
#include "pointrix/device/Transport.h"

// Answer to the identity query (command 0x00/0x02/0x00).
struct IdentityAnswer {
  uint8_t identityByte = 0;   // answer byte 2
  char chars[3] = {0, 0, 0};  // answer bytes 3..5
  uint8_t classByte = 0;      // answer byte 6
  uint8_t maxDpiCode = 0;     // answer byte 7
};

// Answer to the state query (command 0x00/0x00).
struct StateAnswer {
  uint8_t firmwareVersion = 0;  // answer byte 6
  uint8_t stateByte = 0;        // answer byte 8
};

// Answer to the capacity query, already limited to what the program handles.
struct CapacityAnswer {
  int profileCount = 0;    // at most 5
  int dpiSliderCount = 0;  // at most 4
};

// Answer to the status query.
struct StatusAnswer {
  int dpiLevel = 0;  // bits 0..2 of byte 2
  int profile = 0;   // byte 7
};

// The factory function of a button slot (type, p1, p2, p3 as in device memory);
// a type above 26 is already taken as 1.
struct DefaultAssignment {
  uint8_t type = 0;
  uint8_t p1 = 0;
  uint8_t p2 = 0;
  uint8_t p3 = 0;
};

// Every request the program sends to the mouse. Requests without a path go to
// the current device of the registry and do nothing (reads give zeros) when
// there is none. A request that the mouse does not answer reads as zeros;
// writes are not confirmed.
class CommandSet {
 public:
  // Delays of the exchange modes used by the requests.
  static constexpr int kWriteOnly = -1;

  CommandSet(DeviceTransport& transport, const DeviceRegistry& registry)
      : transport_(transport), registry_(registry) {}

  // One request to a path; `answer` (optional) is cleared first. Returns what
  // SendDeviceCommand returns (whether the path could be opened).
  bool Request(const std::wstring& path, DeviceReport report, int delay, DeviceAnswer* answer = nullptr);

  // --- Identity and state (explicit path: used while enrolling) ---
  StateAnswer QueryState(const std::wstring& path);
  bool SetDeviceNumber(const std::wstring& path, uint8_t number);
  IdentityAnswer QueryIdentity(const std::wstring& path);
  bool SendStart(const std::wstring& path);

  // --- Queries on the current device ---
  CapacityAnswer QueryCapacity();
  uint32_t QueryProductionTime();                      // seconds since 1970-01-01
  DefaultAssignment QueryDefaultAssignment(int slot);  // slot = profile * 16 + button
  StatusAnswer QueryStatus();

  // --- Live commands and reloads on the current device (one request each) ---
  void SetProfileColour(int profile, uint8_t colourByte);
  void SetDpiLive(int level, uint8_t xCode, uint8_t yCode);
  void SelectDpiLevelRequest(int level);
  void SelectProfile(int profile);
  void SetSensorValue(uint16_t value);
  void ReloadColour();
  void ReloadSettings();
  void ReloadButtons();
  void ReloadDpiTable();
  void SendRemoteCommand(uint16_t value);

  // --- Memory of the current device ---
  // One read memory request; answer byte 2.
  uint8_t ReadMemoryByte(uint32_t address);
  // Fills count bytes from address on, seven per request. Always returns 0.
  int ReadMemory(uint32_t address, uint8_t* buffer, int count);
  // One write memory byte request; the address is 16 bits wide.
  bool WriteMemoryByte(uint32_t address, uint8_t value);
  // Stages 1..32 bytes and commits them to address; false (nothing sent) for
  // another count.
  bool WriteMemoryBlock(uint32_t address, const uint8_t* data, int count);
  // Pieces of at most 32 bytes; false (nothing sent) for a count of 0 or less.
  bool WriteMemory(uint32_t address, const uint8_t* data, int count);
  // Highest valid address: 0x1FFF for 8 KiB up to 0xFFFF for 64 KiB.
  uint32_t ProbeMemorySize();

  // --- Composite operations of the settings code ---
  // Select DPI level, then memory byte 2.
  void SelectDpiLevel(int level);
  // Set DPI live when the level is the current one, then the two table bytes.
  // The caller sends ReloadDpiTable after all changed levels.
  void WriteDpiLevel(int level, uint8_t xCode, uint8_t yCode, bool isCurrentLevel);
  // Bits 4..6 of memory byte 15, then reload settings.
  void WritePollingInterval(int code);
  // Bit 0 of memory byte 15, then reload settings.
  void WriteAngleSnapping(bool on);
  // Colour byte and the three 0..255 intensities of profile P, then reload colour.
  void WriteProfileColour(int profile, int red, int green, int blue);
  // The four bytes of button B of profile P (16 bytes apart), then reload buttons.
  void WriteButtonAssignment(int profile, int button, uint8_t type, uint8_t p1, uint8_t p2, uint8_t p3);
  // At most 9 characters, UTF-16LE, zero-padded to 18 bytes.
  void WriteProfileName(int profile, const std::wstring& name);

  // Pauses with the transport's sleeper (the settings code needs short waits
  // between some requests).
  void SleepMs(int ms) { transport_.GetSleeper().SleepMs(ms); }

  DeviceTransport& Transport() { return transport_; }

 private:
  // Sends to the current device; false without one.
  bool RequestCurrent(DeviceReport report, int delay, DeviceAnswer* answer = nullptr);

  DeviceTransport& transport_;
  const DeviceRegistry& registry_;
};

// Colour byte of three 0..3 intensities: bits 0..1 red, 2..3 green, 4..5 blue.
uint8_t PackColourByte(int red, int green, int blue);
