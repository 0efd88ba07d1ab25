#pragma once

#include <string>
#include <vector>

#include "quillon/engine/ZevCheck.h"

// A check module with a scripted outcome, for previews of the module list:
// it "scans" for a while, lists its issue kinds and ends at a set value and
// count. With `holdMs` < 0 it keeps scanning until the host stops it.
class PreviewModule : public CZevCheck {
 public:
  struct Kind {
    std::wstring title;
    double value;
  };

  PreviewModule(std::wstring name, std::wstring description, double value, int count, std::vector<Kind> kinds,
                int holdMs, int climbMs);
  void Check() override;

 private:
  double value_;
  int count_;
  std::vector<Kind> kinds_;
  int holdMs_;
  int climbMs_;
};
