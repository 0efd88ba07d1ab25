#include "pointrix/device/CommandSet.h"

#include <algorithm>
#include <vector>

namespace {

// Delays of the exchange modes, as each request needs them.
constexpr int kDelayNone = 0;
constexpr int kDelayShort = 2;
constexpr int kDelayState = 5;
constexpr int kDelayLong = 10;

constexpr uint8_t kMemoryMark = 0x12;
constexpr int kMaxBlock = 32;
constexpr int kStageStep = 6;
constexpr int kReadStep = 7;

uint8_t Byte(uint32_t value, int index) { return static_cast<uint8_t>(value >> (8 * index)); }

}  // namespace

uint8_t PackColourByte(int red, int green, int blue) {
  auto level = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 3)); };
  return static_cast<uint8_t>(level(red) | level(green) << 2 | level(blue) << 4);
}

bool CommandSet::Request(const std::wstring& path, DeviceReport report, int delay, DeviceAnswer* answer) {
  DeviceAnswer scratch{};
  DeviceAnswer& target = answer ? *answer : scratch;
  target.fill(0);
  return transport_.SendDeviceCommand(report, target, path, delay);
}

bool CommandSet::RequestCurrent(DeviceReport report, int delay, DeviceAnswer* answer) {
  if (answer) answer->fill(0);
  const std::wstring path = registry_.CurrentPath();
  if (path.empty()) return false;
  return Request(path, report, delay, answer);
}

StateAnswer CommandSet::QueryState(const std::wstring& path) {
  DeviceAnswer answer;
  Request(path, MakeCommandReport(0x00, 0x00), kDelayState, &answer);
  return {answer[6], answer[8]};
}

bool CommandSet::SetDeviceNumber(const std::wstring& path, uint8_t number) {
  return Request(path, MakeCommandReport(0x00, 0x01, number), kDelayState);
}

IdentityAnswer CommandSet::QueryIdentity(const std::wstring& path) {
  DeviceAnswer answer;
  Request(path, MakeCommandReport(0x00, 0x02, 0x00), kDelayLong, &answer);
  IdentityAnswer identity;
  identity.identityByte = answer[2];
  identity.chars[0] = static_cast<char>(answer[3]);
  identity.chars[1] = static_cast<char>(answer[4]);
  identity.chars[2] = static_cast<char>(answer[5]);
  identity.classByte = answer[6];
  identity.maxDpiCode = answer[7];
  return identity;
}

bool CommandSet::SendStart(const std::wstring& path) {
  return Request(path, MakeCommandReport(0x01, 0x01, 0x01), kDelayState);
}

CapacityAnswer CommandSet::QueryCapacity() {
  DeviceAnswer answer;
  RequestCurrent(MakeCommandReport(0x00, 0x02, 0x01), kDelayLong, &answer);
  return {std::min<int>(answer[2], 5), std::min<int>(answer[3], 4)};
}

uint32_t CommandSet::QueryProductionTime() {
  DeviceAnswer answer;
  RequestCurrent(MakeCommandReport(0x00, 0x02, 0x02), kDelayShort, &answer);
  return static_cast<uint32_t>(answer[2]) | static_cast<uint32_t>(answer[3]) << 8 |
         static_cast<uint32_t>(answer[4]) << 16 | static_cast<uint32_t>(answer[5]) << 24;
}

DefaultAssignment CommandSet::QueryDefaultAssignment(int slot) {
  DeviceAnswer answer;
  RequestCurrent(MakeCommandReport(0x00, 0x02, 0x04, static_cast<uint8_t>(slot)), kDelayNone, &answer);
  DefaultAssignment assignment{answer[2], answer[3], answer[4], answer[5]};
  if (assignment.type > 26) assignment.type = 1;
  return assignment;
}

StatusAnswer CommandSet::QueryStatus() {
  DeviceAnswer answer;
  RequestCurrent(MakeCommandReport(0x04, 0x00), kDelayLong, &answer);
  return {answer[2] & 0x07, answer[7]};
}

void CommandSet::SetProfileColour(int profile, uint8_t colourByte) {
  RequestCurrent(MakeCommandReport(0x00, 0x07, static_cast<uint8_t>(profile), colourByte), kWriteOnly);
}

void CommandSet::SetDpiLive(int level, uint8_t xCode, uint8_t yCode) {
  RequestCurrent(MakeCommandReport(0x04, 0x01, static_cast<uint8_t>(level), xCode, yCode), kDelayLong);
}

void CommandSet::SelectDpiLevelRequest(int level) {
  RequestCurrent(MakeCommandReport(0x04, 0x02, static_cast<uint8_t>(level)), kDelayLong);
}

void CommandSet::SelectProfile(int profile) {
  RequestCurrent(MakeCommandReport(0x04, 0x03, static_cast<uint8_t>(profile)), kWriteOnly);
}

void CommandSet::SetSensorValue(uint16_t value) {
  RequestCurrent(MakeCommandReport(0x04, 0x08, Byte(value, 0), Byte(value, 1)), kDelayLong);
}

void CommandSet::ReloadColour() { RequestCurrent(MakeCommandReport(0x04, 0x09), kWriteOnly); }

void CommandSet::ReloadSettings() {
  RequestCurrent(MakeCommandReport(0x08, 0x00, 0, 0, 0, 0x0C), kDelayLong);
}

void CommandSet::ReloadButtons() { RequestCurrent(MakeCommandReport(0x08, 0x01, 0, 0, 0, 0x0C), kWriteOnly); }

void CommandSet::ReloadDpiTable() {
  RequestCurrent(MakeCommandReport(0x08, 0x02, 0, 0, 0, 0x0C), kDelayLong);
}

void CommandSet::SendRemoteCommand(uint16_t value) {
  DeviceAnswer answer;
  RequestCurrent(MakeCommandReport(0x0C, 0x01, Byte(value, 0), Byte(value, 1), 0, 0x12), kDelayNone, &answer);
}

uint8_t CommandSet::ReadMemoryByte(uint32_t address) {
  DeviceAnswer answer;
  RequestCurrent(MakeCommandReport(0x05, 0x00, Byte(address, 0), Byte(address, 1), Byte(address, 2)),
                 kDelayNone, &answer);
  return answer[2];
}

int CommandSet::ReadMemory(uint32_t address, uint8_t* buffer, int count) {
  if (!buffer) return 0;
  for (int done = 0; done < count; done += kReadStep) {
    const uint32_t at = address + static_cast<uint32_t>(done);
    DeviceAnswer answer;
    RequestCurrent(MakeCommandReport(0x05, 0x00, Byte(at, 0), Byte(at, 1), Byte(at, 2)), kDelayNone, &answer);
    const int take = std::min(kReadStep, count - done);
    std::copy(answer.begin() + 2, answer.begin() + 2 + take, buffer + done);
  }
  return 0;
}

bool CommandSet::WriteMemoryByte(uint32_t address, uint8_t value) {
  return RequestCurrent(MakeCommandReport(0x05, 0x01, Byte(address, 0), Byte(address, 1), 0, value),
                        kWriteOnly);
}

bool CommandSet::WriteMemoryBlock(uint32_t address, const uint8_t* data, int count) {
  if (!data || count < 1 || count > kMaxBlock) return false;
  for (int offset = 0; offset < count; offset += kStageStep) {
    uint8_t d[kStageStep] = {};
    for (int i = 0; i < kStageStep && offset + i < count; ++i) d[i] = data[offset + i];
    // Stage data carries six bytes: bytes 7 and 8 are data, not tag and checksum.
    DeviceReport report{0,   kStageDataCommand, static_cast<uint8_t>(offset), d[0], d[1], d[2], d[3], d[4],
                        d[5]};
    RequestCurrent(report, kWriteOnly);
  }
  SleepMs(1);
  DeviceAnswer discarded;
  RequestCurrent(MakeCommandReport(0x05, 0x02, Byte(address, 0), Byte(address, 1), Byte(address, 2),
                                   static_cast<uint8_t>(count)),
                 kDelayLong, &discarded);
  SleepMs(2);
  return true;
}

bool CommandSet::WriteMemory(uint32_t address, const uint8_t* data, int count) {
  if (!data || count <= 0) return false;
  for (int done = 0; done < count; done += kMaxBlock) {
    WriteMemoryBlock(address + static_cast<uint32_t>(done), data + done, std::min(kMaxBlock, count - done));
  }
  return true;
}

uint32_t CommandSet::ProbeMemorySize() {
  if (ReadMemoryByte(0xFFFF) != kMemoryMark && ReadMemoryByte(0xFFFE) != kMemoryMark) {
    WriteMemoryByte(0xFFFE, kMemoryMark);
    WriteMemoryByte(0xFFFF, kMemoryMark);
  }
  // A smaller memory aliases the top of the address space onto its own top,
  // so the mark shows at each power-of-two boundary down to the real size.
  uint32_t result = 0x1FFF;
  uint32_t a = 0xFFFF;
  for (int step = 1; step <= 6; ++step) {
    const bool marked = ReadMemoryByte(a) == kMemoryMark || ReadMemoryByte(a - 1) == kMemoryMark;
    if (!marked) break;
    result = a;
    a >>= 1;
  }
  return result;
}

void CommandSet::SelectDpiLevel(int level) {
  SelectDpiLevelRequest(level);
  WriteMemoryByte(2, static_cast<uint8_t>(level));
}

void CommandSet::WriteDpiLevel(int level, uint8_t xCode, uint8_t yCode, bool isCurrentLevel) {
  if (isCurrentLevel) SetDpiLive(level, xCode, yCode);
  const uint8_t codes[2] = {xCode, yCode};
  WriteMemory(4 + 2 * static_cast<uint32_t>(std::clamp(level, 0, 4)), codes, 2);
}

void CommandSet::WritePollingInterval(int code) {
  uint8_t flags = ReadMemoryByte(15);
  flags = static_cast<uint8_t>((flags & ~0x70) | ((code & 0x07) << 4));
  WriteMemoryByte(15, flags);
  ReloadSettings();
}

void CommandSet::WriteAngleSnapping(bool on) {
  uint8_t flags = ReadMemoryByte(15);
  flags = static_cast<uint8_t>((flags & ~0x01) | (on ? 1 : 0));
  WriteMemoryByte(15, flags);
  ReloadSettings();
}

void CommandSet::WriteProfileColour(int profile, int red, int green, int blue) {
  red = std::clamp(red, 0, 3);
  green = std::clamp(green, 0, 3);
  blue = std::clamp(blue, 0, 3);
  const uint8_t bytes[4] = {PackColourByte(red, green, blue), static_cast<uint8_t>(red * 255 / 3),
                            static_cast<uint8_t>(green * 255 / 3), static_cast<uint8_t>(blue * 255 / 3)};
  WriteMemory(96 * static_cast<uint32_t>(profile) + 19, bytes, 4);
  ReloadColour();
}

void CommandSet::WriteButtonAssignment(int profile, int button, uint8_t type, uint8_t p1, uint8_t p2,
                                       uint8_t p3) {
  const uint32_t base = 96 * static_cast<uint32_t>(profile) + static_cast<uint32_t>(button);
  WriteMemoryByte(base + 48, type);
  WriteMemoryByte(base + 64, p1);
  WriteMemoryByte(base + 80, p2);
  WriteMemoryByte(base + 96, p3);
  ReloadButtons();
}

void CommandSet::WriteProfileName(int profile, const std::wstring& name) {
  constexpr size_t kUnits = 9;
  std::vector<uint16_t> units;
  for (wchar_t c : name) {
    const uint32_t cp = static_cast<uint32_t>(c);
    if (cp > 0xFFFF) {
      if (units.size() + 2 > kUnits) break;
      const uint32_t v = cp - 0x10000;
      units.push_back(static_cast<uint16_t>(0xD800 + (v >> 10)));
      units.push_back(static_cast<uint16_t>(0xDC00 + (v & 0x3FF)));
    } else {
      if (units.size() + 1 > kUnits) break;
      units.push_back(static_cast<uint16_t>(cp));
    }
  }
  uint8_t bytes[2 * kUnits] = {};
  for (size_t i = 0; i < units.size(); ++i) {
    bytes[2 * i] = static_cast<uint8_t>(units[i]);
    bytes[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
  }
  WriteMemory(96 * static_cast<uint32_t>(profile) + 30, bytes, static_cast<int>(sizeof bytes));
}
