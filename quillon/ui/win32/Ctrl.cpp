#include "quillon/ui/win32/Ctrl.h"

#include <cmath>
#include <cwchar>

#include "quillon/lang/Text.h"
#include "quillon/ui/win32/GdiScoped.h"

bool CMrCtrl::RegisterClasses() {
  HBRUSH face = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  bool ok = RegisterMrClass(L"CMrCtrl", face);
  ok = RegisterMrClass(L"CMrCtrl_Button", face) && ok;
  ok = RegisterMrClass(L"CMrCtrl_Label", hollow) && ok;
  ok = RegisterMrClass(L"CMrCtrl_Image", face) && ok;
  ok = RegisterMrClass(L"CMrCtrl_ListCtrl_ICheckModule", hollow) && ok;
  ok = RegisterMrClass(L"CMrToolTipp", face) && ok;
  return ok;
}

CMrCtrl::CMrCtrl(const wchar_t* className) : className_(className) {
  RegisterClasses();
  font_.lfHeight = 14;
  font_.lfWeight = FW_NORMAL;
  font_.lfCharSet = ANSI_CHARSET;
  font_.lfQuality = CLEARTYPE_QUALITY;
  font_.lfPitchAndFamily = FF_SWISS;
  std::wcscpy(font_.lfFaceName, L"Arial");
  RebuildFont();
}

CMrCtrl::~CMrCtrl() {
  DestroyWindow();
  if (fontHandle_) ::DeleteObject(fontHandle_);
  ResetBitmap(snapshot_, nullptr);
}

bool CMrCtrl::Create(const RECT& rect, HWND parent, UINT id) {
  if (!CreateBound(0, className_, WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return false;
  rect_ = rect;
  return true;
}

bool CMrCtrl::SubclassDlgItem(UINT id, HWND parent) {
  return Attach(::GetDlgItem(parent, static_cast<int>(id)));
}

void CMrCtrl::OnAttached() {
  // A control made from a template keeps its template position.
  RECT window;
  if (::GetWindowRect(hwnd_, &window)) {
    HWND parent = ::GetParent(hwnd_);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    rect_ = window;
  }
}

void CMrCtrl::SetTransparent(bool on) {
  transparent_ = on;
  Redraw(true);
}

void CMrCtrl::SetBackgroundColor(COLORREF color) {
  background_ = color;
  Redraw(false);
}

void CMrCtrl::SetTextById(unsigned id) {
  SetText(LoadText(id));
  Redraw(true);
}

void CMrCtrl::SetParentDrawn(bool on, HWND owner) {
  parentDrawn_ = on;
  SetOwner(owner);
}

void CMrCtrl::SetOwner(HWND owner) { owner_ = owner; }

HWND CMrCtrl::GetOwner() const {
  if (owner_) return owner_;
  return hwnd_ ? ::GetParent(hwnd_) : nullptr;
}

void CMrCtrl::DrawContent(HDC, int, int, int, int) {}

void CMrCtrl::Show(int command) {
  if (Exists()) ::ShowWindow(hwnd_, command);
}

bool CMrCtrl::Move(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  if (!Exists() || !::SetWindowPos(hwnd_, insertAfter, x, y, cx, cy, flags)) return false;
  RECT now;
  ::GetWindowRect(hwnd_, &now);
  ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&now), 2);
  rect_ = now;  // SWP_NOMOVE / SWP_NOSIZE keep what they keep
  return true;
}

void CMrCtrl::Redraw(bool erase) {
  if (!IsVisible() || redrawPending_) return;
  redrawPending_ = true;
  if (parentDrawn_) {
    ::InvalidateRect(GetOwner(), nullptr, erase);
    return;
  }
  HWND parent = ::GetParent(hwnd_);
  if (erase && transparent_ && parent) {
    // A new background snapshot must show the skin, not this control's old
    // pixels: let the parent repaint the area first; the control follows.
    RECT area = rect_;
    ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return;
  }
  ::InvalidateRect(hwnd_, nullptr, erase);
}

void CMrCtrl::SetText(const std::wstring& text) {
  if (!Exists() || text == GetText()) return;
  ::SetWindowTextW(hwnd_, text.c_str());
  Redraw(true);
}

std::wstring CMrCtrl::GetText() const {
  if (!Exists()) return std::wstring();
  int length = ::GetWindowTextLengthW(hwnd_);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = ::GetWindowTextW(hwnd_, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void CMrCtrl::CaptureBackground() {
  if (!transparent_ || !Exists()) return;
  HWND parent = ::GetParent(hwnd_);
  if (!parent) return;
  RECT area;
  ::GetWindowRect(hwnd_, &area);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  WindowDc parentDc(parent);
  if (!parentDc.Get()) return;
  HBITMAP copy = ::CreateCompatibleBitmap(parentDc.Get(), width, height);
  HDC memory = ::CreateCompatibleDC(parentDc.Get());
  if (copy && memory) {
    HGDIOBJ old = ::SelectObject(memory, copy);
    ::BitBlt(memory, 0, 0, width, height, parentDc.Get(), area.left, area.top, SRCCOPY);
    ::SelectObject(memory, old);
    ResetBitmap(snapshot_, copy);
    copy = nullptr;
  }
  if (copy) ::DeleteObject(copy);
  if (memory) ::DeleteDC(memory);
}

void CMrCtrl::OnMouseMoveCursor(UINT, POINT) { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }

void CMrCtrl::SetTextColor(COLORREF color) {
  textColor_ = color;
  Redraw(false);
}

void CMrCtrl::SetFontName(const std::wstring& name) {
  if (name.size() > 30) return;
  std::wcscpy(font_.lfFaceName, name.c_str());
  RebuildFont();
  Redraw(false);
}

void CMrCtrl::SetFontSize(double size) {
  font_.lfHeight = -static_cast<LONG>(std::ceil(size));
  RebuildFont();
  Redraw(false);
}

void CMrCtrl::SetFontWeight(int weight) {
  font_.lfWeight = weight;
  RebuildFont();
  Redraw(false);
}

void CMrCtrl::SetFontItalic(bool on) {
  font_.lfItalic = on ? TRUE : FALSE;
  RebuildFont();
  Redraw(false);
}

void CMrCtrl::SetFontUnderline(bool on) {
  font_.lfUnderline = on ? TRUE : FALSE;
  RebuildFont();
  Redraw(false);
}

void CMrCtrl::CopyFont(HFONT font) {
  LOGFONTW copy{};
  if (font && ::GetObjectW(font, sizeof(copy), &copy) == sizeof(copy)) {
    font_ = copy;
    RebuildFont();
  }
  Redraw(false);
}

void CMrCtrl::SetTextFormat(UINT format) {
  format_ = format;
  Redraw(false);
}

void CMrCtrl::SetShadow(bool on, COLORREF color, int direction) {
  shadowOn_ = on;
  shadowColor_ = color;
  shadowDirection_ = direction;
}

void CMrCtrl::RebuildFont() {
  HFONT font = ::CreateFontIndirectW(&font_);
  if (!font) return;
  if (fontHandle_) ::DeleteObject(fontHandle_);
  fontHandle_ = font;
}

int CMrCtrl::MeasureText(const std::wstring& text) const {
  if (text.empty()) return 0;
  WindowDc screen(nullptr);
  SelectScope font(screen.Get(), fontHandle_);
  SIZE size{};
  ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void CMrCtrl::DrawShadowedText(HDC dc, const std::wstring& text, RECT box, UINT format,
                               COLORREF color) const {
  if (shadowOn_) {
    int d = shadowDirection_ == 1 ? 1 : shadowDirection_ == 0 ? -1 : 0;
    RECT shadow{box.left + d, box.top + d, box.right + d, box.bottom + d};
    ::SetTextColor(dc, shadowColor_);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
  }
  ::SetTextColor(dc, color);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

void CMrCtrl::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  if (!dc) return;
  if (!parentDrawn_) {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    MemoryCanvas canvas(dc, client.right, client.bottom);
    if (canvas.Ok()) {
      if (transparent_ && snapshot_) {
        HDC source = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(source, snapshot_);
        ::BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        ::SelectObject(source, old);
        ::DeleteDC(source);
      } else {
        HBRUSH brush = ::CreateSolidBrush(background_);
        ::FillRect(canvas.Dc(), &client, brush);
        ::DeleteObject(brush);
      }
      if (::IsWindowVisible(hwnd_)) {
        DrawContent(canvas.Dc(), client.left, client.top, client.right, client.bottom);
        redrawPending_ = false;
      }
      ::BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
    }
  }
  ::EndPaint(hwnd_, &ps);
}

LRESULT CMrCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      CaptureBackground();
      return 1;
    case WM_MOUSEMOVE:
      OnMouseMoveCursor(static_cast<UINT>(wParam),
                        POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}
