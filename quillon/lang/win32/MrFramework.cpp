#include "quillon/lang/win32/MrFramework.h"

#include <mutex>

#include "quillon/lang/Text.h"
#include "quillon/lang/win32/LanguageModule.h"
#include "quillon/lang/win32/TempFiles.h"
#include "quillon/ui/win32/ImageStore.h"

namespace {

std::mutex g_count_lock;
int g_count = 0;  // guarded by g_count_lock

}  // namespace

bool MrFrameworkInit() {
  std::lock_guard<std::mutex> hold(g_count_lock);
  if (g_count == 0) {
    // GDI+ and the image store; the program cannot draw its skin without them.
    if (!ImageStoreStartup()) return false;
    InstallLanguageTextLoader();
  }
  ++g_count;
  return true;
}

void MrFrameworkExit() {
  std::lock_guard<std::mutex> hold(g_count_lock);
  if (g_count == 0 || --g_count > 0) return;
  // Images first: a picture decoded from a temporary file may keep that file
  // open. This also ends GDI+, which nothing below needs.
  ImageStoreShutdown();
  // The library is freed before its temporary file can be deleted.
  SetTextLoader(nullptr);
  ReleaseLanguageModule();
  DeleteTempFiles();
}
