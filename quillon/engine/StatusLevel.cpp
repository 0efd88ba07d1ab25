#include "quillon/engine/StatusLevel.h"

unsigned StatusWordTextId(unsigned level) {
  if (level < kStatusGood) return 139;
  if (level < kStatusModerate) return 182;
  if (level < kStatusPoor) return 181;
  return 180;
}

Severity ClassifySeverity(double value) {
  if (value >= 70) return Severity::High;
  if (value > 35) return Severity::Medium;
  return Severity::Low;
}
