// Backup files (".bf"): magic string, image size and image.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pointrix/model/BackupFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(data, data + size);
  std::vector<uint8_t> image;
  if (pointrix::DecodeBackup(file, image) == pointrix::BackupStatus::kOk) {
    if (image.size() > pointrix::kMaxBackupImage || image.size() > size) __builtin_trap();
    std::vector<uint8_t> back;
    if (!image.empty() &&
        (pointrix::DecodeBackup(pointrix::EncodeBackup(image), back) != pointrix::BackupStatus::kOk ||
         back != image)) {
      __builtin_trap();
    }
  }
  return 0;
}
