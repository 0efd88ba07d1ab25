#pragma once

#include <string>
#include <vector>

// Fills a string-table text's printf-style placeholders ("%d", "%.1f", "%.2f",
// "%s", "%%") in order. Numbers always use "." as the decimal point; a missing
// argument leaves its placeholder empty and extra arguments are ignored, so a
// translation with a broken placeholder cannot read past the arguments.
struct TextArg {
  enum Kind { Integer, Real, Text } kind;
  long long integer = 0;
  double real = 0;
  std::wstring text;
  TextArg(int v) : kind(Integer), integer(v) {}                // NOLINT: implicit by design
  TextArg(long long v) : kind(Integer), integer(v) {}          // NOLINT
  TextArg(double v) : kind(Real), real(v) {}                   // NOLINT
  TextArg(std::wstring v) : kind(Text), text(std::move(v)) {}  // NOLINT
};

std::wstring FormatText(const std::wstring& pattern, const std::vector<TextArg>& args);
