#pragma once

#include <memory>
#include <string>

#include "quillon/engine/ProcessDatabase.h"
#include "quillon/engine/ScanSources.h"
#include "quillon/engine/StartupScanner.h"
#include "quillon/engine/ZevCheck.h"

// The "Speed" category: startup entries the process database does not call
// needed, and services whose start mode differs from its advice.
class CZevCheck_SpeedUp : public CZevCheck {
 public:
  explicit CZevCheck_SpeedUp(const ScanSources& sources);
  ~CZevCheck_SpeedUp() override;
  void Check() override;

  const StartupScanner* Startup() const { return startup_.get(); }
  const ProcessDatabase* Database() const { return database_.get(); }

 private:
  ScanSources sources_;
  // Declared before the scanners, which read it, so that they go first.
  std::unique_ptr<ProcessDatabase> database_;
  std::unique_ptr<StartupScanner> startup_;
  std::unique_ptr<ServiceScanner> services_;
  std::wstring databasePath_;
};
