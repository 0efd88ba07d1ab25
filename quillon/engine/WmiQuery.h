#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

// One result row of a WMI query: property name -> value read as text.
using WmiRow = std::map<std::wstring, std::wstring>;

// A connection to a WMI namespace (the platform side).
class IWmiConnection {
 public:
  virtual ~IWmiConnection() = default;
  // (Re)connects to the namespace; a new call replaces an earlier connection.
  virtual bool Connect(const std::wstring& wmiNamespace) = 0;
  // Runs a WQL query on the current connection; false when it fails.
  virtual bool Execute(const std::wstring& wql, std::vector<WmiRow>& rows) = 0;
};

// Queries in "ROOT\CIMV2". A failed query reconnects once and runs again; a
// second failure yields no rows.
class WmiQuery {
 public:
  explicit WmiQuery(std::unique_ptr<IWmiConnection> connection);

  bool Connect();
  bool IsConnected() const { return connected_; }
  std::vector<WmiRow> Run(const std::wstring& wql);

  // The value of a property, empty when the row has none.
  static std::wstring Property(const WmiRow& row, const std::wstring& name);

 private:
  std::unique_ptr<IWmiConnection> connection_;
  bool connected_ = false;
};
