#include <windows.h>

#include "pointrix/app/win32/PointrixDlg.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  CPointrixDlg window;
  if (!window.Create(instance)) return 1;
  return CWindow::RunMessageLoop();
}
