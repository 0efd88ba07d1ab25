#pragma once

#include <string>

#include "quillon/engine/ScanSources.h"
#include "quillon/engine/ZevCheck.h"

// The "Stability" category: stale or broken registry entries. Reads the
// 32-bit registry view unless a check says otherwise; repairs nothing.
class CZevCheck_SystemTweak : public CZevCheck {
 public:
  explicit CZevCheck_SystemTweak(const ScanSources& sources);
  void Check() override;

  // The single checks, each counting what it finds.
  int CountEmptyFileTypes() const;           // A
  int CountMissingSharedDlls() const;        // B
  int CountMissingComServers();              // C (reports progress)
  int CountMissingInstallerFolders() const;  // D
  int CountMissingComponentFiles() const;    // E
  int CountUninstallLeftovers() const;       // F

 private:
  // Missing for this process; a 32-bit process on 64-bit Windows also tries
  // the native system folder before calling a System32 path missing.
  bool IsMissing(const std::wstring& path) const;

  ScanSources sources_;
};
