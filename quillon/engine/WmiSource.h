#pragma once

#include <string>
#include <vector>

#include "quillon/services/WmiValue.h"

// WMI's "ROOT\CIMV2" namespace as the speed check reads it. A query that fails
// is retried once on a new connection by the implementation; a second failure
// gives false and no rows.
class IWmiSource {
 public:
  virtual ~IWmiSource() = default;
  virtual bool Connect() = 0;
  virtual bool Query(const std::wstring& wql, std::vector<WmiRow>& rows) = 0;
};
