#pragma once

#include <windows.h>

#include "quillon/engine/TaskSource.h"

// The scheduler's work items (".job" files) through its 1.0 interface. COM is
// initialised for the creating thread, which must be the one that enumerates.
class Win32TaskSource : public ITaskSource {
 public:
  Win32TaskSource();
  ~Win32TaskSource() override;
  Win32TaskSource(const Win32TaskSource&) = delete;
  Win32TaskSource& operator=(const Win32TaskSource&) = delete;

  bool EnumerateTasks(const std::function<void(const ScheduledTask&)>& visit) override;

 private:
  HRESULT com_;
};
