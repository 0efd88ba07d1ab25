#include "quillon/app/win32/QuillonDlg.h"

#include "quillon/resources/resource.h"

CQuillonDlg::CQuillonDlg(HINSTANCE instance) : CMrDialog(instance, IDD_QUILLON_DIALOG) {}

BOOL CQuillonDlg::OnInitDialog() {
  HICON icon = ::LoadIconW(instance_, MAKEINTRESOURCEW(IDI_QUILLON));
  ::SendMessageW(GetHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SetDlgItemTextW(GetHwnd(), IDC_INTRO_TEXT,
                    L"Let quillon determine whether your PC is affected by any problems that may slow "
                    L"down your system or even make it unstable.");
  return TRUE;
}
