#include "tools/skinview/PreviewModule.h"

#include <chrono>
#include <thread>

PreviewModule::PreviewModule(std::wstring name, std::wstring description, double value, int count,
                             std::vector<Kind> kinds, int holdMs, int climbMs)
    : CZevCheck(std::move(name), std::move(description), L"PREVIEW"),
      value_(value),
      count_(count),
      kinds_(std::move(kinds)),
      holdMs_(holdMs),
      climbMs_(climbMs) {}

void PreviewModule::Check() {
  if (!BeginCheck(L"Scanning...")) return;
  const auto start = std::chrono::steady_clock::now();
  for (int step = 1;; ++step) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    if (holdMs_ >= 0 && elapsed >= holdMs_) break;
    if (!ReportStep(holdMs_ > 0 ? 100.0 * static_cast<double>(elapsed) / holdMs_ : 50.0)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  CZevCheckResult* result = Result();
  for (const Kind& kind : kinds_) {
    auto* child = new CZevCheckResult();
    child->SetTitle(kind.title);
    child->SetValue(kind.value, 0);
    result->AddChild(child);
  }
  std::wstring title = count_ > 0 ? L"Issues found in this area" : L"Nothing to improve here";
  result->SetTitle(title);
  result->SetValueAndCount(value_, count_, climbMs_);
  FinishCheck();
}
