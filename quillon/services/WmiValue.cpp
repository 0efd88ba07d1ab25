#include "quillon/services/WmiValue.h"

std::wstring WmiValue::AsText() const {
  switch (kind) {
    case Kind::Number:
      return std::to_wstring(number);
    case Kind::Text:
      return text;
    default:
      return std::wstring();
  }
}

std::wstring WmiRowText(const WmiRow& row, const std::wstring& name) {
  auto it = row.find(name);
  return it == row.end() ? std::wstring() : it->second.AsText();
}
