#pragma once

#include <atomic>
#include <string>

#include "quillon/engine/Module.h"
#include "quillon/engine/ZevCheckResult.h"

// Base of the three check modules: the texts, the owned result and the
// progress sink, and the steps of the run protocol that every Check follows.
class CZevCheck : public ICheckModule {
 public:
  ~CZevCheck() override;
  CZevCheck(const CZevCheck&) = delete;
  CZevCheck& operator=(const CZevCheck&) = delete;

  int GetName(wchar_t* buffer, int size) const override;
  int GetKey(wchar_t* buffer, int size) const override;
  int GetDescription(wchar_t* buffer, int size) const override;
  int GetKind() const override;  // 4 for every module

  IResult* DetachResult() override;
  IResult* GetResult() override;
  void ReleaseResult(IResult* result) override;

  void SetProgressTag(int tag) override;
  void SetProgress(IProgress* progress) override;

  CZevCheckResult* Result() { return result_; }
  double ProgressPosition() const { return progressPosition_.load(); }

 protected:
  CZevCheck(std::wstring name, std::wstring description, std::wstring key);

  // Steps 1-4 of the run protocol: Begin, make sure a result exists, show the
  // scanning title with count 0, Step(0). False (after End) when the host
  // wants the module to stop; the result then stays as it was.
  bool BeginCheck(const std::wstring& scanningTitle);
  // Reports a stage's percentage; false (after End) when the module must stop.
  bool ReportStep(double percent);
  // Step(100), then End.
  void FinishCheck();

  void SetProgressPosition(double percent) { progressPosition_.store(percent); }

 private:
  std::wstring name_;
  std::wstring description_;
  std::wstring key_;
  CZevCheckResult* result_;
  std::atomic<double> progressPosition_{0.0};
  int progressTag_ = 0;
  IProgress* progress_ = nullptr;
};
