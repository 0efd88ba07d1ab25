#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// MD5 message digest (RFC 1321).
class Md5 {
 public:
  Md5();
  void Update(const void* data, size_t size);
  std::array<uint8_t, 16> Final();

 private:
  void Transform(const uint8_t block[64]);

  uint32_t state_[4];
  uint64_t length_ = 0;  // bytes so far
  uint8_t buffer_[64];
};

// The digest of these bytes as 32 lower-case hexadecimal digits.
std::wstring Md5Hex(const std::string& bytes);
