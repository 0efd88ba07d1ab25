#include "quillon/engine/TextFormat.h"

#include <cmath>
#include <cstdio>

namespace {

std::wstring FormatReal(double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::wstring out;
  for (const char* p = buffer; *p; ++p) {
    const char c = *p;
    out.push_back((c >= '0' && c <= '9') || c == '-' ? static_cast<wchar_t>(c) : L'.');
  }
  return out;
}

std::wstring FormatInteger(long long value) { return std::to_wstring(value); }

}  // namespace

std::wstring FormatText(const std::wstring& pattern, const std::vector<TextArg>& args) {
  std::wstring out;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != L'%') {
      out.push_back(pattern[i]);
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == L'%') {
      out.push_back(L'%');
      ++i;
      continue;
    }
    // %[flags][width][.precision][length]conversion
    size_t j = i + 1;
    while (j < pattern.size() && (pattern[j] == L'-' || pattern[j] == L'+' || pattern[j] == L' ' ||
                                  pattern[j] == L'0' || pattern[j] == L'#'))
      ++j;
    while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9') ++j;
    int precision = -1;
    if (j < pattern.size() && pattern[j] == L'.') {
      precision = 0;
      ++j;
      while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9') {
        if (precision < 30) precision = precision * 10 + (pattern[j] - L'0');
        ++j;
      }
    }
    while (j < pattern.size() && (pattern[j] == L'l' || pattern[j] == L'h' || pattern[j] == L'I' ||
                                  pattern[j] == L'6' || pattern[j] == L'4'))
      ++j;
    if (j >= pattern.size()) {
      out.append(pattern, i, std::wstring::npos);
      break;
    }
    const wchar_t conversion = pattern[j];
    const TextArg* arg = next < args.size() ? &args[next] : nullptr;
    ++next;
    if (arg != nullptr) {
      const double real = arg->kind == TextArg::Real ? arg->real : static_cast<double>(arg->integer);
      const long long integer =
          arg->kind == TextArg::Integer ? arg->integer : static_cast<long long>(arg->real);
      switch (conversion) {
        case L'd':
        case L'i':
        case L'u':
          out += arg->kind == TextArg::Text ? arg->text : FormatInteger(integer);
          break;
        case L'f':
          out += arg->kind == TextArg::Text ? arg->text : FormatReal(real, precision < 0 ? 6 : precision);
          break;
        case L's':
        case L'S':
          out += arg->kind == TextArg::Text
                     ? arg->text
                     : (arg->kind == TextArg::Real ? FormatReal(real, 6) : FormatInteger(integer));
          break;
        default:
          out.append(pattern, i, j - i + 1);
          break;
      }
    }
    i = j;
  }
  return out;
}
