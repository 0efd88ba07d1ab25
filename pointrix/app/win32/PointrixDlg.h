#pragma once

#include "pointrix/app/win32/Window.h"

// pointrix's main window.
class CPointrixDlg : public CWindow {
 public:
  bool Create(HINSTANCE instance);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HFONT font_ = nullptr;
};
