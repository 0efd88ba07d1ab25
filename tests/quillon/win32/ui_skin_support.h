#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "quillon/ui/win32/ImageStore.h"

// Shared pieces of the skin's Windows tests: GDI+ and the image store for
// each test, a plain parent window that records the notifications it gets,
// a message pump and pictures written to temporary files.
namespace skin_test {

struct ParentLog {
  int clicks = 0;
  WPARAM lastCommand = 0;
  LPARAM lastSender = 0;
  int scanDone = 0;
};

// A visible top-level window whose WM_COMMAND and WM_SCAN_DONE land in `log`.
HWND MakeParent(ParentLog* log, int width = 700, int height = 540);

// Dispatches messages until `done` holds or `ms` pass; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int ms);

// A width x height PNG in the temporary folder filled with `argb`; the path,
// or empty on failure. The caller deletes it.
std::wstring WritePng(int width, int height, uint32_t argb);

// 0x00RRGGBB of a pixel of a 32-bit DIB section drawn into by a test.
class Canvas {
 public:
  Canvas(int width, int height, uint32_t fill);
  ~Canvas();
  HDC Dc() const { return dc_; }
  uint32_t Pixel(int x, int y) const;

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace skin_test
