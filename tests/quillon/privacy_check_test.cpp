#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "quillon/engine/FolderMeasure.h"
#include "quillon/engine/StdFileSource.h"
#include "quillon/engine/ZevCheck_Security.h"
#include "scan_fakes.h"

namespace {

using scanfake::FakeMachine;

const uint64_t kMB = 1024 * 1024;

struct StopAt : IProgress {
  double stopAt;
  std::vector<double> steps;
  explicit StopAt(double at) : stopAt(at) {}
  void Begin() override {}
  bool Step(double percent) override {
    steps.push_back(percent);
    return percent < stopAt;
  }
  void End() override {}
};

class PrivacyCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    scanfake::UseEnglishTexts();
    m.shell.folders[CZevCheck_Security::kInternetCacheFolder] = L"C:\\Users\\u\\Cache";
    m.shell.folders[CZevCheck_Security::kCookiesFolder] = L"C:\\Users\\u\\Cookies";
    m.shell.folders[CZevCheck_Security::kHistoryFolder] = L"C:\\Users\\u\\History";
    m.shell.temp = L"C:\\Users\\u\\Temp";
    m.shell.system = L"D:\\Windows\\system32";
  }

  // Runs the check without animation pauses; returns the module result.
  CZevCheckResult* Run(IProgress* progress = nullptr) {
    module.reset(new CZevCheck_Security(m.Sources()));
    module->Result()->SetSleepFunction([](int) {});
    if (progress) module->SetProgress(progress);
    module->Check();
    return module->Result();
  }

  static std::wstring Title(const IResult* r) {
    return FetchText([&](wchar_t* b, int n) { return r->GetTitle(b, n); });
  }

  FakeMachine m;
  std::unique_ptr<CZevCheck_Security> module;
};

}  // namespace

TEST_F(PrivacyCheck, AreasContributeAndAreShownWithTheirNumbers) {
  // 2 500 cache files, 40 MB in all, spread over sub-folders.
  const uint64_t total = 40 * kMB;
  for (int i = 0; i < 2500; ++i) {
    const uint64_t size = total / 2500 + (i == 0 ? total % 2500 : 0);
    m.files.AddFile(
        L"C:\\Users\\u\\Cache\\Content.IE5\\F" + std::to_wstring(i % 4) + L"\\f" + std::to_wstring(i), size);
  }
  m.files.AddFile(L"C:\\Users\\u\\Cache\\outside.tmp", 5 * kMB);  // not under Content.IE5
  m.files.AddFolder(L"C:\\Users\\u\\Cookies");                    // no cookies at all
  m.files.AddFile(L"C:\\Users\\u\\History\\History.IE5\\index.dat", 10);
  m.files.AddFile(L"C:\\Users\\u\\History\\History.IE5\\MSHist01\\xDATy.tmp", 10);
  m.files.AddFile(L"C:\\Users\\u\\History\\History.IE5\\MSHist01\\notes.txt", 10);
  m.files.AddFile(L"C:\\Users\\u\\Temp\\big.bin", 100 * kMB);
  m.files.AddFile(L"C:\\Users\\u\\Temp\\sub\\more.bin", 20 * kMB);
  m.shell.recycleBytes = 1 * kMB;

  CZevCheckResult* r = Run();
  ASSERT_EQ(3, r->GetChildCount());
  EXPECT_EQ(L"Temporary internet files: 40.0 MB (2500 files)", Title(r->GetChild(0)));
  EXPECT_DOUBLE_EQ(40.0, r->GetChild(0)->GetValue());
  EXPECT_EQ(L"Browser history entries: more than 2", Title(r->GetChild(1)));
  EXPECT_DOUBLE_EQ(2.0, r->GetChild(1)->GetValue());
  EXPECT_EQ(L"Junk files found: more than 121.00 MB", Title(r->GetChild(2)));
  EXPECT_DOUBLE_EQ(100.0, r->GetChild(2)->GetValue());
  // 3 (cache) + 0 (cookies) + 2 (history) + 3 + 1 (junk)
  EXPECT_EQ(9, r->GetCount());
  EXPECT_EQ(L"9", r->CountText());
  EXPECT_DOUBLE_EQ(9.0, r->GetValue());
  EXPECT_EQ(L"Detected Internet traces, cookies, junk files:", r->Title());
  EXPECT_EQ((std::vector<std::wstring>{L""}), m.shell.recycleQueries);
}

TEST_F(PrivacyCheck, NothingFoundStillShowsCacheAndJunk) {
  CZevCheckResult* r = Run();
  ASSERT_EQ(2, r->GetChildCount());
  EXPECT_EQ(L"Temporary internet files: 0.0 MB (0 files)", Title(r->GetChild(0)));
  EXPECT_EQ(L"Junk files found: more than 0.00 MB", Title(r->GetChild(1)));
  EXPECT_EQ(0, r->GetCount());
  EXPECT_EQ(L"0", r->CountText());
  EXPECT_DOUBLE_EQ(0.0, r->GetValue());
}

TEST_F(PrivacyCheck, ValuesSaturateWhileTheCountKeepsTheFullNumber) {
  for (int i = 0; i < 250; ++i)
    m.files.AddFile(L"C:\\Users\\u\\Cookies\\u@site" + std::to_wstring(i) + L".txt", 1);
  m.files.AddFile(L"C:\\Users\\u\\Cookies\\index.dat", 1);  // not a cookie
  CZevCheckResult* r = Run();
  ASSERT_EQ(3, r->GetChildCount());
  EXPECT_EQ(L"Browser cookies found: more than 250", Title(r->GetChild(1)));
  EXPECT_DOUBLE_EQ(100.0, r->GetChild(1)->GetValue());
  EXPECT_EQ(250, r->GetCount());
  EXPECT_EQ(L"250", r->CountText());
  EXPECT_DOUBLE_EQ(100.0, r->GetValue());
}

TEST_F(PrivacyCheck, RecycleBinFallsBackToTheSystemDrive) {
  m.shell.allDrivesFail = true;
  m.shell.recycleBytes = 60 * kMB;
  CZevCheckResult* r = Run();
  EXPECT_EQ((std::vector<std::wstring>{L"", L"D:\\"}), m.shell.recycleQueries);
  EXPECT_EQ(L"Junk files found: more than 60.00 MB", Title(r->GetChild(1)));
  EXPECT_EQ(2, r->GetCount());

  m.shell.driveFails = true;
  m.shell.recycleQueries.clear();
  r = Run();
  EXPECT_EQ(L"Junk files found: more than 0.00 MB", Title(r->GetChild(1)));
  EXPECT_EQ(0, r->GetCount());
}

TEST_F(PrivacyCheck, AStopRequestEndsTheCheckAtTheNextStage) {
  m.files.AddFile(L"C:\\Users\\u\\Cookies\\a.txt", 1);
  StopAt stop(25);
  CZevCheckResult* r = Run(&stop);
  EXPECT_EQ((std::vector<double>{0, 25}), stop.steps);
  EXPECT_EQ(1, r->GetChildCount());  // only the cache area was measured

  StopAt never(1000);
  Run(&never);
  EXPECT_EQ((std::vector<double>{0, 25, 50, 75, 100}), never.steps);
}

TEST(FolderMeasure, WalksARealTreeWithTheNameFilter) {
  namespace fs = std::filesystem;
  std::mt19937 rng(std::random_device{}());
  const fs::path root = fs::temp_directory_path() / ("quillon-measure-" + std::to_string(rng()));
  fs::create_directories(root / "a" / "b" / "c");
  auto write = [](const fs::path& p, size_t n) { std::ofstream(p, std::ios::binary) << std::string(n, 'x'); };
  write(root / "index.DAT", 100);
  write(root / "a" / "cookie.txt", 10);
  write(root / "a" / "b" / "xdatx", 7);
  write(root / "a" / "b" / "c" / "plain.bin", 3);
  fs::create_directories(root / "empty");

  StdFileSource files;
  const std::wstring folder = root.wstring();
  const struct {
    const wchar_t* filter;
    uint64_t bytes, count;
  } cases[] = {{L"", 120, 4}, {L"dat", 107, 2}, {L"TXT", 10, 1}, {L"nothing", 0, 0}};
  for (const auto& c : cases) {
    uint64_t count = 5;  // the counter is added to, not reset
    EXPECT_EQ(c.bytes, MeasureFolder(files, folder, c.filter, count)) << c.filter;
    EXPECT_EQ(5 + c.count, count) << c.filter;
  }
  uint64_t count = 0;
  EXPECT_EQ(0u, MeasureFolder(files, folder + L"\\missing", L"", count));
  EXPECT_EQ(0u, count);
  fs::remove_all(root);
}
