#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pointrix/model/ConfigModel.h"

// Backup files (".bf"): a copy of the whole mouse memory, the settings area
// and the macros above it.
namespace pointrix {

inline constexpr wchar_t kBackupMagic[] = L"_@_BF6_";
// The mouse's address space: no backup image is larger.
inline constexpr uint32_t kMaxBackupImage = 65536;

enum class BackupStatus {
  kOk,
  kFailed,         // unopenable or unwritable file, or no device: no message
  kInvalidFormat,  // the caller shows "invalid format !!"; nothing was written to the mouse
};

// The magic string, N and the image.
std::vector<uint8_t> EncodeBackup(const std::vector<uint8_t>& image);
// The image of a backup file; an image of N = 0 decodes as empty (kOk). A
// wrong magic, an N beyond the file or beyond 64 KiB is an invalid format.
BackupStatus DecodeBackup(const std::vector<uint8_t>& file, std::vector<uint8_t>& image);

// "mouse_" and the date ("yyyy-MM-dd"): the proposed file name.
std::wstring BackupFileName(const std::wstring& date);

// Reads the whole memory of the current device (memory size from the model)
// in 7-byte requests and writes the file.
BackupStatus SaveBackup(ConfigModel& model, const std::wstring& path, const ProgressFn& progress = nullptr);

// Writes a file's image back in 32-byte pieces, sends reload settings and
// reads all settings again.
BackupStatus LoadBackup(ConfigModel& model, const std::wstring& path, const ProgressFn& progress = nullptr);

}  // namespace pointrix
