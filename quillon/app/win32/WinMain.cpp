#include <windows.h>

#include "quillon/app/win32/QuillonDlg.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  CQuillonDlg dialog(instance);
  dialog.DoModal();
  return 0;
}
