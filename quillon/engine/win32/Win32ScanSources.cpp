#include "quillon/engine/win32/Win32ScanSources.h"

#include "quillon/engine/win32/Win32TaskSource.h"
#include "quillon/engine/win32/Win32WmiSource.h"

ScanSources Win32ScanSources() {
  static const Win32FileSource files;
  static const Win32RegistrySource registry;
  static const Win32ShellSource shell;
  ScanSources sources;
  sources.files = &files;
  sources.registry = &registry;
  sources.shell = &shell;
  sources.makeWmi = [] { return std::unique_ptr<IWmiSource>(new Win32WmiSource); };
  sources.makeTasks = [] { return std::unique_ptr<ITaskSource>(new Win32TaskSource); };
  return sources;
}
