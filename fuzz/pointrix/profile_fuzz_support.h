#pragma once

// An in-memory private profile over one parsed document, for the INI fuzz
// targets (the path argument is ignored).
#include <string>

#include "pointrix/model/PrivateProfile.h"

class FuzzProfile : public pointrix::IPrivateProfile {
 public:
  explicit FuzzProfile(pointrix::IniDocument doc) : doc_(std::move(doc)) {}
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& defaultValue, size_t size, const std::wstring&) override {
    std::wstring value = defaultValue;
    doc_.Find(section, key, value);
    if (size == 0) return L"";
    if (value.size() > size - 1) value.resize(size - 1);
    return value;
  }
  unsigned GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                  const std::wstring& path) override {
    std::wstring text = GetString(section, key, L"", 30, path);
    return text.empty() ? static_cast<unsigned>(defaultValue) : pointrix::ParseProfileInt(text);
  }
  bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                   const std::wstring&) override {
    doc_.Set(section, key, value);
    return true;
  }

 private:
  pointrix::IniDocument doc_;
};
