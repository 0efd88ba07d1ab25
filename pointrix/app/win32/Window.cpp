#include "pointrix/app/win32/Window.h"

CWindow::~CWindow() {
  if (hwnd_ && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

bool CWindow::Create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style,
                     int width, int height, HICON icon) {
  WNDCLASSEXW wc = {};
  if (!::GetClassInfoExW(instance, className, &wc)) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &CWindow::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!::RegisterClassExW(&wc)) return false;
  }
  hwnd_ = ::CreateWindowExW(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr,
                            nullptr, instance, this);
  return hwnd_ != nullptr;
}

int CWindow::RunMessageLoop() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWindow* self;
  if (message == WM_NCCREATE) {
    self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  LRESULT result = 0;
  if (self && self->OnMessage(message, wParam, lParam, result)) return result;
  if (message == WM_NCDESTROY && self) self->hwnd_ = nullptr;
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
