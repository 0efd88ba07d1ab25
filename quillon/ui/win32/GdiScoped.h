#pragma once

#include <windows.h>

// Small owners of GDI objects so that no drawing path leaks one.

// An off-screen bitmap with its memory DC, compatible with `reference`.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC reference, int width, int height)
      : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
    dc_ = ::CreateCompatibleDC(reference);
    bitmap_ = ::CreateCompatibleBitmap(reference, width_, height_);
    if (dc_ && bitmap_) old_ = ::SelectObject(dc_, bitmap_);
  }
  ~MemoryCanvas() {
    if (dc_ && old_) ::SelectObject(dc_, old_);
    if (bitmap_) ::DeleteObject(bitmap_);
    if (dc_) ::DeleteDC(dc_);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  bool Ok() const { return dc_ && bitmap_ && old_; }
  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectScope() {
    if (old_) ::SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Replaces a bitmap handle, deleting the previous one.
inline void ResetBitmap(HBITMAP& slot, HBITMAP replacement) {
  if (slot) ::DeleteObject(slot);
  slot = replacement;
}
