#pragma once

#include "pointrix/model/PrivateProfile.h"

namespace pointrix {

// The system's own private-profile functions.
class Win32PrivateProfile : public IPrivateProfile {
 public:
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& defaultValue, size_t size, const std::wstring& path) override;
  unsigned GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                  const std::wstring& path) override;
  bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                   const std::wstring& path) override;
};

}  // namespace pointrix
