#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pointrix/model/WideText.h"

// A fresh folder in the system's temporary folder, removed with its content.
class ModelTempDir {
 public:
  ModelTempDir() {
    static std::atomic<int> counter{0};
    auto base = std::filesystem::temp_directory_path();
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
      auto candidate = base / ("pointrix_model_" + std::to_string(stamp) + "_" + std::to_string(counter++) +
                               "_" + std::to_string(attempt));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) {
        path_ = candidate;
        break;
      }
    }
  }
  ~ModelTempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ModelTempDir(const ModelTempDir&) = delete;
  ModelTempDir& operator=(const ModelTempDir&) = delete;

  // Wide path of a file in the folder.
  std::wstring File(const std::string& name) const {
#ifdef _WIN32
    return (path_ / name).wstring();
#else
    return pointrix::Utf8ToWide((path_ / name).string());
#endif
  }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out << bytes;
  }
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<uint8_t> Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};
