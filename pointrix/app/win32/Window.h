#pragma once

#include <windows.h>

// The least window framework pointrix needs: a top-level window whose
// messages reach virtual handlers of the derived class, and the message loop.
class CWindow {
 public:
  CWindow() = default;
  virtual ~CWindow();
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;

  // Registers the class (once) and creates the window.
  bool Create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style, int width,
              int height, HICON icon);
  HWND GetHwnd() const { return hwnd_; }

  // Runs the message loop until WM_QUIT; returns its exit code.
  static int RunMessageLoop();

 protected:
  // Returns true when handled and sets result.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};
