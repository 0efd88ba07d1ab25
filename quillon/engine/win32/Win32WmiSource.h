#pragma once

#include "quillon/engine/WmiSource.h"
#include "quillon/services/win32/WmiQuery.h"

// WMI through the services' query, which connects COM on the calling thread
// and retries a failed query once on a new connection.
class Win32WmiSource : public IWmiSource {
 public:
  bool Connect() override { return query_.Connect(); }
  bool Query(const std::wstring& wql, std::vector<WmiRow>& rows) override {
    rows.clear();
    return query_.Run(wql, {}, rows);
  }

 private:
  WmiQuery query_;
};
