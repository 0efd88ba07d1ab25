#pragma once

#include <cstdint>

#include "quillon/engine/ScanSources.h"
#include "quillon/engine/ZevCheck.h"

// The "Privacy" category: browser traces and junk files in four areas, turned
// into one number of issues. Nothing is deleted.
class CZevCheck_Security : public CZevCheck {
 public:
  explicit CZevCheck_Security(const ScanSources& sources);
  void Check() override;

  // Shell folder numbers of the browser stores.
  static constexpr int kInternetCacheFolder = 32;
  static constexpr int kCookiesFolder = 33;
  static constexpr int kHistoryFolder = 34;

 private:
  // Bytes in the recycle bins of all drives, or of the system drive when the
  // first query fails; 0 when both fail.
  uint64_t RecycleBinBytes() const;

  ScanSources sources_;
};
