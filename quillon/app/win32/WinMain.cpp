#include <windows.h>

#include "quillon/app/win32/QuillonDlg.h"
#include "quillon/lang/win32/MrFramework.h"
#include "quillon/ui/win32/Ctrl.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!MrFrameworkInit()) return 1;
  CMrCtrl::RegisterClasses();
  {
    CQuillonDlg dialog(instance);
    dialog.DoModal();
  }
  MrFrameworkExit();
  return 0;
}
