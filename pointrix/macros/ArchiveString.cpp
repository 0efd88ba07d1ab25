#include "pointrix/macros/ArchiveString.h"

#include "pointrix/model/WideText.h"

namespace pointrix {

bool ArchiveReader::ReadU8(uint8_t& v) {
  if (Remaining() < 1) return false;
  v = data_[pos_++];
  return true;
}

bool ArchiveReader::ReadU16(uint16_t& v) {
  if (Remaining() < 2) return false;
  v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
  pos_ += 2;
  return true;
}

bool ArchiveReader::ReadU32(uint32_t& v) {
  if (Remaining() < 4) return false;
  v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | data_[pos_ + static_cast<size_t>(i)];
  pos_ += 4;
  return true;
}

bool ArchiveReader::ReadU64(uint64_t& v) {
  if (Remaining() < 8) return false;
  v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | data_[pos_ + static_cast<size_t>(i)];
  pos_ += 8;
  return true;
}

bool ArchiveReader::ReadI32(int32_t& v) {
  uint32_t u;
  if (!ReadU32(u)) return false;
  v = static_cast<int32_t>(u);
  return true;
}

bool ArchiveReader::ReadI64(int64_t& v) {
  uint64_t u;
  if (!ReadU64(u)) return false;
  v = static_cast<int64_t>(u);
  return true;
}

bool ArchiveReader::ReadBytes(size_t count, std::vector<uint8_t>& out) {
  if (Remaining() < count) return false;
  out.assign(data_ + pos_, data_ + pos_ + count);
  pos_ += count;
  return true;
}

bool ArchiveReader::Skip(size_t count) {
  if (Remaining() < count) return false;
  pos_ += count;
  return true;
}

bool ArchiveReader::ReadString(std::wstring& text) {
  const size_t start = pos_;
  auto fail = [&] {
    pos_ = start;
    return false;
  };
  size_t charSize = 1;
  uint64_t length = 0;
  uint8_t b;
  uint16_t w;
  if (!ReadU8(b)) return fail();
  if (b < 0xFF) {
    length = b;
  } else {
    if (!ReadU16(w)) return fail();
    if (w == 0xFFFE) {
      charSize = 2;
      if (!ReadU8(b)) return fail();
      if (b < 0xFF) {
        length = b;
      } else if (!ReadU16(w)) {
        return fail();
      }
    }
    if (b == 0xFF) {
      if (w < 0xFFFF) {
        length = w;
      } else {
        uint32_t d;
        if (!ReadU32(d)) return fail();
        if (d < 0xFFFFFFFFu) {
          length = d;
        } else if (!ReadU64(length)) {
          return fail();
        }
      }
    }
  }
  if (length > Remaining() / charSize) return fail();
  size_t bytes = static_cast<size_t>(length) * charSize;
  text = charSize == 2 ? Utf16LeToWide(data_ + pos_, bytes) : Cp1252ToWide(data_ + pos_, bytes);
  pos_ += bytes;
  return true;
}

void ArchiveWriter::WriteU16(uint16_t v) {
  bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
  bytes_.push_back(static_cast<uint8_t>(v >> 8));
}

void ArchiveWriter::WriteU32(uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
}

void ArchiveWriter::WriteU64(uint64_t v) {
  for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
}

void ArchiveWriter::WriteString(const std::wstring& text) {
  std::vector<uint8_t> units = WideToUtf16Le(text);
  uint64_t length = units.size() / 2;
  WriteU8(0xFF);
  WriteU16(0xFFFE);
  if (length < 0xFF) {
    WriteU8(static_cast<uint8_t>(length));
  } else if (length < 0xFFFE) {
    WriteU8(0xFF);
    WriteU16(static_cast<uint16_t>(length));
  } else if (length < 0xFFFFFFFFu) {
    WriteU8(0xFF);
    WriteU16(0xFFFF);
    WriteU32(static_cast<uint32_t>(length));
  } else {
    WriteU8(0xFF);
    WriteU16(0xFFFF);
    WriteU32(0xFFFFFFFFu);
    WriteU64(length);
  }
  WriteBytes(units.data(), units.size());
}

}  // namespace pointrix
