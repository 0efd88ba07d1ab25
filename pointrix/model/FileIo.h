#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Whole-file reads and writes by wide path (UTF-16 file names on Windows,
// UTF-8 elsewhere).
namespace pointrix {

std::filesystem::path ToFsPath(const std::wstring& path);

// False when the file cannot be opened or read.
bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes);

// Creates or truncates the file; false when it cannot be written completely.
bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

bool IsDirectory(const std::wstring& path);

}  // namespace pointrix
