#include "quillon/engine/WmiQuery.h"

namespace {
const wchar_t kNamespace[] = L"ROOT\\CIMV2";
}

WmiQuery::WmiQuery(std::unique_ptr<IWmiConnection> connection) : connection_(std::move(connection)) {}

bool WmiQuery::Connect() {
  connected_ = connection_ && connection_->Connect(kNamespace);
  return connected_;
}

std::vector<WmiRow> WmiQuery::Run(const std::wstring& wql) {
  std::vector<WmiRow> rows;
  if (!connection_) return rows;
  if (connected_ && connection_->Execute(wql, rows)) return rows;
  rows.clear();
  connected_ = connection_->Connect(kNamespace);
  if (connected_ && connection_->Execute(wql, rows)) return rows;
  rows.clear();
  return rows;
}

std::wstring WmiQuery::Property(const WmiRow& row, const std::wstring& name) {
  const auto it = row.find(name);
  return it == row.end() ? std::wstring() : it->second;
}
