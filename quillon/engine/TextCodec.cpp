#include "quillon/engine/TextCodec.h"

std::wstring UpperText(const std::wstring& text) {
  std::wstring out(text);
  for (wchar_t& c : out) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c = static_cast<wchar_t>(c - 0x20);
  }
  return out;
}

bool ContainsText(const std::wstring& text, const std::wstring& part) {
  return text.find(part) != std::wstring::npos;
}

bool ContainsTextNoCase(const std::wstring& text, const std::wstring& part) {
  return UpperText(text).find(UpperText(part)) != std::wstring::npos;
}

bool EqualTextNoCase(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && UpperText(a) == UpperText(b);
}

std::wstring TrimSpaces(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  const size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

std::wstring FileNamePart(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ReplaceAll(const std::wstring& text, const std::wstring& from, const std::wstring& to) {
  if (from.empty()) return text;
  std::wstring out;
  size_t pos = 0;
  for (;;) {
    const size_t hit = text.find(from, pos);
    if (hit == std::wstring::npos) break;
    out.append(text, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text, pos, std::wstring::npos);
  return out;
}

std::wstring WidenAscii(const char* text) {
  std::wstring out;
  for (; *text; ++text) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
  return out;
}
