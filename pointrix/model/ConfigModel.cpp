#include "pointrix/model/ConfigModel.h"

#include <algorithm>
#include <vector>

#include "pointrix/buttons/KeyNames.h"
#include "pointrix/device/HardwareLayout.h"
#include "pointrix/model/LanguageStrings.h"
#include "pointrix/model/TextFormat.h"
#include "pointrix/model/WideText.h"

namespace pointrix {

namespace {

bool ValidProfile(int p) { return p >= 0 && p < kProfiles; }
bool ValidButton(int b) { return b >= 0 && b < kButtonsPerProfile; }

ButtonAssignment FromDefault(const DefaultAssignment& d) { return {d.type, d.p1, d.p2, d.p3}; }

std::wstring TextOf(const ButtonAssignment& a) { return FormatAssignmentText(a.type, a.p1, a.p2, a.p3); }

int Intensity(int v) { return std::clamp(v, 0, 3); }

const int kFactoryColours[kProfiles][3] = {{3, 0, 0}, {0, 3, 0}, {0, 0, 3}, {3, 0, 3}, {0, 3, 3}};

}  // namespace

std::wstring DefaultProfileName(int profile) {
  return FormatText(L"%s %d", {LangStr(L"profile_str"), profile + 1});
}

void RemoteChangeFlags::SetAll() {
  for (auto& entry : flags_) {
    for (auto& flag : entry) flag.store(true);
  }
}

bool RemoteChangeFlags::Take(int entry, int flag) {
  if (entry < 0 || entry >= kEntries || flag < 0 || flag >= kFlags) return false;
  return flags_[static_cast<size_t>(entry)][static_cast<size_t>(flag)].exchange(false);
}

bool RemoteChangeFlags::Peek(int entry, int flag) const {
  if (entry < 0 || entry >= kEntries || flag < 0 || flag >= kFlags) return false;
  return flags_[static_cast<size_t>(entry)][static_cast<size_t>(flag)].load();
}

ConfigModel::ConfigModel(CommandSet& commands, DeviceRegistry& registry, IConfigModelEvents* events)
    : commands_(commands), registry_(registry), events_(events) {}

void ConfigModel::SetProgress(double fraction) {
  progress_.store(fraction);
  if (events_) events_->OnProgress(fraction);
}

void ConfigModel::SignalRemote() {
  remote_.SetAll();
  if (events_) events_->OnRemoteSettingsChanged();
}

void ConfigModel::NotifyMacroLibraryChanged() {
  if (events_) events_->OnMacroLibraryChanged();
}

void ConfigModel::Clear() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = ConfigState();
  }
  SignalRemote();
}

void ConfigModel::ReadDeviceSettings() {
  if (!registry_.HasCurrentDevice()) {
    Clear();
    return;
  }
  busy_.store(true);
  SetProgress(0.0);
  ConfigState s;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    s.sensorValue = state_.sensorValue;  // not kept in memory: set by the user and status reports
  }
  const DeviceRecord record = registry_.Record(registry_.CurrentPath());
  s.firmwareByte = record.firmwareByte;
  s.maxDpiCode = record.maxDpiCode;
  s.firmwareVersion = record.firmwareVersion;
  s.stateByte = record.stateByte;

  s.highestAddress = commands_.ProbeMemorySize();
  StatusAnswer status = commands_.QueryStatus();
  s.currentDpiLevel = status.dpiLevel;
  // A profile number the model has no room for reads as the first profile.
  s.currentProfile = ValidProfile(status.profile) ? status.profile : 0;
  s.productionTime = commands_.QueryProductionTime();
  CapacityAnswer capacity = commands_.QueryCapacity();
  s.profileCount = std::min(capacity.profileCount, kProfiles);
  s.dpiSliderCount = std::min(capacity.dpiSliderCount, 4);
  for (int level = 0; level < kDpiLevels; ++level) s.dpiSliderEnabled[level] = level < s.dpiSliderCount;

  std::vector<uint8_t> image(kDeviceMemorySize, 0);
  for (int offset = 0; offset < kDeviceMemorySize; offset += 32) {
    commands_.ReadMemory(static_cast<uint32_t>(offset), image.data() + offset, 32);
    SetProgress(0.6 * (offset + 32) / kDeviceMemorySize);
  }

  for (int p = 0; p < kProfiles; ++p) {
    ProfileSettings& profile = s.profiles[p];
    std::copy_n(image.begin() + mem::KeyCycle(p), kKeyCycleSize, profile.keyCycle.begin());
    if (profile.keyCycle[0] > 8) profile.keyCycle[0] = 0;
    const int block = mem::ProfileBlock(p);
    profile.set = !(image[block] == 0x12 && image[block + 1] == 0x12);
    const uint8_t colour = image[mem::ProfileColour(p)];
    profile.red = colour & 3;
    profile.green = (colour >> 2) & 3;
    profile.blue = (colour >> 4) & 3;
    profile.name = Utf16LeToWideZ(image.data() + mem::ProfileName(p), kProfileNameBytes);
    if (profile.name.empty()) profile.name = DefaultProfileName(p);
  }

  for (int m = 0; m < kMacroSlots; ++m) {
    MacroSlot& slot = s.macroSlots[m];
    const int dir = mem::MacroDirectory(m);
    slot.headerAddress = image[dir] | image[dir + 1] << 8;
    slot.totalSize = image[dir + 2] | image[dir + 3] << 8;
    const int runType = image[mem::MacroRunType(m)];
    slot.runType = runType >= 8 && runType <= 10 ? runType : 8;
    if (slot.headerAddress != 0) {
      const int n = commands_.ReadMemoryByte(static_cast<uint32_t>(slot.headerAddress));
      std::vector<uint8_t> name(static_cast<size_t>(n), 0);
      if (n > 0) commands_.ReadMemory(static_cast<uint32_t>(slot.headerAddress + 1), name.data(), n);
      slot.name = Utf16LeToWideZ(name.data(), name.size());
      slot.codeAddress = slot.headerAddress + n + 1;
    } else {
      slot.totalSize = 0;
    }
    SetProgress(0.6 + 0.2 * m / (kMacroSlots - 1));
  }

  const uint8_t flags = image[mem::kFlags];
  s.angleSnapping = (flags & 1) != 0;
  s.pollingCode = (flags >> 4) & 7;

  for (int p = 0; p < kProfiles; ++p) {
    s.dpi[p].x = image[mem::DpiX(p)];
    s.dpi[p].y = image[mem::DpiY(p)];
    for (int b = 0; b < kButtonsPerProfile; ++b) {
      ButtonAssignment stored{image[mem::ButtonType(p, b)], image[mem::ButtonP1(p, b)],
                              image[mem::ButtonP2(p, b)], image[mem::ButtonP3(p, b)]};
      ButtonAssignment def = FromDefault(commands_.QueryDefaultAssignment(16 * p + b));
      if (stored.type == 0) stored = def;
      s.profiles[p].buttons[b] = {stored, TextOf(stored)};
      s.profiles[p].defaults[b] = {def, TextOf(def)};
      SetProgress(0.8 + 0.2 * (16 * p + b + 1) / 80);
    }
  }
  for (int b = 0; b < kButtonsPerProfile; ++b) {
    ButtonAssignment def = FromDefault(commands_.QueryDefaultAssignment(b));
    s.physicalDefaults[b] = {def, TextOf(def)};
  }

  s.loaded = true;
  ComputeSoleLeftClick(s, registry_);
  const int level = s.currentDpiLevel, profile = s.currentProfile;
  const bool angle = s.angleSnapping;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = std::move(s);
  }
  busy_.store(false);
  SetProgress(1.0);
  if (events_) {
    events_->OnDpiDisplay(level, profile, angle);
    events_->OnLibraryReload();
  }
  SignalRemote();
}

bool ConfigModel::RestoreFactorySettings() {
  if (!registry_.HasCurrentDevice()) return false;
  busy_.store(true);
  {
    // The write-back timers stop: pending edits are dropped.
    std::lock_guard<std::mutex> lock(mutex_);
    for (DpiLevel& d : state_.dpi) d.changed = false;
    state_.pollingChanged = state_.angleSnappingChanged = false;
  }
  SetProgress(0.0);
  std::vector<uint8_t> image(kDeviceMemorySize, 0);
  image[mem::kFactoryMark] = 0x12;
  image[mem::kDpiLevel] = 1;
  image[mem::kFlags] = 0x10;
  const uint8_t dpi[10] = {0x10, 0x10, 0x20, 0x20, 0x30, 0x30, 0x40, 0x40, 0x50, 0x50};
  std::copy(dpi, dpi + 10, image.begin() + mem::DpiX(0));
  for (uint32_t mark : {8191u, 16383u, 32767u}) commands_.WriteMemoryByte(mark, 0);
  for (int p = 0; p < kProfiles; ++p) {
    const int block = mem::ProfileBlock(p);
    image[block] = 0x12;
    image[block + 1] = 0x12;
    const int* c = kFactoryColours[p];
    const uint8_t colour = PackColourByte(c[0], c[1], c[2]);
    image[block + 3] = colour;
    for (int i = 0; i < 3; ++i) image[block + 4 + i] = static_cast<uint8_t>(c[i] * 255 / 3);
    commands_.SetProfileColour(p, colour);
    std::lock_guard<std::mutex> lock(mutex_);
    state_.profiles[p].name.clear();
  }
  for (int offset = 0; offset < kDeviceMemorySize; offset += 32) {
    SetProgress(static_cast<double>(offset) / kDeviceMemorySize);
    commands_.WriteMemory(static_cast<uint32_t>(offset), image.data() + offset, 32);
  }
  commands_.ReloadSettings();
  commands_.SleepMs(10);
  ReadDeviceSettings();
  return true;
}

ConfigState ConfigModel::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

void ConfigModel::SelectProfile(int profile) {
  if (!ValidProfile(profile)) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.currentProfile = profile;
    ComputeSoleLeftClick(state_, registry_);
  }
  commands_.SelectProfile(profile);
}

void ConfigModel::SelectDpiLevel(int level) {
  if (level < 0 || level >= kDpiLevels) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.currentDpiLevel = level;
  }
  commands_.SelectDpiLevel(level);
}

void ConfigModel::SetProfileColour(int profile, int red, int green, int blue) {
  if (!ValidProfile(profile)) return;
  red = Intensity(red), green = Intensity(green), blue = Intensity(blue);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ProfileSettings& p = state_.profiles[profile];
    p.red = red, p.green = green, p.blue = blue;
  }
  commands_.WriteProfileColour(profile, red, green, blue);
}

void ConfigModel::SetProfileName(int profile, const std::wstring& name) {
  if (!ValidProfile(profile)) return;
  std::wstring cut = name.substr(0, kProfileNameChars);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.profiles[profile].name = cut;
  }
  commands_.WriteProfileName(profile, cut);
}

void ConfigModel::SetButtonAssignment(int profile, int button, ButtonAssignment a) {
  if (!ValidProfile(profile) || !ValidButton(button)) return;
  // Type 0 is stored as the explicit factory function of the button.
  if (a.type == 0) a = FromDefault(commands_.QueryDefaultAssignment(button));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.profiles[profile].buttons[button] = {a, TextOf(a)};
    ComputeSoleLeftClick(state_, registry_);
  }
  commands_.WriteButtonAssignment(profile, button, a.type, a.p1, a.p2, a.p3);
  if (events_) events_->OnMacroLibraryChanged();
}

void ConfigModel::ToggleButton(int profile, int button) {
  if (!ValidProfile(profile) || !ValidButton(button)) return;
  ButtonAssignment next;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ProfileSettings& p = state_.profiles[profile];
    const ButtonAssignment current = p.buttons[button].assignment;
    next.type = (current.type == 0 || current == p.defaults[button].assignment) ? 1 : 0;
    const ButtonEntry& physical = state_.physicalDefaults[button];
    std::wstring text = (next.type == 0 || next.type == physical.assignment.type)
                            ? physical.text
                            : TextOf(ButtonAssignment{1, 0, 0, 0});
    p.buttons[button] = {next, text};
    ComputeSoleLeftClick(state_, registry_);
  }
  commands_.WriteButtonAssignment(profile, button, next.type, 0, 0, 0);
  if (events_) events_->OnMacroLibraryChanged();
}

void ConfigModel::SetDpiCode(int level, bool xAxis, uint8_t code, bool independentAxes) {
  if (level < 0 || level >= kDpiLevels) return;
  std::lock_guard<std::mutex> lock(mutex_);
  DpiLevel& d = state_.dpi[level];
  if (!independentAxes) {
    d.x = d.y = code;
  } else if (xAxis) {
    d.x = code;
  } else {
    d.y = code;
  }
  d.changed = true;
}

void ConfigModel::SetDpiCodes(int level, uint8_t x, uint8_t y) {
  if (level < 0 || level >= kDpiLevels) return;
  std::lock_guard<std::mutex> lock(mutex_);
  state_.dpi[level] = {x, y, true};
}

void ConfigModel::FlushDpiChanges() {
  std::array<DpiLevel, kDpiLevels> dpi;
  int current;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    dpi = state_.dpi;
    current = state_.currentDpiLevel;
    for (DpiLevel& d : state_.dpi) d.changed = false;
  }
  bool any = false;
  for (int level = 0; level < kDpiLevels; ++level) {
    if (!dpi[level].changed) continue;
    commands_.WriteDpiLevel(level, dpi[level].x, dpi[level].y, level == current);
    any = true;
  }
  if (any) commands_.ReloadDpiTable();
}

void ConfigModel::SetPollingInterval(int code) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.pollingCode = std::clamp(code, 0, 7);
  state_.pollingChanged = true;
}

void ConfigModel::FlushPollingInterval() {
  int code;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!state_.pollingChanged) return;
    state_.pollingChanged = false;
    code = state_.pollingCode;
  }
  commands_.WritePollingInterval(code);
}

void ConfigModel::SetAngleSnapping(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.angleSnapping = on;
  state_.angleSnappingChanged = true;
}

void ConfigModel::FlushAngleSnapping() {
  bool on;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!state_.angleSnappingChanged) return;
    state_.angleSnappingChanged = false;
    on = state_.angleSnapping;
  }
  commands_.WriteAngleSnapping(on);
}

void ConfigModel::SetSensorValue(uint16_t value) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_.sensorValue = value;
  state_.sensorChanged = true;
}

void ConfigModel::FlushSensorValue() {
  uint16_t value;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!state_.sensorChanged) return;
    state_.sensorChanged = false;
    value = state_.sensorValue;
  }
  commands_.SetSensorValue(value);
}

bool ConfigModel::ApplyStatusReport(int profile, int dpiLevel, uint8_t x, uint8_t y, bool angleSnapping,
                                    uint16_t sensor) {
  bool changed = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const int p = std::clamp(profile, 0, kProfiles - 1);
    const int level = std::clamp(dpiLevel, 0, kDpiLevels - 1);
    changed = p != state_.currentProfile;
    state_.currentProfile = p;
    state_.currentDpiLevel = level;
    state_.dpi[level].x = x;
    state_.dpi[level].y = y;
    state_.angleSnapping = angleSnapping;
    state_.sensorValue = sensor;
    if (changed) ComputeSoleLeftClick(state_, registry_);
  }
  SignalRemote();
  return changed;
}

void ConfigModel::ComputeSoleLeftClick(ConfigState& s, const DeviceRegistry& registry) {
  const HardwareLayout layout = HardwareLayoutFor(registry.PlatformCode(registry.CurrentPath()));
  const std::array<int, kPicturePositions>& slots = SlotTable(layout.type);
  const ProfileSettings& profile =
      s.profiles[static_cast<size_t>(std::clamp(s.currentProfile, 0, kProfiles - 1))];
  int count = 0, found = -1;
  const int shown = std::clamp(layout.pictureButtons, 0, kPicturePositions);
  for (int i = 0; i < shown; ++i) {
    const int b = slots[static_cast<size_t>(i)];
    if (!ValidButton(b)) continue;
    const ButtonAssignment& a = profile.buttons[b].assignment;
    if ((b == 0 && a.type == 0) || (a.type == 4 && a.p1 == 1)) {
      ++count;
      found = b;
    }
  }
  s.soleLeftClickButton = count == 1 ? found : -1;
}

void ConfigModel::UpdateSoleLeftClickButton() {
  std::lock_guard<std::mutex> lock(mutex_);
  ComputeSoleLeftClick(state_, registry_);
}

ButtonEntry ConfigModel::Button(int profile, int button) const {
  if (!ValidProfile(profile) || !ValidButton(button)) return {};
  std::lock_guard<std::mutex> lock(mutex_);
  return state_.profiles[profile].buttons[button];
}

void ConfigModel::StoreButton(int profile, int button, ButtonAssignment assignment) {
  if (!ValidProfile(profile) || !ValidButton(button)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  ProfileSettings& p = state_.profiles[profile];
  // A button reset to type 0 shows its factory function's text.
  p.buttons[button] = {assignment, assignment.type == 0 ? p.defaults[button].text : TextOf(assignment)};
  ComputeSoleLeftClick(state_, registry_);
}

MacroSlot ConfigModel::GetMacroSlot(int slot) const {
  if (slot < 0 || slot >= kMacroSlots) return {};
  std::lock_guard<std::mutex> lock(mutex_);
  return state_.macroSlots[slot];
}

void ConfigModel::SetMacroSlot(int slot, const MacroSlot& value) {
  if (slot < 0 || slot >= kMacroSlots) return;
  std::lock_guard<std::mutex> lock(mutex_);
  state_.macroSlots[slot] = value;
}

std::array<MacroSlot, kMacroSlots> ConfigModel::MacroSlots() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_.macroSlots;
}

int ConfigModel::CurrentProfile() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_.currentProfile;
}

uint32_t ConfigModel::HighestAddress() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_.highestAddress;
}

}  // namespace pointrix
