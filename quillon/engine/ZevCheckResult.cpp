#include "quillon/engine/ZevCheckResult.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

int CopyTextOut(const std::wstring& text, wchar_t* buffer, int size) {
  const int length = static_cast<int>(text.size());
  if (buffer != nullptr && size > length) {
    std::copy(text.begin(), text.end(), buffer);
    buffer[length] = L'\0';
  }
  return length + 1;
}

namespace {
double Clamp(double value) { return std::min(100.0, std::max(0.0, value)); }
}  // namespace

CZevCheckResult::CZevCheckResult() = default;

CZevCheckResult::~CZevCheckResult() {
  std::lock_guard<std::mutex> lock(childLock_);
  children_.clear();
}

double CZevCheckResult::GetValue() const { return value_.load(); }

int CZevCheckResult::GetTitle(wchar_t* buffer, int size) const {
  std::lock_guard<std::mutex> lock(textLock_);
  return CopyTextOut(title_, buffer, size);
}

int CZevCheckResult::GetInfo(wchar_t* buffer, int size) const {
  std::lock_guard<std::mutex> lock(textLock_);
  return CopyTextOut(info_, buffer, size);
}

int CZevCheckResult::GetChildCount() const {
  std::lock_guard<std::mutex> lock(childLock_);
  return static_cast<int>(children_.size());
}

IResult* CZevCheckResult::GetChild(int index) const {
  std::lock_guard<std::mutex> lock(childLock_);
  if (index < 0 || index >= static_cast<int>(children_.size())) return nullptr;
  return children_[static_cast<size_t>(index)].get();
}

void CZevCheckResult::SetValue(double x, int ms) {
  double value = value_.load();
  if (ms <= 0) {
    value = x;
  } else if (x > value) {
    const int pause = static_cast<int>(std::floor(ms / (x - value)));
    while (x > value) {
      value += 1;
      value_.store(value);
      Pause(pause);
    }
  } else if (x < value) {
    const int pause = static_cast<int>(std::floor(ms / (value - x)));
    while (x < value) {
      value -= 1;
      value_.store(value);
      Pause(pause);
    }
  }
  value_.store(Clamp(value));
}

void CZevCheckResult::SetValueAndCount(double x, int n, int ms) {
  x = Clamp(x);
  if (ms <= 0) {
    SetValue(x, 0);
    SetCount(n);
    SetCountText(std::to_wstring(n));
    return;
  }
  const int c = count_.load();
  double g = c;
  const bool rising = c < n;
  double value = value_.load();
  // One value unit per step; the count follows proportionally, never past n.
  auto step = [&](double direction, double span) {
    const double per = (n - c) / span;
    const int pause = static_cast<int>(std::floor(ms / span));
    while (direction > 0 ? x > value : x < value) {
      value += direction;
      value_.store(value);
      g += per;
      int count = static_cast<int>(std::ceil(g));
      count = rising ? std::min(count, n) : std::max(count, n);
      StoreCount(count);
      Pause(pause);
    }
  };
  if (x > value) {
    step(+1, x - value);
  } else if (x < value) {
    step(-1, value - x);
  } else if (c != n) {
    const int pause = ms / std::abs(c - n);
    int count = c;
    do {
      count += rising ? 1 : -1;
      StoreCount(count);
      Pause(pause);
    } while (count != n);
  }
  StoreCount(n);
  value_.store(x);
}

void CZevCheckResult::SetTitle(std::wstring title) {
  std::lock_guard<std::mutex> lock(textLock_);
  title_ = std::move(title);
}

void CZevCheckResult::SetInfo(std::wstring info) {
  std::lock_guard<std::mutex> lock(textLock_);
  info_ = std::move(info);
}

void CZevCheckResult::SetCount(int count) { count_.store(count); }

int CZevCheckResult::GetCount() const { return count_.load(); }

void CZevCheckResult::SetCountText(std::wstring text) {
  std::lock_guard<std::mutex> lock(textLock_);
  countText_ = std::move(text);
}

int CZevCheckResult::GetCountText(wchar_t* buffer, int size) const {
  std::lock_guard<std::mutex> lock(textLock_);
  return CopyTextOut(countText_, buffer, size);
}

void CZevCheckResult::AddChild(IResult* child) {
  if (child == nullptr) return;
  std::lock_guard<std::mutex> lock(childLock_);
  children_.emplace_back(child);
}

CZevCheckResult* CZevCheckResult::NewChild(const std::wstring& title, double value) {
  auto* child = new CZevCheckResult;
  child->SetTitle(title);
  child->SetValue(value, 0);
  return child;
}

std::wstring CZevCheckResult::Title() const {
  std::lock_guard<std::mutex> lock(textLock_);
  return title_;
}

std::wstring CZevCheckResult::CountText() const {
  std::lock_guard<std::mutex> lock(textLock_);
  return countText_;
}

void CZevCheckResult::SetSleepFunction(SleepFunction sleep) { sleep_ = std::move(sleep); }

void CZevCheckResult::Pause(int ms) const {
  if (sleep_) {
    sleep_(ms);
  } else if (ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

void CZevCheckResult::StoreCount(int count) {
  SetCount(count);
  SetCountText(std::to_wstring(count));
}
