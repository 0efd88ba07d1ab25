#include "quillon/ui/win32/Dialog.h"

INT_PTR CMrDialog::DoModal(HWND parent) {
  return ::DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, &CMrDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CMrDialog::OnCommand(WORD id, WORD /*code*/, HWND /*control*/) {
  if (id == IDOK || id == IDCANCEL) {
    EndDialog(id);
    return true;
  }
  return false;
}

INT_PTR CALLBACK CMrDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CMrDialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CMrDialog*>(lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<CMrDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  return self ? self->Dispatch(message, wParam, lParam) : FALSE;
}

INT_PTR CMrDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      break;
  }
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, result)) {
    ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return FALSE;
}
