#include "quillon/lang/win32/FrameworkLocks.h"

std::mutex& CommonDataFolderLock() {
  static std::mutex lock;
  return lock;
}

std::mutex& UserDataFolderLock() {
  static std::mutex lock;
  return lock;
}

std::mutex& TempFolderLock() {
  static std::mutex lock;
  return lock;
}

std::mutex& TempFileListLock() {
  static std::mutex lock;
  return lock;
}
