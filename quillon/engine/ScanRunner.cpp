#include "quillon/engine/ScanRunner.h"

#include <system_error>

ScanRunner::ScanRunner(IScanHost* host) : host_(host) {}

ScanRunner::~ScanRunner() {
  cancel_.store(true);
  if (worker_.joinable()) worker_.join();
}

void ScanRunner::AddModule(ICheckModule* module) {
  if (module == nullptr) return;
  auto item = std::make_unique<Item>();
  item->module.reset(module);
  item->result = dynamic_cast<CZevCheckResult*>(module->GetResult());
  {
    std::lock_guard<std::mutex> lock(itemsLock_);
    items_.push_back(std::move(item));
  }
  module->SetProgress(this);
}

void ScanRunner::RemoveAllModules() {
  // The worker must not run a module that is being destroyed.
  if (scanRunning_.load() || worker_.joinable()) CancelScan();
  std::lock_guard<std::mutex> lock(itemsLock_);
  items_.clear();
  current_.store(-1);
}

bool ScanRunner::StartScan(int index) {
  if (scanRunning_.load() || GetItemCount() == 0) return false;
  std::vector<int> runList;
  const int count = GetItemCount();
  if (index == -1) {
    for (int i = 0; i < count; ++i) runList.push_back(i);
  } else if (index < 1 || index >= count) {
    // Index 0 is refused like an index out of range.
    return false;
  } else {
    runList.push_back(index);
  }
  if (worker_.joinable()) worker_.join();  // a finished earlier run
  scanRunning_.store(true);
  if (!LaunchWorker([this, runList] { Work(runList); }, worker_)) {
    scanRunning_.store(false);
    return false;
  }
  ticking_ = true;
  if (host_) host_->StartTick();
  return true;
}

bool ScanRunner::LaunchWorker(std::function<void()> body, std::thread& thread) {
  try {
    thread = std::thread(std::move(body));
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

bool ScanRunner::CancelScan() {
  cancel_.store(true);
  if (worker_.joinable()) worker_.join();
  scanRunning_.store(false);
  StopTicking();
  target_.store(0);
  displayed_.store(0);
  previous_.store(0);
  cancel_.store(false);
  return !scanRunning_.load();
}

void ScanRunner::Tick() {
  if (scanRunning_.load()) {
    if (++spinner_ > spinnerLast_) spinner_ = spinnerFirst_;
    if (displayed_.load() < target_.load()) displayed_.fetch_add(1);
    if (host_) host_->Repaint();
    return;
  }
  if (!ticking_) return;
  if (worker_.joinable()) worker_.join();
  if (displayed_.load() < target_.load()) {
    displayed_.fetch_add(1);
    if (host_) host_->Repaint();
    return;
  }
  if (host_) host_->Repaint();
  StopTicking();
  if (host_) host_->NotifyScanDone();
}

void ScanRunner::StopTicking() {
  if (!ticking_) return;
  ticking_ = false;
  if (host_) host_->StopTick();
}

bool ScanRunner::Step(double /*percent*/) { return !cancel_.load(); }

int ScanRunner::GetTotalCount() const {
  std::lock_guard<std::mutex> lock(itemsLock_);
  int total = 0;
  for (const auto& item : items_) {
    if ((item->running.load() || item->done.load()) && item->result) total += item->result->GetCount();
  }
  return total;
}

int ScanRunner::GetItemCount() const {
  std::lock_guard<std::mutex> lock(itemsLock_);
  return static_cast<int>(items_.size());
}

const ScanRunner::Item* ScanRunner::GetItem(int index) const {
  std::lock_guard<std::mutex> lock(itemsLock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

void ScanRunner::SetSpinnerFrames(int first, int last) {
  spinnerFirst_ = first;
  spinnerLast_ = last;
  spinner_ = first;
}

void ScanRunner::Work(std::vector<int> runList) {
  int off = 0;
  for (int i : runList) {
    Item* item;
    {
      std::lock_guard<std::mutex> lock(itemsLock_);
      item = items_[static_cast<size_t>(i)].get();
    }
    item->running.store(true);
    item->done.store(false);
    current_.store(i);
    item->module->Check();
    item->running.store(false);
    item->done.store(true);
    // The module may have made a new result if its old one was detached.
    IResult* result = item->module->GetResult();
    RaiseLevel(result ? result->GetValue() : 0.0, off);
    if (cancel_.load()) break;
  }
  scanRunning_.store(false);
}

void ScanRunner::RaiseLevel(double x, int& off) {
  const unsigned target = target_.load();
  if (x >= 70) {
    off += 3;
    if (target < kStatusModerate) {
      displayed_.store(kStatusGood);
      previous_.store(target);
      target_.store(kStatusModerate);
    } else if (target < kStatusPoor) {
      previous_.store(target);
      target_.store(kStatusPoor);
    }
  } else if (x > 35) {
    off += 1;
    if (target < kStatusModerate) {
      displayed_.store(kStatusGood);
      previous_.store(target);
      target_.store(kStatusModerate);
    } else if (target < kStatusPoor && off > 2) {
      previous_.store(target);
      target_.store(kStatusPoor);
    }
  } else if (target == kStatusUnknown) {
    previous_.store(kStatusUnknown);
    target_.store(kStatusGood);
  }
}
