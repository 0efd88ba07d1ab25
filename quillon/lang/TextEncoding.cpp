#include "quillon/lang/TextEncoding.h"

namespace {

constexpr bool kWideIs16 = sizeof(wchar_t) == 2;

void AppendUtf16Unit(std::string& out, unsigned unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>((unit >> 8) & 0xFF));
}

// Code points of the text; on 16-bit wchar_t, pairs are joined and unpaired
// surrogates kept as they are.
template <typename F>
void ForEachCodePoint(const std::wstring& text, F f) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned c = static_cast<unsigned>(text[i]) & (kWideIs16 ? 0xFFFFu : 0xFFFFFFFFu);
    if (kWideIs16 && c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      unsigned low = static_cast<unsigned>(text[i + 1]) & 0xFFFFu;
      if (low >= 0xDC00 && low < 0xE000) {
        f(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    f(c);
  }
}

void AppendCodePoint(std::wstring& out, char32_t cp) {
  if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
    cp -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(cp));
  }
}

}  // namespace

std::wstring WideFromUtf16Le(const std::string& bytes) {
  std::wstring text;
  size_t count = bytes.size() / 2;
  text.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    unsigned unit =
        static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    if (!kWideIs16 && unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
      unsigned low =
          static_cast<unsigned char>(bytes[2 * i + 2]) | (static_cast<unsigned char>(bytes[2 * i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        ++i;
        continue;
      }
    }
    text.push_back(static_cast<wchar_t>(unit));
  }
  return text;
}

std::string Utf16LeFromWide(const std::wstring& text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (wchar_t w : text) {
    unsigned c = static_cast<unsigned>(w) & (kWideIs16 ? 0xFFFFu : 0xFFFFFFFFu);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      AppendUtf16Unit(out, 0xD800 + (c >> 10));
      AppendUtf16Unit(out, 0xDC00 + (c & 0x3FF));
    } else {
      AppendUtf16Unit(out, c > 0x10FFFF ? 0xFFFD : c);
    }
  }
  return out;
}

std::string Utf8FromWide(const std::wstring& text) {
  std::string out;
  ForEachCodePoint(text, [&out](unsigned c) {
    if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  });
  return out;
}

std::wstring WideFromLatin1(const std::string& bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char b : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(b)));
  return text;
}

std::wstring WideFromUtf8(const std::string& bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.push_back(static_cast<wchar_t>(b));
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if ((b & 0xE0) == 0xC0) {
      extra = 1, cp = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, cp = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, cp = b & 0x07, least = 0x10000;
    } else {
      out.push_back(static_cast<wchar_t>(0xFFFD));
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool good = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= n || (static_cast<unsigned char>(bytes[j]) & 0xC0) != 0x80) {
        good = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(bytes[j]) & 0x3F);
    }
    if (!good || cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(static_cast<wchar_t>(0xFFFD));
      i = j;  // a broken sequence resumes at the byte that broke it
      continue;
    }
    AppendCodePoint(out, cp);
    i = j;
  }
  return out;
}
