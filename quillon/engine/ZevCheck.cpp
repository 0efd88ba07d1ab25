#include "quillon/engine/ZevCheck.h"

CZevCheck::CZevCheck(std::wstring name, std::wstring description, std::wstring key)
    : name_(std::move(name)),
      description_(std::move(description)),
      key_(std::move(key)),
      result_(new CZevCheckResult) {}

CZevCheck::~CZevCheck() {
  progressTag_ = 0;
  progress_ = nullptr;
  delete result_;
}

int CZevCheck::GetName(wchar_t* buffer, int size) const { return CopyTextOut(name_, buffer, size); }

int CZevCheck::GetKey(wchar_t* buffer, int size) const { return CopyTextOut(key_, buffer, size); }

int CZevCheck::GetDescription(wchar_t* buffer, int size) const {
  return CopyTextOut(description_, buffer, size);
}

int CZevCheck::GetKind() const { return 4; }

IResult* CZevCheck::DetachResult() {
  IResult* result = result_;
  result_ = nullptr;
  return result;
}

IResult* CZevCheck::GetResult() { return result_; }

void CZevCheck::ReleaseResult(IResult* result) { delete result; }

void CZevCheck::SetProgressTag(int tag) { progressTag_ = tag; }

void CZevCheck::SetProgress(IProgress* progress) { progress_ = progress; }

bool CZevCheck::BeginCheck(const std::wstring& scanningTitle) {
  if (progress_) progress_->Begin();
  if (result_ == nullptr) result_ = new CZevCheckResult;
  result_->SetTitle(scanningTitle);
  result_->SetCount(0);
  return ReportStep(0.0);
}

bool CZevCheck::ReportStep(double percent) {
  if (progress_ == nullptr || progress_->Step(percent)) return true;
  progress_->End();
  return false;
}

void CZevCheck::FinishCheck() {
  if (progress_ == nullptr) return;
  progress_->Step(100.0);
  progress_->End();
}
