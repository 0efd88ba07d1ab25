#include "pointrix/app/win32/PointrixDlg.h"

#include "pointrix/resources/resource.h"

bool CPointrixDlg::Create(HINSTANCE instance) {
  HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_POINTRIX));
  if (!CWindow::Create(instance, L"KorvexPointrixWindow", L"KORVEX pointrix",
                       WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 640, 400, icon)) {
    return false;
  }
  font_ = ::CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial");
  HWND quit = ::CreateWindowExW(0, L"BUTTON", L"Quit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 520, 320, 96,
                                28, GetHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QUIT_BUTTON)),
                                instance, nullptr);
  ::SendMessageW(quit, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  ::ShowWindow(GetHwnd(), SW_SHOW);
  ::UpdateWindow(GetHwnd());
  return true;
}

bool CPointrixDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_QUIT_BUTTON) {
        ::DestroyWindow(GetHwnd());
        result = 0;
        return true;
      }
      return false;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(GetHwnd(), &ps);
      HGDIOBJ old = ::SelectObject(dc, font_);
      ::SetBkMode(dc, TRANSPARENT);
      RECT text = {24, 24, 600, 80};
      ::DrawTextW(dc, L"No device !!", -1, &text, DT_LEFT | DT_TOP);
      ::SelectObject(dc, old);
      ::EndPaint(GetHwnd(), &ps);
      result = 0;
      return true;
    }
    case WM_DESTROY:
      if (font_) ::DeleteObject(font_);
      font_ = nullptr;
      ::PostQuitMessage(0);
      result = 0;
      return true;
    default:
      return false;
  }
}
