#pragma once

// The check engine's interfaces: a module scans one area of the PC and fills a
// result tree; a progress sink lets the host follow and stop it.

#include <string>

// Text getters share one protocol: when size is greater than the text's length
// the text and its terminator are copied to buffer; the return value is always
// length + 1. Call with (nullptr, 0) to learn the size.
int CopyTextOut(const std::wstring& text, wchar_t* buffer, int size);

// Reads a whole text through such a getter.
template <class Getter>
std::wstring FetchText(Getter&& getter) {
  int size = getter(nullptr, 0);
  if (size <= 1) return std::wstring();
  std::wstring text(static_cast<size_t>(size), L'\0');
  getter(&text[0], size);
  text.resize(static_cast<size_t>(size) - 1);
  return text;
}

class IResult {
 public:
  virtual ~IResult() = default;
  virtual double GetValue() const = 0;  // severity 0..100
  virtual int GetTitle(wchar_t* buffer, int size) const = 0;
  virtual int GetInfo(wchar_t* buffer, int size) const = 0;
  virtual int GetChildCount() const = 0;
  // Null when index < 0 or index >= count.
  virtual IResult* GetChild(int index) const = 0;
};

class IProgress {
 public:
  virtual ~IProgress() = default;
  virtual void Begin() = 0;
  // False when the host wants the module to stop.
  virtual bool Step(double percent) = 0;
  virtual void End() = 0;
};

class IModule {
 public:
  virtual ~IModule() = default;
  virtual int GetName(wchar_t* buffer, int size) const = 0;
  virtual int GetKey(wchar_t* buffer, int size) const = 0;
  virtual int GetDescription(wchar_t* buffer, int size) const = 0;
  virtual int GetKind() const = 0;
};

class IResultModule : public IModule {
 public:
  // Returns the result and forgets it; the caller owns it.
  virtual IResult* DetachResult() = 0;
  // The module keeps ownership.
  virtual IResult* GetResult() = 0;
  // Destroys the given result (may be null).
  virtual void ReleaseResult(IResult* result) = 0;
};

class IProgressModule : public IResultModule {
 public:
  virtual void SetProgressTag(int tag) = 0;
  // The sink is not owned.
  virtual void SetProgress(IProgress* progress) = 0;
};

class ICheckModule : public IProgressModule {
 public:
  // Runs the scan and fills the result.
  virtual void Check() = 0;
};
