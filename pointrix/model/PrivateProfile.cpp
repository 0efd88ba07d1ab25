#include "pointrix/model/PrivateProfile.h"

#include "pointrix/model/FileIo.h"
#include "pointrix/model/WideText.h"

namespace pointrix {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f' || c == 0x3000; }

std::wstring Trim(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool IsValidUtf8(const std::vector<uint8_t>& b, size_t from) {
  size_t i = from;
  while (i < b.size()) {
    uint8_t c = b[i];
    int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || (extra == 1 && c < 0xC2)) return false;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= b.size() || (b[i + k] & 0xC0) != 0x80) return false;
    }
    i += 1 + extra;
  }
  return true;
}

}  // namespace

unsigned ParseProfileInt(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && (IsBlank(text[i]) || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
    negative = text[i] == L'-';
    ++i;
  }
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == L'0') {
    wchar_t p = FoldCase(text[i + 1]);
    if (p == L'x') base = 16;
    if (p == L'o') base = 8;
    if (p == L'b') base = 2;
    if (base != 10) i += 2;
  }
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    wchar_t c = FoldCase(text[i]);
    unsigned digit;
    if (c >= L'0' && c <= L'9') {
      digit = static_cast<unsigned>(c - L'0');
    } else if (c >= L'a' && c <= L'z') {
      digit = static_cast<unsigned>(c - L'a' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;  // wraps like the system's 32-bit conversion
  }
  return negative ? 0u - value : value;
}

IniDocument IniDocument::Parse(const std::vector<uint8_t>& bytes) {
  IniDocument doc;
  std::wstring text;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    doc.encoding_ = Encoding::kUtf16Le;
    text = Utf16LeToWide(bytes.data() + 2, bytes.size() - 2);
  } else if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
    doc.encoding_ = Encoding::kUtf16Be;
    std::vector<uint8_t> swapped(bytes.begin() + 2, bytes.end());
    for (size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
    text = Utf16LeToWide(swapped.data(), swapped.size());
  } else if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    doc.encoding_ = Encoding::kUtf8Bom;
    text = Utf8ToWide(std::string_view(reinterpret_cast<const char*>(bytes.data()) + 3, bytes.size() - 3));
  } else if (IsValidUtf8(bytes, 0)) {
    doc.encoding_ = Encoding::kUtf8;
    text = Utf8ToWide(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } else {
    doc.encoding_ = Encoding::kCp1252;
    text = Cp1252ToWide(bytes.data(), bytes.size());
  }
  std::wstring line;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      doc.lines_.push_back(line);
      line.clear();
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else if (c != 0) {
      line.push_back(c);
    }
  }
  if (!line.empty()) doc.lines_.push_back(line);
  doc.Index();
  return doc;
}

void IniDocument::Index() {
  sections_.clear();
  sections_.push_back(Section{std::wstring::npos, 0, L"", {}});
  for (size_t n = 0; n < lines_.size(); ++n) {
    std::wstring t = Trim(lines_[n]);
    if (!t.empty() && t[0] == L'[') {
      size_t close = t.rfind(L']');
      if (close != std::wstring::npos && close > 0) {
        sections_.back().endLine = n;
        sections_.push_back(Section{n, n + 1, Trim(t.substr(1, close - 1)), {}});
        continue;
      }
    }
    sections_.back().endLine = n + 1;
    if (t.empty() || t[0] == L';') continue;
    size_t eq = t.find(L'=');
    Entry e;
    e.line = n;
    if (eq == std::wstring::npos) {
      e.key = t;
    } else {
      e.key = Trim(t.substr(0, eq));
      e.value = Trim(t.substr(eq + 1));
    }
    sections_.back().entries.push_back(std::move(e));
  }
}

bool IniDocument::Find(const std::wstring& section, const std::wstring& key, std::wstring& value) const {
  std::wstring s = Trim(section), k = Trim(key);
  for (const Section& sec : sections_) {
    if (sec.headerLine == std::wstring::npos || !EqualsNoCase(sec.name, s)) continue;
    for (const Entry& e : sec.entries) {
      if (!EqualsNoCase(e.key, k)) continue;
      value = e.value;
      if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
      }
      return true;
    }
    return false;
  }
  return false;
}

void IniDocument::Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  std::wstring s = Trim(section), k = Trim(key);
  for (Section& sec : sections_) {
    if (sec.headerLine == std::wstring::npos || !EqualsNoCase(sec.name, s)) continue;
    for (Entry& e : sec.entries) {
      if (EqualsNoCase(e.key, k)) {
        lines_[e.line] = e.key + L"=" + value;
        Index();
        return;
      }
    }
    size_t at = sec.endLine;
    while (at > sec.headerLine + 1 && Trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), k + L"=" + value);
    Index();
    return;
  }
  lines_.push_back(L"[" + s + L"]");
  lines_.push_back(k + L"=" + value);
  Index();
}

std::vector<uint8_t> IniDocument::Serialize() const {
  std::wstring text;
  for (const std::wstring& l : lines_) text += l + L"\r\n";
  std::vector<uint8_t> out;
  switch (encoding_) {
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: {
      out = {0xFF, 0xFE};
      std::vector<uint8_t> body = WideToUtf16Le(text);
      out.insert(out.end(), body.begin(), body.end());
      if (encoding_ == Encoding::kUtf16Be) {
        for (size_t i = 0; i + 1 < out.size(); i += 2) std::swap(out[i], out[i + 1]);
      }
      break;
    }
    case Encoding::kCp1252:
      for (wchar_t c : text) {
        uint32_t u = static_cast<uint32_t>(c);
        out.push_back(static_cast<uint8_t>(u < 0x80 || (u >= 0xA0 && u < 0x100) ? u : '?'));
      }
      break;
    case Encoding::kUtf8Bom:
      out = {0xEF, 0xBB, 0xBF};
      [[fallthrough]];
    case Encoding::kUtf8: {
      std::string body = WideToUtf8(text);
      out.insert(out.end(), body.begin(), body.end());
      break;
    }
  }
  return out;
}

std::shared_ptr<const IniDocument> IniFileProfile::Load(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = cache_.find(path);
  if (it != cache_.end() && it->second.first == bytes) return it->second.second;
  auto doc = std::make_shared<const IniDocument>(IniDocument::Parse(bytes));
  cache_[path] = {std::move(bytes), doc};
  return doc;
}

std::wstring IniFileProfile::GetString(const std::wstring& section, const std::wstring& key,
                                       const std::wstring& defaultValue, size_t size,
                                       const std::wstring& path) {
  if (size == 0) return L"";
  std::wstring value = defaultValue;
  while (!value.empty() && value.back() == L' ') value.pop_back();
  std::shared_ptr<const IniDocument> doc = Load(path);
  std::wstring found;
  if (doc && doc->Find(section, key, found)) value = found;
  if (value.size() > size - 1) value.resize(size - 1);
  return value;
}

unsigned IniFileProfile::GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                                const std::wstring& path) {
  std::wstring text = GetString(section, key, L"", 30, path);
  if (text.empty()) return static_cast<unsigned>(defaultValue);
  return ParseProfileInt(text);
}

bool IniFileProfile::WriteString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& value, const std::wstring& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<uint8_t> bytes;
  IniDocument doc = ReadFileBytes(path, bytes) ? IniDocument::Parse(bytes) : IniDocument::Parse({});
  doc.Set(section, key, value);
  cache_.erase(path);
  return WriteFileBytes(path, doc.Serialize());
}

}  // namespace pointrix
