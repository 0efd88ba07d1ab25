#pragma once

#include <map>
#include <string>

// One property of a WMI result row. WMI hands back numbers of up to 32 bits as
// numbers and 64-bit ones (Capacity, TotalVisibleMemorySize) as decimal text,
// so a reader that sums sizes has to know which of the two it got.
struct WmiValue {
  enum class Kind { Empty, Number, Text };
  Kind kind = Kind::Empty;
  long long number = 0;
  std::wstring text;

  // The value as text: a number in decimal, an empty value as "".
  std::wstring AsText() const;
};

// A result row: property name -> value. Names are matched exactly as WMI spells them.
using WmiRow = std::map<std::wstring, WmiValue>;

// The property's text, or "" when the row lacks it.
std::wstring WmiRowText(const WmiRow& row, const std::wstring& name);
