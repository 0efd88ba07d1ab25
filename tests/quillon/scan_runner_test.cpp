#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "quillon/engine/ScanRunner.h"
#include "quillon/engine/ZevCheck.h"

namespace {

struct RecordingHost : IScanHost {
  int starts = 0, stops = 0, repaints = 0, done = 0;
  void StartTick() override { ++starts; }
  void StopTick() override { ++stops; }
  void Repaint() override { ++repaints; }
  void NotifyScanDone() override { ++done; }
};

// A module that follows the run protocol and ends with a fixed value.
class ValueModule : public CZevCheck {
 public:
  explicit ValueModule(double value, int count = 1)
      : CZevCheck(L"Name", L"Description", L"KEY"), value_(value), count_(count) {}
  void Check() override {
    if (!BeginCheck(L"Scanning...")) return;
    if (!ReportStep(50)) return;
    Result()->SetTitle(L"Done");
    Result()->SetValueAndCount(value_, count_, 0);
    FinishCheck();
  }

 private:
  double value_;
  int count_;
};

// A module that holds the worker until released, stepping all the while.
class GateModule : public CZevCheck {
 public:
  GateModule() : CZevCheck(L"Gate", L"", L"GATE") {}
  void Check() override {
    if (!BeginCheck(L"Scanning...")) return;
    entered = true;
    while (!released) {
      if (!ReportStep(10)) {
        stopped = true;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Result()->SetValueAndCount(90, 5, 0);
    FinishCheck();
  }
  std::atomic<bool> entered{false}, released{false}, stopped{false};
};

void WaitUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 20000 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(condition());
}

void WaitForWorker(const ScanRunner& runner) {
  WaitUntil([&] { return !runner.IsScanRunning(); });
}

// Ticks until the scan is announced; returns the number of ticks.
int TickUntilDone(ScanRunner& runner, RecordingHost& host, int limit = 100) {
  for (int tick = 1; tick <= limit; ++tick) {
    runner.Tick();
    if (host.done > 0) return tick;
  }
  return -1;
}

}  // namespace

TEST(ScanRunnerLevels, FollowTheModuleValues) {
  const struct {
    std::vector<double> values;
    unsigned level;
    unsigned word;
  } cases[] = {
      {{20, 30, 10}, 10, 182}, {{50, 20, 20}, 20, 181}, {{50, 50, 50}, 30, 180}, {{80, 10, 10}, 20, 181},
      {{80, 80, 0}, 30, 180},  {{80, 40}, 30, 180},     {{35, 35, 35}, 10, 182}, {{70, 0, 0}, 20, 181},
      {{70, 70}, 30, 180},     {{35.5, 35.5}, 20, 181}, {{0, 80}, 20, 181},      {{36, 36, 70}, 30, 180},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    ScanRunner runner(&host);
    for (double v : c.values) runner.AddModule(new ValueModule(v));
    ASSERT_TRUE(runner.StartScan(-1));
    WaitForWorker(runner);
    EXPECT_EQ(c.level, runner.GetStatusLevel()) << "first value " << c.values[0];
    EXPECT_EQ(c.word, StatusWordTextId(runner.GetStatusLevel()));
    runner.CancelScan();
  }
}

TEST(ScanRunnerLevels, SeverityClassesAndWarning) {
  EXPECT_EQ(Severity::Low, ClassifySeverity(35));
  EXPECT_EQ(Severity::Medium, ClassifySeverity(35.5));
  EXPECT_EQ(Severity::Medium, ClassifySeverity(69.9));
  EXPECT_EQ(Severity::High, ClassifySeverity(70));
  EXPECT_EQ(139u, StatusWordTextId(0));
  EXPECT_EQ(182u, StatusWordTextId(19));
  EXPECT_FALSE(StatusShowsWarning(10));
  EXPECT_TRUE(StatusShowsWarning(20));
}

TEST(ScanRunnerAnimation, DisplayedLevelClimbsOneUnitPerTickBeforeDone) {
  RecordingHost host;
  ScanRunner runner(&host);
  for (double v : {20.0, 30.0, 10.0}) runner.AddModule(new ValueModule(v));
  ASSERT_TRUE(runner.StartScan(-1));
  EXPECT_EQ(1, host.starts);
  WaitForWorker(runner);

  for (unsigned expected = 1; expected <= 10; ++expected) {
    runner.Tick();
    EXPECT_EQ(expected, runner.GetDisplayedLevel());
    EXPECT_EQ(0, host.done);
  }
  runner.Tick();
  EXPECT_EQ(1, host.done);
  EXPECT_EQ(1, host.stops);
  runner.Tick();  // the timer is gone: nothing more is announced
  EXPECT_EQ(1, host.done);
}

TEST(ScanRunnerAnimation, ModerateStartsTheDisplayAtGood) {
  RecordingHost host;
  ScanRunner runner(&host);
  runner.AddModule(new ValueModule(50));
  ASSERT_TRUE(runner.StartScan(-1));
  WaitForWorker(runner);
  EXPECT_EQ(10u, runner.GetDisplayedLevel());
  EXPECT_EQ(0u, runner.GetPreviousLevel());
  EXPECT_EQ(11, TickUntilDone(runner, host));
  EXPECT_EQ(20u, runner.GetDisplayedLevel());
}

TEST(ScanRunnerCancel, DuringTheFinalAnimationSendsNoDone) {
  RecordingHost host;
  ScanRunner runner(&host);
  runner.AddModule(new ValueModule(80));
  runner.AddModule(new ValueModule(80));
  ASSERT_TRUE(runner.StartScan(-1));
  WaitForWorker(runner);
  for (int i = 0; i < 5; ++i) runner.Tick();
  ASSERT_LT(runner.GetDisplayedLevel(), runner.GetStatusLevel());

  EXPECT_TRUE(runner.CancelScan());
  EXPECT_EQ(1, host.stops);
  EXPECT_EQ(0u, runner.GetStatusLevel());
  EXPECT_EQ(0u, runner.GetDisplayedLevel());
  EXPECT_EQ(0u, runner.GetPreviousLevel());
  for (int i = 0; i < 50; ++i) runner.Tick();
  EXPECT_EQ(0, host.done);
  // Results stay until the modules are removed.
  EXPECT_TRUE(runner.GetItem(1)->done);
  EXPECT_EQ(2, runner.GetTotalCount());
}

TEST(ScanRunnerCancel, StopsARunningModuleAtItsNextStep) {
  RecordingHost host;
  ScanRunner runner(&host);
  auto* gate = new GateModule;
  runner.AddModule(gate);
  runner.AddModule(new ValueModule(80));
  ASSERT_TRUE(runner.StartScan(-1));
  WaitUntil([&] { return gate->entered.load(); });

  EXPECT_TRUE(runner.CancelScan());
  EXPECT_TRUE(gate->stopped);
  EXPECT_FALSE(runner.IsScanRunning());
  EXPECT_EQ(L"Scanning...", gate->Result()->Title());  // left as it was
  EXPECT_FALSE(runner.GetItem(1)->done);               // the next module never ran
  EXPECT_EQ(0, host.done);
}

TEST(ScanRunnerStart, Refusals) {
  RecordingHost host;
  ScanRunner runner(&host);
  EXPECT_FALSE(runner.StartScan(-1));  // empty list

  auto* gate = new GateModule;
  runner.AddModule(gate);
  runner.AddModule(new ValueModule(10));
  EXPECT_FALSE(runner.StartScan(0));  // the single form refuses index 0
  EXPECT_FALSE(runner.StartScan(2));
  EXPECT_FALSE(runner.StartScan(-2));
  EXPECT_EQ(0, host.starts);

  ASSERT_TRUE(runner.StartScan(-1));
  WaitUntil([&] { return gate->entered.load(); });
  EXPECT_FALSE(runner.StartScan(-1));  // already running
  gate->released = true;
  WaitForWorker(runner);
  EXPECT_EQ(1, host.starts);
}

TEST(ScanRunnerStart, SingleItemRunsOnlyThatItem) {
  RecordingHost host;
  ScanRunner runner(&host);
  runner.AddModule(new ValueModule(80));
  runner.AddModule(new ValueModule(10, 4));
  ASSERT_TRUE(runner.StartScan(1));
  WaitForWorker(runner);
  EXPECT_FALSE(runner.GetItem(0)->done);
  EXPECT_TRUE(runner.GetItem(1)->done);
  EXPECT_EQ(10u, runner.GetStatusLevel());
  EXPECT_EQ(4, runner.GetTotalCount());
}

TEST(ScanRunnerStart, NoThreadMeansNoScanAndNoTimer) {
  struct NoThreads : ScanRunner {
    using ScanRunner::ScanRunner;
    bool LaunchWorker(std::function<void()>, std::thread&) override { return false; }
  };
  RecordingHost host;
  NoThreads runner(&host);
  runner.AddModule(new ValueModule(50));
  EXPECT_FALSE(runner.StartScan(-1));
  EXPECT_FALSE(runner.IsScanRunning());
  EXPECT_EQ(0, host.starts);
  for (int i = 0; i < 20; ++i) runner.Tick();
  EXPECT_EQ(0, host.done);
}

TEST(ScanRunnerModules, AddModuleAttachesTheRunnerAsProgressSink) {
  struct ProbeModule : ValueModule {
    ProbeModule() : ValueModule(0) {}
    void SetProgress(IProgress* progress) override {
      sink = progress;
      ValueModule::SetProgress(progress);
    }
    IProgress* sink = nullptr;
  };
  ScanRunner runner(nullptr);
  auto* module = new ProbeModule;
  runner.AddModule(module);
  EXPECT_EQ(&runner, module->sink);
  EXPECT_EQ(module->GetResult(), runner.GetItem(0)->result);
  runner.RemoveAllModules();
  EXPECT_EQ(0, runner.GetItemCount());
  EXPECT_FALSE(runner.StartScan(-1));
}

TEST(ScanRunnerModules, TotalCountAddsRunningAndDoneItems) {
  RecordingHost host;
  ScanRunner runner(&host);
  runner.AddModule(new ValueModule(10, 3));
  runner.AddModule(new ValueModule(10, 4));
  EXPECT_EQ(0, runner.GetTotalCount());
  ASSERT_TRUE(runner.StartScan(-1));
  WaitForWorker(runner);
  EXPECT_EQ(7, runner.GetTotalCount());
}

TEST(ScanRunnerModules, RemovingModulesDuringAScanStopsItFirst) {
  RecordingHost host;
  ScanRunner runner(&host);
  auto* gate = new GateModule;
  runner.AddModule(gate);
  ASSERT_TRUE(runner.StartScan(-1));
  WaitUntil([&] { return gate->entered.load(); });
  runner.RemoveAllModules();
  EXPECT_FALSE(runner.IsScanRunning());
  EXPECT_EQ(0, runner.GetItemCount());
}

TEST(ScanRunnerModules, SpinnerWrapsWhileScanning) {
  RecordingHost host;
  ScanRunner runner(&host);
  runner.SetSpinnerFrames(0, 2);
  auto* gate = new GateModule;
  runner.AddModule(gate);
  ASSERT_TRUE(runner.StartScan(-1));
  WaitUntil([&] { return gate->entered.load(); });
  std::vector<int> frames;
  for (int i = 0; i < 4; ++i) {
    runner.Tick();
    frames.push_back(runner.GetSpinnerFrame());
  }
  EXPECT_EQ((std::vector<int>{1, 2, 0, 1}), frames);
  gate->released = true;
  WaitForWorker(runner);
}

TEST(CheckModule, RunProtocolAndResultOwnership) {
  struct RecordingProgress : IProgress {
    std::vector<std::string> calls;
    bool answer = true;
    void Begin() override { calls.push_back("Begin"); }
    bool Step(double p) override {
      calls.push_back("Step" + std::to_string(static_cast<int>(p)));
      return answer;
    }
    void End() override { calls.push_back("End"); }
  };
  ValueModule module(40, 2);
  EXPECT_EQ(4, module.GetKind());
  EXPECT_EQ(L"KEY", FetchText([&](wchar_t* b, int s) { return module.GetKey(b, s); }));

  RecordingProgress progress;
  module.SetProgress(&progress);
  module.Check();
  EXPECT_EQ((std::vector<std::string>{"Begin", "Step0", "Step50", "Step100", "End"}), progress.calls);
  EXPECT_EQ(L"Done", module.Result()->Title());

  // A refused first step leaves the result with the scanning title and count 0.
  progress.calls.clear();
  progress.answer = false;
  module.Check();
  EXPECT_EQ((std::vector<std::string>{"Begin", "Step0", "End"}), progress.calls);
  EXPECT_EQ(L"Scanning...", module.Result()->Title());
  EXPECT_EQ(0, module.Result()->GetCount());

  // After a detach the next run makes a fresh result.
  IResult* detached = module.DetachResult();
  EXPECT_EQ(nullptr, module.GetResult());
  module.ReleaseResult(detached);
  module.ReleaseResult(nullptr);
  progress.answer = true;
  module.Check();
  ASSERT_NE(nullptr, module.GetResult());
  EXPECT_DOUBLE_EQ(40.0, module.GetResult()->GetValue());
}
