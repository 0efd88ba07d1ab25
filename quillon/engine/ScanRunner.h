#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "quillon/engine/Module.h"
#include "quillon/engine/StatusLevel.h"
#include "quillon/engine/ZevCheckResult.h"

// What the runner needs from the window that hosts it (the module list).
class IScanHost {
 public:
  virtual ~IScanHost() = default;
  virtual void StartTick() = 0;  // the 100 ms timer (id 1)
  virtual void StopTick() = 0;
  virtual void Repaint() = 0;
  virtual void NotifyScanDone() = 0;  // WM_SCAN_DONE to the parent, sent synchronously
};

// Runs the check modules one after another on a worker thread, derives the
// status level from their values and animates the displayed level. The host
// calls Tick from its timer; everything but the worker runs on the host's
// thread.
class ScanRunner : public IProgress {
 public:
  struct Item {
    std::unique_ptr<ICheckModule> module;
    CZevCheckResult* result = nullptr;  // the module's result, not owned
    std::atomic<bool> running{false};
    std::atomic<bool> done{false};
  };

  explicit ScanRunner(IScanHost* host);
  ~ScanRunner() override;
  ScanRunner(const ScanRunner&) = delete;
  ScanRunner& operator=(const ScanRunner&) = delete;

  // Ownership of the module passes to the runner.
  void AddModule(ICheckModule* module);
  void RemoveAllModules();
  // -1 runs every item in order; another index runs that single item.
  bool StartScan(int index);
  bool CancelScan();
  // The 100 ms timer's work.
  void Tick();

  unsigned GetStatusLevel() const { return target_.load(); }
  unsigned GetPreviousLevel() const { return previous_.load(); }
  unsigned GetDisplayedLevel() const { return displayed_.load(); }
  int GetTotalCount() const;
  bool IsScanRunning() const { return scanRunning_.load(); }
  bool IsTicking() const { return ticking_; }

  int GetItemCount() const;
  // Valid until RemoveAllModules.
  const Item* GetItem(int index) const;
  int GetCurrentIndex() const { return current_.load(); }

  // Spinner animation: frames first..last, advanced on every tick of a scan.
  void SetSpinnerFrames(int first, int last);
  int GetSpinnerFrame() const { return spinner_; }

  // IProgress: the host's side of the run protocol.
  void Begin() override {}
  bool Step(double percent) override;
  void End() override {}

 protected:
  // Starts the worker; false when no thread could be made.
  virtual bool LaunchWorker(std::function<void()> body, std::thread& thread);

 private:
  void Work(std::vector<int> runList);
  void RaiseLevel(double value, int& off);
  void StopTicking();

  IScanHost* host_;
  mutable std::mutex itemsLock_;
  std::vector<std::unique_ptr<Item>> items_;
  std::thread worker_;
  std::atomic<bool> scanRunning_{false};
  std::atomic<bool> cancel_{false};
  std::atomic<int> current_{-1};
  std::atomic<unsigned> target_{0};
  std::atomic<unsigned> previous_{0};
  std::atomic<unsigned> displayed_{0};
  bool ticking_ = false;
  int spinner_ = 0;
  int spinnerFirst_ = 0;
  int spinnerLast_ = 0;
};
