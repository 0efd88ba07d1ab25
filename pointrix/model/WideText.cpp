#include "pointrix/model/WideText.h"

#include <cwctype>

namespace pointrix {

namespace {

void AppendCodePoint(std::wstring& out, uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(cp));
}

// Calls emit(codePoint) for each character of a wide string, joining
// surrogate pairs on 16-bit platforms.
template <typename F>
void ForEachCodePoint(const std::wstring& text, F emit) {
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = static_cast<uint32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      c &= 0xFFFF;
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
        uint32_t low = static_cast<uint32_t>(text[i + 1]) & 0xFFFF;
        if (low >= 0xDC00 && low <= 0xDFFF) {
          emit(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
          ++i;
          continue;
        }
      }
    }
    emit(c);
  }
}

}  // namespace

std::vector<uint8_t> WideToUtf16Le(const std::wstring& text) {
  std::vector<uint8_t> out;
  out.reserve(text.size() * 2);
  auto unit = [&out](uint32_t u) {
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>((u >> 8) & 0xFF));
  };
  ForEachCodePoint(text, [&](uint32_t cp) {
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp > 0xFFFF ? 0xFFFD : cp);
    }
  });
  return out;
}

static std::wstring DecodeUtf16(const uint8_t* bytes, size_t count, bool stopAtZero) {
  std::wstring out;
  size_t units = count / 2;
  out.reserve(units);
  for (size_t i = 0; i < units; ++i) {
    uint32_t u = bytes[2 * i] | (bytes[2 * i + 1] << 8);
    if (u == 0 && stopAtZero) break;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
      uint32_t low = bytes[2 * i + 2] | (bytes[2 * i + 3] << 8);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendCodePoint(out, u);
  }
  return out;
}

std::wstring Utf16LeToWide(const uint8_t* bytes, size_t count) { return DecodeUtf16(bytes, count, false); }

std::wstring Utf16LeToWideZ(const uint8_t* bytes, size_t count) { return DecodeUtf16(bytes, count, true); }

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  size_t i = 0;
  while (i < text.size()) {
    uint8_t c = static_cast<uint8_t>(text[i]);
    uint32_t cp = 0;
    int extra = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      AppendCodePoint(out, 0xFFFD);
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= text.size() || (static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
    }
    if (!ok) {
      AppendCodePoint(out, 0xFFFD);
      ++i;
      continue;
    }
    AppendCodePoint(out, cp);
    i += 1 + extra;
  }
  return out;
}

std::string WideToUtf8(const std::wstring& text) {
  std::string out;
  ForEachCodePoint(text, [&out](uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  });
  return out;
}

std::wstring Cp1252ToWide(const uint8_t* bytes, size_t count) {
  static const uint16_t kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                     0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  std::wstring out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    uint8_t c = bytes[i];
    out.push_back(static_cast<wchar_t>(c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c));
  }
  return out;
}

size_t Utf16Length(const std::wstring& text) {
  size_t n = 0;
  ForEachCodePoint(text, [&n](uint32_t cp) { n += (cp >= 0x10000 && cp <= 0x10FFFF) ? 2 : 1; });
  return n;
}

wchar_t FoldCase(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c < 0x80) return c;
  return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
  return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::wstring ToWide(long long value) {
  std::string s = std::to_string(value);
  return std::wstring(s.begin(), s.end());
}

}  // namespace pointrix
