#include "pointrix/model/BackupFile.h"

#include <algorithm>

#include "pointrix/macros/ArchiveString.h"
#include "pointrix/model/FileIo.h"

namespace pointrix {

std::vector<uint8_t> EncodeBackup(const std::vector<uint8_t>& image) {
  ArchiveWriter out;
  out.WriteString(kBackupMagic);
  out.WriteU32(static_cast<uint32_t>(image.size()));
  out.WriteBytes(image.data(), image.size());
  return out.Bytes();
}

BackupStatus DecodeBackup(const std::vector<uint8_t>& file, std::vector<uint8_t>& image) {
  ArchiveReader in(file);
  std::wstring magic;
  if (!in.ReadString(magic) || magic != kBackupMagic) return BackupStatus::kInvalidFormat;
  int32_t n = 0;
  if (!in.ReadI32(n)) return BackupStatus::kInvalidFormat;
  if (n <= 0) {
    image.clear();
    return BackupStatus::kOk;
  }
  if (static_cast<uint32_t>(n) > kMaxBackupImage) return BackupStatus::kInvalidFormat;
  if (!in.ReadBytes(static_cast<size_t>(n), image)) return BackupStatus::kInvalidFormat;
  return BackupStatus::kOk;
}

std::wstring BackupFileName(const std::wstring& date) { return L"mouse_" + date; }

BackupStatus SaveBackup(ConfigModel& model, const std::wstring& path, const ProgressFn& progress) {
  if (!model.HasDevice()) return BackupStatus::kFailed;
  // The file is created before the long read, so an unwritable place ends it at once.
  if (!WriteFileBytes(path, {})) return BackupStatus::kFailed;
  const uint32_t n = model.HighestAddress() + 1;
  std::vector<uint8_t> image(n, 0);
  CommandSet& commands = model.Commands();
  for (uint32_t address = 0; address < n; address += 7) {
    const int count = static_cast<int>(std::min<uint32_t>(7, n - address));
    commands.ReadMemory(address, image.data() + address, count);
    if (progress) progress(static_cast<double>(address) / n);
  }
  const bool written = WriteFileBytes(path, EncodeBackup(image));
  if (progress) progress(1.0);
  return written ? BackupStatus::kOk : BackupStatus::kFailed;
}

BackupStatus LoadBackup(ConfigModel& model, const std::wstring& path, const ProgressFn& progress) {
  std::vector<uint8_t> file;
  if (!ReadFileBytes(path, file)) return BackupStatus::kFailed;
  std::vector<uint8_t> image;
  BackupStatus status = DecodeBackup(file, image);
  if (status != BackupStatus::kOk) return status;
  if (image.empty() || !model.HasDevice()) return BackupStatus::kFailed;
  CommandSet& commands = model.Commands();
  const uint32_t n = static_cast<uint32_t>(image.size());
  for (uint32_t address = 0; address < n; address += 32) {
    if (progress) progress(static_cast<double>(address) / n);
    commands.WriteMemory(address, image.data() + address,
                         static_cast<int>(std::min<uint32_t>(32, n - address)));
  }
  commands.ReloadSettings();
  commands.SleepMs(10);
  model.ReadDeviceSettings();
  if (progress) progress(1.0);
  return BackupStatus::kOk;
}

}  // namespace pointrix
