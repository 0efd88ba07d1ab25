#pragma once

// Overall status of a scan and the severity class of one module.
enum StatusLevel : unsigned {
  kStatusUnknown = 0,
  kStatusGood = 10,
  kStatusModerate = 20,
  kStatusPoor = 30,
};

// String id of the status word for a level: 139 unknown, 182 good,
// 181 moderate, 180 poor.
unsigned StatusWordTextId(unsigned level);

// Levels above "good" also show 188 "WARNING!".
inline bool StatusShowsWarning(unsigned level) { return level > kStatusGood; }

enum class Severity { Low, Medium, High };

// value >= 70 high, value > 35 medium, otherwise low.
Severity ClassifySeverity(double value);
