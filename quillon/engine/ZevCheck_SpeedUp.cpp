#include "quillon/engine/ZevCheck_SpeedUp.h"

#include "quillon/engine/TextFormat.h"
#include "quillon/lang/Text.h"

CZevCheck_SpeedUp::CZevCheck_SpeedUp(const ScanSources& sources)
    : CZevCheck(LoadText(154), LoadText(155), L"SPEEDUP"), sources_(sources) {}

CZevCheck_SpeedUp::~CZevCheck_SpeedUp() {
  startup_.reset();
  services_.reset();
  database_.reset();
}

void CZevCheck_SpeedUp::Check() {
  if (!BeginCheck(LoadText(174))) return;
  CZevCheckResult* result = Result();
  const IFileSource& files = *sources_.files;
  const IShellSource& shell = *sources_.shell;

  startup_.reset();
  services_.reset();
  databasePath_ = shell.TempFolder() + L"\\process.dat";
  if (files.Exists(databasePath_)) files.Remove(databasePath_);
  const bool written = shell.WriteProcessDatabase(databasePath_);
  database_.reset(
      new ProcessDatabase(written ? databasePath_ : std::wstring(), files, shell.ProgramFolder()));

  startup_.reset(new StartupScanner(database_.get(), sources_));
  startup_->Scan();
  const int startup = startup_->GetUnnecessaryCount();
  result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(156), {startup}), startup * 20.0));

  if (!ReportStep(50.0)) return;

  services_.reset(new ServiceScanner(database_.get(), sources_));
  services_->Scan();
  const int optimizable = services_->GetOptimizableCount();
  result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(157), {optimizable}), optimizable * 5.0));

  const double value = startup * 10.0 + optimizable * 2.0;
  const int count = startup + optimizable;
  result->SetTitle(LoadText(162));
  result->SetValueAndCount(value, count, 5000);
  result->SetCountText(std::to_wstring(count));
  result->SetCount(count);
  result->SetValue(value, 0);

  FinishCheck();
}
