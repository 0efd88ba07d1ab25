#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "quillon/services/WmiValue.h"

struct IWbemLocator;
struct IWbemServices;

// A connection to WMI's "ROOT\CIMV2" namespace for WQL queries. It initialises
// COM for the calling thread (single-threaded apartment) and must be used on
// the thread that created it. Not copyable.
class WmiQuery {
 public:
  WmiQuery();
  ~WmiQuery();
  WmiQuery(const WmiQuery&) = delete;
  WmiQuery& operator=(const WmiQuery&) = delete;

  // Connects (COM, process security, locator, "ROOT\CIMV2", proxy security).
  // Connecting again drops the old connection first.
  bool Connect();
  bool IsConnected() const { return services_ != nullptr; }

  // Runs a WQL query (return-immediately, forward-only) and appends one row per
  // result object to rows. `properties` names the properties to read; when it
  // is empty every non-system property is read. A failing query reconnects once
  // and is retried once; a second failure gives false and no rows.
  bool Run(const std::wstring& wql, const std::vector<std::wstring>& properties, std::vector<WmiRow>& rows);

 private:
  void Disconnect();
  HRESULT RunOnce(const std::wstring& wql, const std::vector<std::wstring>& properties,
                  std::vector<WmiRow>& rows);

  bool com_initialised_ = false;
  IWbemLocator* locator_ = nullptr;
  IWbemServices* services_ = nullptr;
};
