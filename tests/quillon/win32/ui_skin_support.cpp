#include "ui_skin_support.h"

#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <vector>

#include "quillon/ui/win32/ModuleListCtrl.h"

namespace skin_test {

namespace {

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* log = reinterpret_cast<ParentLog*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (log && message == WM_COMMAND) {
    ++log->clicks;
    log->lastCommand = wParam;
    log->lastSender = lParam;
    return 0;
  }
  if (log && message == WM_SCAN_DONE) {
    ++log->scanDone;
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

bool PngEncoder(CLSID* clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

HWND MakeParent(ParentLog* log, int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"SkinTestParent";
    registered = ::RegisterClassW(&wc) != 0;
  }
  HWND hwnd = ::CreateWindowExW(0, L"SkinTestParent", L"skin test", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(log));
  return hwnd;
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (!done() && ::GetTickCount64() < end) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (!done()) ::Sleep(5);
  }
  return done();
}

std::wstring WritePng(int width, int height, uint32_t argb) {
  wchar_t folder[MAX_PATH];
  wchar_t path[MAX_PATH];
  if (!::GetTempPathW(MAX_PATH, folder) || !::GetTempFileNameW(folder, L"skn", 0, path))
    return std::wstring();
  CLSID png;
  if (!PngEncoder(&png)) return std::wstring();
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&bitmap);
    g.Clear(Gdiplus::Color(argb));
  }
  if (bitmap.Save(path, &png, nullptr) != Gdiplus::Ok) return std::wstring();
  return path;
}

Canvas::Canvas(int width, int height, uint32_t fill) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  dc_ = ::CreateCompatibleDC(nullptr);
  old_ = ::SelectObject(dc_, bitmap_);
  std::fill(bits_, bits_ + static_cast<size_t>(width) * height, fill);
}

Canvas::~Canvas() {
  ::SelectObject(dc_, old_);
  ::DeleteDC(dc_);
  ::DeleteObject(bitmap_);
}

uint32_t Canvas::Pixel(int x, int y) const {
  ::GdiFlush();
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF;
}

}  // namespace skin_test
