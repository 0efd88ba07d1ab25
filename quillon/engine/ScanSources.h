#pragma once

#include <functional>
#include <memory>

#include "quillon/engine/FileSource.h"
#include "quillon/engine/RegistrySource.h"
#include "quillon/engine/ShellSource.h"
#include "quillon/engine/TaskSource.h"
#include "quillon/engine/WmiSource.h"

// Everything the three checks read from the machine. The sources outlive the
// modules that use them; the WMI connection and the task source are made fresh
// for every scan because they belong to the thread that runs it.
struct ScanSources {
  const IFileSource* files = nullptr;
  const IRegistrySource* registry = nullptr;
  const IShellSource* shell = nullptr;
  std::function<std::unique_ptr<IWmiSource>()> makeWmi;
  std::function<std::unique_ptr<ITaskSource>()> makeTasks;
};
