#pragma once

#include <windows.h>

// Window plumbing shared by the skinned controls and the tooltip: a C++
// object bound to a window, either created by the object or made from a
// dialog template and subclassed, with messages routed to WindowProc.
class CMrWnd {
 public:
  CMrWnd() = default;
  virtual ~CMrWnd();
  CMrWnd(const CMrWnd&) = delete;
  CMrWnd& operator=(const CMrWnd&) = delete;

  HWND GetHwnd() const { return hwnd_; }
  bool Exists() const { return hwnd_ != nullptr && ::IsWindow(hwnd_); }
  // Binds to an existing window (e.g. a dialog template's control).
  bool Attach(HWND hwnd);
  void DestroyWindow();

 protected:
  // Creates the window and binds to it.
  bool CreateBound(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int width, int height,
                   HWND parent, HMENU idOrMenu);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is bound.
  virtual void OnAttached() {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();

  WNDPROC oldProc_ = nullptr;
};

// Registers a window class once per process: class style
// CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, DefWindowProcW, arrow cursor and the
// given background brush. False when registration fails.
bool RegisterMrClass(const wchar_t* name, HBRUSH background);
