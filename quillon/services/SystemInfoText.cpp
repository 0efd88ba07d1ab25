#include "quillon/services/SystemInfoText.h"

#include <cstdio>
#include <cwchar>

namespace {

std::vector<long> VersionNumbers(std::wstring text) {
  std::vector<long> numbers;
  // A dot at the very start does not separate (it belongs to the first number).
  for (size_t dot = text.find(L'.', 1); dot != std::wstring::npos && !text.empty();
       dot = text.find(L'.', 1)) {
    numbers.push_back(std::wcstol(text.substr(0, dot).c_str(), nullptr, 10));
    text.erase(0, dot + 1);
  }
  if (!text.empty()) numbers.push_back(std::wcstol(text.c_str(), nullptr, 10));
  return numbers;
}

std::wstring Widen(const char* s) { return std::wstring(s, s + std::char_traits<char>::length(s)); }

}  // namespace

std::wstring HigherVersion(const std::wstring& a, const std::wstring& b) {
  std::vector<long> na = VersionNumbers(a), nb = VersionNumbers(b);
  size_t n = na.size() < nb.size() ? na.size() : nb.size();
  for (size_t i = 0; i < n; ++i) {
    if (nb[i] < na[i]) return a;
    if (na[i] < nb[i]) return b;
  }
  return nb.size() > na.size() ? b : a;
}

std::wstring FormatByteSize(long long bytes, bool base1024) {
  if (bytes <= 0) return L"0 Bytes";
  const double base = base1024 ? 1024.0 : 1000.0;
  const double value = static_cast<double>(bytes);
  static const char* const kUnits[] = {"TB", "GB", "MB", "kB"};
  double scale = base * base * base * base;
  for (const char* unit : kUnits) {
    if (value >= scale) {
      char text[64];
      std::snprintf(text, sizeof text, "%.1f %s", value / scale, unit);
      return Widen(text);
    }
    scale /= base;
  }
  return std::to_wstring(static_cast<int>(static_cast<unsigned>(bytes & 0xFFFFFFFF))) + L" Byte";
}

std::wstring PercentEncode(const std::wstring& text, bool keepAlphanumerics) {
  std::wstring out;
  for (wchar_t c : text) {
    bool alnum = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
    if (keepAlphanumerics && alnum) {
      out += c;
    } else {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%%%X", static_cast<unsigned>(c));
      out += Widen(hex);
    }
  }
  return out;
}

std::wstring SystemInfoJson(const std::wstring& id, const std::wstring& lang, const std::wstring& os,
                            const std::wstring& net, const std::wstring& ram) {
  return L"{\"system\": {\"ID\":\"" + id + L"\", \"LANG\":\"" + lang + L"\", \"OS\":\"" + os +
         L"\",\"NET\":\"" + net + L"\",\"RAM\":\"" + ram + L"\"}}";
}

long long SumWmiSizes(const std::vector<WmiRow>& rows, const std::wstring& property) {
  long long total = 0;
  for (const WmiRow& row : rows) {
    auto it = row.find(property);
    if (it == row.end()) continue;
    const WmiValue& v = it->second;
    if (v.kind == WmiValue::Kind::Number) {
      total += v.number;
    } else if (v.kind == WmiValue::Kind::Text) {
      total += std::wcstoll(v.text.c_str(), nullptr, 10);
    }
  }
  return total;
}

long long MemoryTotalFromWmi(const std::vector<WmiRow>& physicalRows,
                             const std::function<std::vector<WmiRow>()>& osRows) {
  constexpr long long kBound = 34359738368LL;  // 32 GiB
  long long total = SumWmiSizes(physicalRows, L"Capacity");
  if (total <= 0 || total > kBound) {
    std::vector<WmiRow> rows = osRows ? osRows() : std::vector<WmiRow>();
    total = SumWmiSizes(rows, L"TotalVisibleMemorySize");
    if (!rows.empty()) total *= 1024;
  }
  return total <= 0 ? 1 : total;
}
