#pragma once

#include <string>

#include "quillon/engine/RegistrySource.h"
#include "quillon/engine/TaskSource.h"

// One program that starts with Windows: a Run value, a file in a Startup
// folder or a scheduled task. Only valid entries stay in the scanner's list.
struct StartupEntry {
  enum class Kind { Registry, Folder, Task };

  Kind kind = Kind::Registry;
  bool valid = false;
  std::wstring fileName;  // the target's name without folder: the database key
  std::wstring path;      // where the entry was found
  std::wstring target;    // the file it starts
  std::wstring identity;  // MD5 of the upper-cased "<target>_<length>"

  // Registry entries.
  RegistryHive hive = RegistryHive::LocalMachine;
  std::wstring keyPath;
  std::wstring valueName;
  RegistryView view = RegistryView::Bits32;
  std::wstring commandLine;

  // Scheduled tasks: the work item (its name with ".job") and the trigger type
  // that decides (6 at system start, 7 at logon, else the last trigger's).
  ScheduledTask task;
  int triggerType = 0;
};
