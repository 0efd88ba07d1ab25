#include "pointrix/device/DeviceDiscovery.h"

#include <cstring>

namespace {

constexpr size_t kStringBufferSize = 512;
constexpr int8_t kNewFirmware = 27;  // firmware bytes above this carry string 198 and the extra byte

}  // namespace

void DeviceDiscovery::EnumerateDevices() {
  for (const std::wstring& path : transport_.Backend().EnumerateInterfaces()) RegisterDevice(path);
}

bool DeviceDiscovery::IsCandidateInterface(const std::wstring& path) {
  std::unique_ptr<HidDevice> device = transport_.Backend().Open(path);
  if (!device) return false;
  HidCaps caps;
  if (!device->GetCaps(&caps)) return false;
  return caps.featureReportLength == kDeviceReportSize && caps.usagePage == 1 && caps.usage == 2;
}

uint8_t DeviceDiscovery::ChooseDeviceNumber() const {
  const std::vector<std::wstring> listed = registry_.Paths();
  std::vector<bool> taken(256, false);
  for (const std::wstring& path : listed) {
    const int number = registry_.DeviceNumber(path);
    if (number > 0 && number < 256) taken[number] = true;
  }
  // Counting on from 1, wrapping past 255 to 3; bounded so that a full table
  // cannot loop forever.
  int n = 1;
  for (int tries = 0; tries < 256; ++tries) {
    if (!taken[n]) return static_cast<uint8_t>(n);
    n = (n + 1) % 256;
    if (n == 0) n = 3;
  }
  return 0;
}

bool DeviceDiscovery::RegisterDevice(const std::wstring& path) {
  std::unique_ptr<HidDevice> device = transport_.Backend().Open(path);
  if (!device) return false;
  HidCaps caps;
  if (!device->GetCaps(&caps)) return false;
  const std::wstring lower = LowerCasePath(path);
  if (!HasInterfaceZeroMarker(lower) || caps.featureReportLength != kDeviceReportSize || caps.usage != 2 ||
      caps.usagePage != 1) {
    return false;
  }

  DeviceRecord record;
  std::string signature;
  uint8_t strings[kStringBufferSize] = {};
  if (device->GetIndexedString(kSignatureString, strings, sizeof strings)) {
    signature.assign(reinterpret_cast<const char*>(strings + 2), 3);
    record.firmwareByte = static_cast<int8_t>(strings[5]);
    if (record.firmwareByte > kNewFirmware) record.extraByte = static_cast<int8_t>(strings[7]);
  }
  if (signature != "ARG") return false;

  uint8_t classByte = 0;
  std::memset(strings, 0, sizeof strings);
  if (record.firmwareByte > kNewFirmware &&
      device->GetIndexedString(kPlatformString, strings, sizeof strings)) {
    record.platformCode = strings[0];
    classByte = strings[1];
  } else {
    classByte = commands_.QueryIdentity(lower).classByte;
  }

  const bool listed = registry_.IsListed(lower);
  if (classByte != kSupportedClass) return true;

  const IdentityAnswer identity = commands_.QueryIdentity(lower);
  record.identityByte = identity.identityByte;
  record.classByte = identity.classByte;
  record.maxDpiCode = identity.maxDpiCode;

  if (!listed) {
    // A mouse seen before keeps its number and is not renumbered.
    const DeviceRecord known = registry_.Record(lower);
    if (registry_.HasRecord(lower) && known.deviceNumber > 0) {
      record.deviceNumber = known.deviceNumber;
    } else {
      record.deviceNumber = ChooseDeviceNumber();
      if (record.deviceNumber == 0) return true;  // every number is in use
      commands_.SetDeviceNumber(lower, static_cast<uint8_t>(record.deviceNumber));
    }
  } else {
    record.deviceNumber = registry_.DeviceNumber(lower);
  }

  const StateAnswer state = commands_.QueryState(lower);
  record.firmwareVersion = state.firmwareVersion;
  record.stateByte = state.stateByte;
  registry_.StoreRecord(lower, record);
  if (!listed) registry_.Append(lower);

  commands_.SendStart(lower);
  return true;
}

DeviceChangeResult DeviceDiscovery::OnDeviceArrival(const std::wstring& path) {
  DeviceChangeResult result;
  const std::wstring lower = LowerCasePath(path);
  if (!HasInterfaceZeroMarker(lower) || !IsCandidateInterface(lower)) return result;
  RegisterDevice(lower);
  result.repaint = true;
  result.restartConnectTimer = !registry_.HasCurrentDevice();
  return result;
}

DeviceChangeResult DeviceDiscovery::OnDeviceRemoval(const std::wstring& path) {
  DeviceChangeResult result;
  const std::wstring lower = LowerCasePath(path);
  if (!lower.empty() && lower == registry_.CurrentPath()) {
    registry_.RemoveDevice(lower);
    registry_.SetCurrentPath(L"");
    result.repaint = true;
    result.currentRemoved = true;
    result.restartConnectTimer = true;
    return result;
  }
  registry_.RemoveDevice(lower);
  result.repaint = true;
  return result;
}

DeviceChangeResult DeviceDiscovery::PollDeviceChanges() {
  std::set<std::wstring> present;
  for (const std::wstring& path : transport_.Backend().EnumerateInterfaces())
    present.insert(LowerCasePath(path));
  DeviceChangeResult total;
  auto merge = [&total](const DeviceChangeResult& r) {
    total.repaint |= r.repaint;
    total.currentRemoved |= r.currentRemoved;
    total.restartConnectTimer |= r.restartConnectTimer;
  };
  for (const std::wstring& path : registry_.Paths()) {
    if (!present.count(path)) merge(OnDeviceRemoval(path));
  }
  // The first call only learns what is there: enumeration enrolled it already.
  if (polled_) {
    for (const std::wstring& path : present) {
      if (!lastSeen_.count(path) && !registry_.IsListed(path)) merge(OnDeviceArrival(path));
    }
  }
  polled_ = true;
  lastSeen_ = std::move(present);
  return total;
}

void DeviceDiscovery::Connect(const std::function<void()>& readSettings,
                              const std::function<bool()>& switcherFaded) {
  registry_.SetBusy(true);
  bool haveDevices = true;
  std::wstring chosen;
  if (registry_.TakeFirstConnect()) {
    EnumerateDevices();
    haveDevices = registry_.Count() > 0;
    chosen = registry_.PathAt(0);
  } else {
    const std::wstring requested = registry_.RequestedPath();
    if (!requested.empty()) {
      while (switcherFaded && !switcherFaded()) transport_.GetSleeper().SleepMs(10);
      chosen = requested;
    }
    // A requested mouse that left meanwhile is not made current.
    if (chosen.empty() || !registry_.IsListed(chosen)) chosen = registry_.PathAt(0);
  }
  if (haveDevices && registry_.Count() > 0 && !chosen.empty()) {
    const DeviceRecord record = registry_.Record(chosen);
    registry_.SetHardwareType(HardwareLayoutFor(record.platformCode).type);
    registry_.SetCurrentPath(chosen);
    registry_.SetRequestedPath(L"");
  }
  if (readSettings) readSettings();
  registry_.SetBusy(false);
}

std::vector<std::wstring> DeviceDiscovery::SwitcherEntries() const {
  std::vector<std::wstring> entries;
  const std::wstring current = registry_.CurrentPath();
  for (const std::wstring& path : registry_.Paths()) {
    if (path != current) entries.push_back(path);
  }
  return entries;
}

bool DeviceDiscovery::ChooseSwitcherEntry(size_t index) {
  const std::vector<std::wstring> entries = SwitcherEntries();
  if (index >= entries.size()) return false;
  registry_.SetRequestedPath(entries[index]);
  return true;
}
