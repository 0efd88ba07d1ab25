#include "pointrix/device/DeviceRegistry.h"

#include <algorithm>

#include "pointrix/device/Transport.h"

std::wstring LowerCasePath(const std::wstring& path) {
  std::wstring lower = path;
  for (wchar_t& c : lower) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lower;
}

bool HasInterfaceZeroMarker(const std::wstring& path) {
  const size_t at = LowerCasePath(path).find(L"mi_00");
  return at != std::wstring::npos && at >= 3;
}

size_t DeviceRegistry::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return paths_.size();
}

std::wstring DeviceRegistry::PathAt(size_t index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return index < paths_.size() ? paths_[index] : std::wstring();
}

std::vector<std::wstring> DeviceRegistry::Paths() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return paths_;
}

bool DeviceRegistry::IsListed(const std::wstring& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::find(paths_.begin(), paths_.end(), path) != paths_.end();
}

void DeviceRegistry::RemoveDevice(const std::wstring& path) {
  std::lock_guard<std::mutex> transport(TransportLock());
  std::lock_guard<std::mutex> lock(mutex_);
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void DeviceRegistry::Append(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(path);
}

bool DeviceRegistry::HasRecord(const std::wstring& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return records_.count(path) != 0;
}

DeviceRecord DeviceRegistry::Record(const std::wstring& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = records_.find(path);
  return it == records_.end() ? DeviceRecord() : it->second;
}

void DeviceRegistry::StoreRecord(const std::wstring& path, const DeviceRecord& record) {
  std::lock_guard<std::mutex> lock(mutex_);
  records_[path] = record;
}

int DeviceRegistry::PlatformCode(const std::wstring& path) const { return Record(path).platformCode; }

int DeviceRegistry::DeviceNumber(const std::wstring& path) const { return Record(path).deviceNumber; }

std::wstring DeviceRegistry::CurrentPath() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return currentPath_;
}

void DeviceRegistry::SetCurrentPath(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  currentPath_ = path;
}

bool DeviceRegistry::HasCurrentDevice() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return !currentPath_.empty();
}

int DeviceRegistry::CurrentDeviceNumber() const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (currentPath_.empty()) return 0;
  auto it = records_.find(currentPath_);
  return it == records_.end() ? 0 : it->second.deviceNumber;
}

std::wstring DeviceRegistry::RequestedPath() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requestedPath_;
}

void DeviceRegistry::SetRequestedPath(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  requestedPath_ = path;
}
