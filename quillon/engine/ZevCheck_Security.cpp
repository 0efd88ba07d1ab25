#include "quillon/engine/ZevCheck_Security.h"

#include <climits>
#include <cmath>

#include "quillon/engine/FolderMeasure.h"
#include "quillon/engine/TextFormat.h"
#include "quillon/lang/Text.h"

namespace {

double Megabytes(uint64_t bytes) { return static_cast<double>(bytes) / 1024.0 / 1024.0; }

int CountForDisplay(uint64_t count) { return static_cast<int>(static_cast<uint32_t>(count)); }

int IssuesForResult(int64_t issues) { return issues > INT_MAX ? INT_MAX : static_cast<int>(issues); }

}  // namespace

CZevCheck_Security::CZevCheck_Security(const ScanSources& sources)
    : CZevCheck(LoadText(160), LoadText(161), L"SECURITY"), sources_(sources) {}

uint64_t CZevCheck_Security::RecycleBinBytes() const {
  uint64_t bytes = 0, items = 0;
  if (sources_.shell->QueryRecycleBin(std::wstring(), bytes, items)) return bytes;
  const std::wstring system = sources_.shell->SystemFolder();
  const std::wstring root = system.size() >= 2 && system[1] == L':' ? system.substr(0, 2) + L"\\" : system;
  bytes = 0;
  if (sources_.shell->QueryRecycleBin(root, bytes, items)) return bytes;
  return 0;
}

void CZevCheck_Security::Check() {
  if (!BeginCheck(LoadText(176))) return;
  CZevCheckResult* result = Result();
  const IFileSource& files = *sources_.files;
  const IShellSource& shell = *sources_.shell;
  double p = 0;
  int64_t issues = 0;

  auto raise = [&] {
    result->SetTitle(LoadText(166));
    result->SetValueAndCount(static_cast<double>(issues), IssuesForResult(issues), 3000);
  };

  // Temporary internet files: one issue per thousand files.
  uint64_t cacheCount = 0;
  const uint64_t cacheBytes =
      MeasureFolder(files, shell.SpecialFolder(kInternetCacheFolder) + L"\\Content.IE5", L"", cacheCount);
  issues = static_cast<int64_t>((cacheCount + 999) / 1000);
  result->AddChild(CZevCheckResult::NewChild(
      FormatText(LoadText(170), {Megabytes(cacheBytes), CountForDisplay(cacheCount)}),
      Megabytes(cacheBytes)));
  raise();
  p += 25;
  if (!ReportStep(p)) return;

  // Cookies: every cookie file is an issue.
  uint64_t cookies = 0;
  MeasureFolder(files, shell.SpecialFolder(kCookiesFolder), L"txt", cookies);
  issues += static_cast<int64_t>(cookies);
  if (cookies > 0) {
    result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(168), {CountForDisplay(cookies)}),
                                               static_cast<double>(cookies)));
  }
  raise();
  p += 25;
  if (!ReportStep(p)) return;

  // History: every history data file is an issue.
  uint64_t history = 0;
  MeasureFolder(files, shell.SpecialFolder(kHistoryFolder) + L"\\History.IE5", L"dat", history);
  issues += static_cast<int64_t>(history);
  if (history > 0) {
    result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(172), {CountForDisplay(history)}),
                                               static_cast<double>(history)));
  }
  raise();
  p += 25;
  if (!ReportStep(p)) return;

  // Junk: one issue per started 50 MB, temporary folder and recycle bin apart.
  uint64_t tempCount = 0;
  const uint64_t tempBytes = MeasureFolder(files, shell.TempFolder(), L"", tempCount);
  const uint64_t recycleBytes = RecycleBinBytes();
  issues += static_cast<int64_t>(std::ceil(Megabytes(tempBytes) / 50.0)) +
            static_cast<int64_t>(std::ceil(Megabytes(recycleBytes) / 50.0));
  const double junk = Megabytes(tempBytes) + Megabytes(recycleBytes);
  result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(140), {junk}), junk));
  raise();

  FinishCheck();
}
