#include "pointrix/device/SimLink.h"

#include <algorithm>
#include <cstring>

std::string SimLinkHex(const uint8_t* data, size_t length) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(length * 2);
  for (size_t i = 0; i < length; ++i) {
    text.push_back(kDigits[data[i] >> 4]);
    text.push_back(kDigits[data[i] & 15]);
  }
  return text;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool SimLinkUnhex(const std::string& text, std::vector<uint8_t>* bytes, size_t maxBytes) {
  if (text.size() % 2 != 0 || text.size() / 2 > maxBytes) return false;
  std::vector<uint8_t> out(text.size() / 2);
  for (size_t i = 0; i < out.size(); ++i) {
    const int hi = HexDigit(text[2 * i]);
    const int lo = HexDigit(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    out[i] = static_cast<uint8_t>(hi << 4 | lo);
  }
  *bytes = std::move(out);
  return true;
}

std::string SimLinkUtf8(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = static_cast<uint32_t>(text[i]);
    if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
      const uint32_t low = static_cast<uint32_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | cp >> 6));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | cp >> 12));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | cp >> 18));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::wstring SimLinkWide(const std::string& utf8) {
  std::wstring out;
  auto put = [&out](uint32_t cp) {
    if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(cp));
    }
  };
  size_t i = 0;
  while (i < utf8.size()) {
    const uint8_t b = static_cast<uint8_t>(utf8[i]);
    int extra = 0;
    uint32_t cp = 0;
    uint32_t min = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
      put(0xFFFD);
      ++i;
      continue;
    }
    size_t j = 1;
    for (; j <= static_cast<size_t>(extra); ++j) {
      if (i + j >= utf8.size()) break;
      const uint8_t c = static_cast<uint8_t>(utf8[i + j]);
      if ((c & 0xC0) != 0x80) break;
      cp = cp << 6 | (c & 0x3F);
    }
    if (j <= static_cast<size_t>(extra) || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      put(0xFFFD);
      i += j;
      continue;
    }
    put(cp);
    i += j;
  }
  return out;
}

std::vector<std::string> SimLinkWords(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\r' || line[i] == '\n')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\r' && line[i] != '\n') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool SimLinkNumber(const std::string& word, uint64_t max, uint64_t* value) {
  if (word.empty() || word.size() > 19) return false;
  uint64_t v = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > max) return false;
  *value = v;
  return true;
}

bool ParseSimLinkAddress(const std::string& text, std::string* host, uint16_t* port) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  uint64_t value = 0;
  if (!SimLinkNumber(text.substr(colon + 1), 65535, &value) || value == 0) return false;
  const std::string name = text.substr(0, colon);
  for (char c : name) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    if (!ok) return false;
  }
  *host = name;
  *port = static_cast<uint16_t>(value);
  return true;
}

bool ParseSimLinkAnswer(const std::string& line, SimLinkAnswer* answer) {
  if (line.size() > kSimLinkMaxLine) return false;
  std::vector<std::string> words = SimLinkWords(line);
  if (words.empty() || (words[0] != "OK" && words[0] != "ERR")) return false;
  answer->ok = words[0] == "OK";
  answer->words.assign(words.begin() + 1, words.end());
  return true;
}

namespace {

// "usagePage usage featureLength inputLength" from four answer words.
bool ParseCaps(const std::vector<std::string>& words, size_t first, HidCaps* caps) {
  uint64_t v[4];
  if (words.size() != first + 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    if (!SimLinkNumber(words[first + i], 0xFFFF, &v[i])) return false;
  }
  caps->usagePage = static_cast<uint16_t>(v[0]);
  caps->usage = static_cast<uint16_t>(v[1]);
  caps->featureReportLength = static_cast<uint16_t>(v[2]);
  caps->inputReportLength = static_cast<uint16_t>(v[3]);
  return true;
}

class SimLinkDevice : public HidDevice {
 public:
  // The server hands out one handle per interface and keeps it while the
  // interface stays, so a device is not closed here: that saves a round trip
  // per command.
  SimLinkDevice(SimLinkBackend& backend, std::string handle, bool capsKnown, const HidCaps& caps)
      : backend_(backend), handle_(std::move(handle)), capsKnown_(capsKnown), caps_(caps) {}

  bool GetCaps(HidCaps* caps) override {
    if (capsKnown_) {
      *caps = caps_;
      return true;
    }
    SimLinkAnswer a;
    return Call("CAPS " + handle_, &a) && ParseCaps(a.words, 0, caps);
  }

  bool GetFeature(uint8_t* buffer, size_t length) override {
    if (!buffer || length == 0 || length > kSimLinkMaxTransfer) return false;
    SimLinkAnswer a;
    std::vector<uint8_t> bytes;
    if (!Call("GETF " + handle_ + " " + std::to_string(length), &a) || a.words.size() != 1 ||
        !SimLinkUnhex(a.words[0], &bytes, length)) {
      return false;
    }
    std::fill(buffer, buffer + length, 0);
    std::copy(bytes.begin(), bytes.end(), buffer);
    return true;
  }

  bool SetFeature(const uint8_t* buffer, size_t length) override {
    if (!buffer || length == 0 || length > kSimLinkMaxTransfer) return false;
    SimLinkAnswer a;
    return Call("SETF " + handle_ + " " + SimLinkHex(buffer, length), &a);
  }

  bool GetIndexedString(int index, uint8_t* buffer, size_t length) override {
    if (!buffer || length == 0 || index < 0) return false;
    const size_t asked = std::min(length, kSimLinkMaxTransfer);
    SimLinkAnswer a;
    std::vector<uint8_t> bytes;
    if (!Call("STR " + handle_ + " " + std::to_string(index) + " " + std::to_string(asked), &a) ||
        a.words.size() > 1 || !SimLinkUnhex(a.words.empty() ? std::string() : a.words[0], &bytes, asked)) {
      return false;
    }
    std::copy(bytes.begin(), bytes.end(), buffer);
    return true;
  }

  void CancelIo() override {}

  bool IsDisconnected() const override { return gone_; }

 private:
  bool Call(const std::string& request, SimLinkAnswer* answer) {
    if (!backend_.Call(request, answer)) {
      gone_ = true;
      return false;
    }
    if (!answer->ok) {
      // A refused transfer may mean the mouse was unplugged.
      SimLinkAnswer conn;
      if (!backend_.Call("CONN " + handle_, &conn) || conn.words.empty() || conn.words[0] != "1")
        gone_ = true;
    }
    return answer->ok;
  }

  SimLinkBackend& backend_;
  std::string handle_;
  bool capsKnown_;
  HidCaps caps_;
  bool gone_ = false;
};

}  // namespace

bool SimLinkBackend::Call(const std::string& request, SimLinkAnswer* answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (broken_ || !channel_) return false;
  std::string line;
  if (!channel_->Exchange(request, &line)) {
    broken_ = true;
    return false;
  }
  return ParseSimLinkAnswer(line, answer);
}

std::vector<std::wstring> SimLinkBackend::EnumerateInterfaces() {
  std::vector<std::wstring> paths;
  SimLinkAnswer a;
  if (!Call("ENUM", &a) || !a.ok) return paths;
  for (const std::string& word : a.words) {
    std::vector<uint8_t> bytes;
    if (!SimLinkUnhex(word, &bytes, kSimLinkMaxLine)) continue;
    paths.push_back(SimLinkWide(std::string(bytes.begin(), bytes.end())));
  }
  return paths;
}

std::unique_ptr<HidDevice> SimLinkBackend::Open(const std::wstring& path) {
  const std::string utf8 = SimLinkUtf8(path);
  SimLinkAnswer a;
  uint64_t handle = 0;
  if (!Call("OPEN " + SimLinkHex(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()), &a) || !a.ok ||
      a.words.empty() || !SimLinkNumber(a.words[0], 0xFFFFFFFFu, &handle)) {
    return nullptr;
  }
  HidCaps caps;
  const bool capsKnown = ParseCaps(a.words, 1, &caps);
  return std::make_unique<SimLinkDevice>(*this, std::to_string(handle), capsKnown, caps);
}

bool SimLinkBackend::ReadInputReport(const std::wstring& path, std::vector<uint8_t>* report) {
  const std::string utf8 = SimLinkUtf8(path);
  SimLinkAnswer a;
  if (!Call("INPUT " + SimLinkHex(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()), &a) || !a.ok ||
      a.words.size() != 1) {
    return false;
  }
  return SimLinkUnhex(a.words[0], report, kSimLinkMaxTransfer) && !report->empty();
}
