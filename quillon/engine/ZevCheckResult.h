#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "quillon/engine/Module.h"

// One node of a module's result tree. The scan worker writes it while the
// window thread paints from it: numbers are atomics, texts and the child list
// sit behind a lock, so every read sees a whole value.
class CZevCheckResult : public IResult {
 public:
  using SleepFunction = std::function<void(int milliseconds)>;

  CZevCheckResult();
  ~CZevCheckResult() override;
  CZevCheckResult(const CZevCheckResult&) = delete;
  CZevCheckResult& operator=(const CZevCheckResult&) = delete;

  double GetValue() const override;
  int GetTitle(wchar_t* buffer, int size) const override;
  int GetInfo(wchar_t* buffer, int size) const override;
  int GetChildCount() const override;
  IResult* GetChild(int index) const override;

  // Moves the value towards `value` one unit at a time over about
  // `milliseconds`, then clamps it to 0..100.
  virtual void SetValue(double value, int milliseconds);
  // As SetValue, and moves the count towards `count` along with the value.
  virtual void SetValueAndCount(double value, int count, int milliseconds);
  virtual void SetTitle(std::wstring title);
  virtual void SetInfo(std::wstring info);
  virtual void SetCount(int count);
  virtual int GetCount() const;
  virtual void SetCountText(std::wstring text);
  virtual int GetCountText(wchar_t* buffer, int size) const;
  // Ownership passes to this result; null is ignored.
  virtual void AddChild(IResult* child);

  // A child line of a module result: its title and severity, set at once.
  static CZevCheckResult* NewChild(const std::wstring& title, double value);

  std::wstring Title() const;
  std::wstring CountText() const;

  // The pause between animation steps; a real sleep unless replaced (tests).
  void SetSleepFunction(SleepFunction sleep);

 private:
  void Pause(int milliseconds) const;
  void StoreCount(int count);

  std::atomic<double> value_{0.0};
  std::atomic<int> count_{0};
  mutable std::mutex textLock_;
  std::wstring title_;
  std::wstring info_;
  std::wstring countText_;
  mutable std::mutex childLock_;
  std::vector<std::unique_ptr<IResult>> children_;
  SleepFunction sleep_;
};
