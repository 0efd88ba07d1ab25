#include "quillon/engine/win32/Win32TaskSource.h"

#include <initguid.h>
#include <mstask.h>
#include <objbase.h>

#include <string>

namespace {

template <class T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// Reads a task text through one of ITask's getters; false when it fails.
template <class Getter>
bool ReadText(Getter getter, std::wstring& text) {
  LPWSTR value = nullptr;
  if (FAILED(getter(&value))) return false;
  text = value ? value : L"";
  if (value) CoTaskMemFree(value);
  return true;
}

void ReadTask(ITask* task, ScheduledTask& out) {
  HRESULT status = S_OK;
  if (SUCCEEDED(task->GetStatus(&status)))
    out.finished = status == SCHED_S_TASK_NO_MORE_RUNS || status == SCHED_S_TASK_NO_VALID_TRIGGERS;
  WORD triggers = 0;
  if (SUCCEEDED(task->GetTriggerCount(&triggers))) {
    for (WORD i = 0; i < triggers; ++i) {
      Com<ITaskTrigger> trigger;
      if (FAILED(task->GetTrigger(i, trigger.out()))) continue;
      TASK_TRIGGER data = {};
      data.cbTriggerSize = sizeof data;
      if (SUCCEEDED(trigger->GetTrigger(&data)))
        out.triggerTypes.push_back(static_cast<int>(data.TriggerType));
    }
  }
  bool ok = ReadText([&](LPWSTR* v) { return task->GetApplicationName(v); }, out.applicationName);
  ok = ok && ReadText([&](LPWSTR* v) { return task->GetAccountInformation(v); }, out.account);
  ok = ok && ReadText([&](LPWSTR* v) { return task->GetParameters(v); }, out.parameters);
  ok = ok && ReadText([&](LPWSTR* v) { return task->GetWorkingDirectory(v); }, out.workingDirectory);
  ok = ok && ReadText([&](LPWSTR* v) { return task->GetCreator(v); }, out.creator);
  DWORD flags = 0, maxRunTime = 0, priority = 0;
  ok = ok && SUCCEEDED(task->GetFlags(&flags));
  ok = ok && SUCCEEDED(task->GetPriority(&priority));
  ok = ok && SUCCEEDED(task->GetMaxRunTime(&maxRunTime));
  out.flags = flags;
  out.priority = priority;
  out.maxRunTime = maxRunTime;
  out.readable = ok;
}

}  // namespace

Win32TaskSource::Win32TaskSource() : com_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

Win32TaskSource::~Win32TaskSource() {
  if (SUCCEEDED(com_)) CoUninitialize();
}

bool Win32TaskSource::EnumerateTasks(const std::function<void(const ScheduledTask&)>& visit) {
  Com<ITaskScheduler> scheduler;
  if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                              reinterpret_cast<void**>(scheduler.out()))))
    return false;
  Com<IEnumWorkItems> items;
  if (FAILED(scheduler->Enum(items.out()))) return false;
  for (;;) {
    LPWSTR* names = nullptr;
    ULONG fetched = 0;
    if (items->Next(1, &names, &fetched) != S_OK || fetched == 0 || names == nullptr) break;
    ScheduledTask task;
    const std::wstring fileName = names[0] ? names[0] : L"";
    CoTaskMemFree(names[0]);
    CoTaskMemFree(names);
    // The scheduler hands out file names; the task's own name has no ".job".
    // Some schedulers accept only the task name when opening it.
    task.name = fileName;
    if (task.name.size() > 4 && _wcsicmp(task.name.c_str() + task.name.size() - 4, L".job") == 0)
      task.name.resize(task.name.size() - 4);
    Com<ITask> item;
    bool opened =
        SUCCEEDED(scheduler->Activate(fileName.c_str(), IID_ITask, reinterpret_cast<IUnknown**>(item.out())));
    if (!opened && task.name != fileName)
      opened = SUCCEEDED(
          scheduler->Activate(task.name.c_str(), IID_ITask, reinterpret_cast<IUnknown**>(item.out())));
    if (!opened) continue;
    ReadTask(item.get(), task);
    visit(task);
  }
  return true;
}
