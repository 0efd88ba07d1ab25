#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The archive format of macro and backup files: little-endian numbers and
// length-prefixed strings (tag FF FE FF for UTF-16 text, a bare length for
// 8-bit text).
namespace pointrix {

// Reads from a byte buffer it does not own. Every read fails, without moving
// on, when the buffer holds fewer bytes than asked for, so lengths taken from
// a file never make it allocate more than the file holds.
class ArchiveReader {
 public:
  ArchiveReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit ArchiveReader(const std::vector<uint8_t>& bytes) : ArchiveReader(bytes.data(), bytes.size()) {}

  bool ReadU8(uint8_t& v);
  bool ReadU16(uint16_t& v);
  bool ReadU32(uint32_t& v);
  bool ReadU64(uint64_t& v);
  bool ReadI32(int32_t& v);
  bool ReadI64(int64_t& v);
  bool ReadBytes(size_t count, std::vector<uint8_t>& out);
  bool Skip(size_t count);
  // Any archived form: one-byte, 16-, 32- or 64-bit length, with or without
  // the UTF-16 tag (8-bit text is Windows-1252).
  bool ReadString(std::wstring& text);

  size_t Position() const { return pos_; }
  size_t Remaining() const { return size_ - pos_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class ArchiveWriter {
 public:
  void WriteU8(uint8_t v) { bytes_.push_back(v); }
  void WriteU16(uint16_t v);
  void WriteU32(uint32_t v);
  void WriteU64(uint64_t v);
  void WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }
  void WriteI64(int64_t v) { WriteU64(static_cast<uint64_t>(v)); }
  void WriteBytes(const uint8_t* data, size_t count) { bytes_.insert(bytes_.end(), data, data + count); }
  // UTF-16 text with the tag and the shortest length form.
  void WriteString(const std::wstring& text);

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace pointrix
