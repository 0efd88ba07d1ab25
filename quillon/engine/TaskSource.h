#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One work item of the task scheduler, read through its 1.0 interface.
struct ScheduledTask {
  std::wstring name;              // without ".job"
  bool finished = false;          // the scheduler says: no more runs, or no valid triggers
  std::vector<int> triggerTypes;  // in order; 6 at system start, 7 at logon
  // Every property below could be read; a task that failed any read is invalid.
  bool readable = true;
  std::wstring applicationName;
  std::wstring parameters;
  std::wstring workingDirectory;
  std::wstring account;
  std::wstring creator;
  uint32_t flags = 0;
  uint32_t priority = 0;
  uint32_t maxRunTime = 0;
};

enum TaskTriggerType { kTriggerAtSystemStart = 6, kTriggerAtLogon = 7 };

class ITaskSource {
 public:
  virtual ~ITaskSource() = default;
  // Visits the work items one by one; false when the scheduler cannot be reached.
  virtual bool EnumerateTasks(const std::function<void(const ScheduledTask&)>& visit) = 0;
};
