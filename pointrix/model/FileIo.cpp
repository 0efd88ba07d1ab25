#include "pointrix/model/FileIo.h"

#include <fstream>
#include <iterator>

#include "pointrix/model/WideText.h"

namespace pointrix {

std::filesystem::path ToFsPath(const std::wstring& path) {
#ifdef _WIN32
  return std::filesystem::path(path);
#else
  return std::filesystem::path(WideToUtf8(path));
#endif
}

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes) {
  std::error_code ec;
  std::filesystem::path p = ToFsPath(path);
  if (std::filesystem::is_directory(p, ec)) return false;
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(ToFsPath(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

bool IsDirectory(const std::wstring& path) {
  std::error_code ec;
  return std::filesystem::is_directory(ToFsPath(path), ec);
}

}  // namespace pointrix
