#include "quillon/ui/win32/ToolTipp.h"

#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cmath>
#include <vector>

#include "quillon/ui/win32/Ctrl.h"
#include "quillon/ui/win32/GdiScoped.h"

namespace {

RECT ScreenRect(HWND hwnd) {
  RECT r{};
  if (hwnd) ::GetWindowRect(hwnd, &r);
  return r;
}

MrRect ToMr(const RECT& r) { return MrRect{r.left, r.top, r.right, r.bottom}; }

// Arial 10 point; made per use because GDI+ may be restarted between uses.
struct TipFont {
  Gdiplus::Font font{L"Arial", 10, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint};
  Gdiplus::Font* operator&() { return &font; }
};

}  // namespace

CMrToolTipp::~CMrToolTipp() {
  Hide();
  DestroyWindow();
  ResetBitmap(snapshot_, nullptr);
}

bool CMrToolTipp::Create(HWND owner) {
  owner_ = owner;
  if (hwnd_) return true;
  CMrCtrl::RegisterClasses();
  return CreateBound(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"CMrToolTipp", WS_POPUP, 0, 0, 10, 10, owner,
                     nullptr);
}

RECT CMrToolTipp::GetWindowRectangle() const { return ScreenRect(hwnd_); }

SizeF CMrToolTipp::Measure(const std::wstring& text, SizeF limit) const {
  WindowDc screen(nullptr);
  Gdiplus::Graphics graphics(screen.Get());
  Gdiplus::StringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  Gdiplus::RectF bounds;
  TipFont tipFont;
  if (limit.width > 0) {
    Gdiplus::RectF box(0, 0, static_cast<Gdiplus::REAL>(limit.width),
                       static_cast<Gdiplus::REAL>(std::max(0.0, limit.height)));
    if (limit.height <= 0) box.Height = 100000;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &tipFont, box, &format, &bounds);
  } else {
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &tipFont, Gdiplus::PointF(0, 0),
                           &format, &bounds);
  }
  return SizeF{bounds.Width, bounds.Height};
}

int CMrToolTipp::MeasureWidth(const std::wstring& text, int limit) const {
  return static_cast<int>(std::ceil(Measure(text, SizeF{static_cast<double>(limit), 0}).width));
}

void CMrToolTipp::ShowAt(const std::wstring& text, int x, int y, int duration) {
  Hide();
  if (!Exists() || !owner_ || !::IsWindow(owner_)) return;
  pointerLeft_ = pointerTop_ = true;
  pointerOffset_ = 15;
  ShowSized(text, x, y - 15, TooltipSizeUnconstrained(Measure(text, SizeF{})), duration);
}

void CMrToolTipp::ShowInBox(const std::wstring& text, const RECT& box, int duration, int pointerOffset) {
  Hide();
  if (!Exists() || !owner_ || !::IsWindow(owner_)) return;
  pointerLeft_ = pointerTop_ = true;
  pointerOffset_ = pointerOffset;
  SizeF size = TooltipSizeInBox(Measure(text, TooltipMeasureBox(ToMr(box))));
  ShowSized(text, box.left, box.top - 15, size, duration);
}

void CMrToolTipp::ShowForOwner(const std::wstring& text, const RECT& placement, int duration) {
  Hide();
  if (!Exists() || !owner_ || !::IsWindow(owner_)) return;
  MrRect r = ToMr(placement);
  SizeF size = r.IsEmpty() ? TooltipSizeUnconstrained(Measure(text, SizeF{}))
                           : TooltipSizeInBox(Measure(text, TooltipMeasureBox(r)));
  if (r.IsEmpty()) r = MrRect{};
  HWND parent = ::GetParent(owner_);
  RECT parentRect = parent ? ScreenRect(parent) : RECT{};
  TooltipPlacement placed = PlaceForOwner(ToMr(ScreenRect(owner_)), ToMr(parentRect),
                                          ToMr(ScreenRect(::GetDesktopWindow())), r, size);
  pointerLeft_ = placed.pointerLeft;
  pointerTop_ = placed.pointerTop;
  pointerOffset_ = 15;
  ShowSized(text, placed.x, placed.y, size, duration);
}

void CMrToolTipp::ShowSized(const std::wstring& text, int x, int y, SizeF size, int duration) {
  text_ = text;
  duration_ = duration;
  size_ = size;
  const int width = static_cast<int>(std::ceil(size.width));
  const int height = static_cast<int>(std::ceil(size.height));
  // The copy of the screen is taken before the popup covers it.
  CaptureUnder(x, y, width, height);
  TooltipFade::Effects effects = fade_.Show();
  ::SetWindowPos(hwnd_, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Apply(effects);
}

void CMrToolTipp::CaptureUnder(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  // Pending paints of what lies beneath (e.g. after a previous bubble was
  // hidden) go first, so the copy shows the real background.
  HWND top = ::GetAncestor(owner_, GA_ROOT);
  if (top) ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  WindowDc screen(nullptr);
  HBITMAP copy = ::CreateCompatibleBitmap(screen.Get(), width, height);
  if (!copy) return;
  HDC memory = ::CreateCompatibleDC(screen.Get());
  HGDIOBJ old = ::SelectObject(memory, copy);
  ::BitBlt(memory, 0, 0, width, height, screen.Get(), x, y, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ResetBitmap(snapshot_, copy);
}

void CMrToolTipp::FadeOut() { Apply(fade_.FadeOut()); }

void CMrToolTipp::Hide() { Apply(fade_.Hide()); }

void CMrToolTipp::Apply(const TooltipFade::Effects& e) {
  if (!Exists()) return;
  if (e.stopFadeIn) ::KillTimer(hwnd_, kTooltipFadeIn);
  if (e.stopDuration) ::KillTimer(hwnd_, kTooltipDuration);
  if (e.stopFadeOut) ::KillTimer(hwnd_, kTooltipFadeOut);
  if (e.startFadeIn) ::SetTimer(hwnd_, kTooltipFadeIn, kTooltipTick, nullptr);
  if (e.startDuration)
    ::SetTimer(hwnd_, kTooltipDuration, static_cast<UINT>(std::max(1, duration_)), nullptr);
  if (e.startFadeOut) ::SetTimer(hwnd_, kTooltipFadeOut, kTooltipTick, nullptr);
  if (e.hideWindow) ::ShowWindow(hwnd_, SW_HIDE);
  if (e.repaint) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMrToolTipp::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  if (!dc) return;
  RECT client;
  ::GetClientRect(hwnd_, &client);
  MemoryCanvas canvas(dc, client.right, client.bottom);
  if (canvas.Ok()) {
    if (snapshot_) {
      HDC source = ::CreateCompatibleDC(dc);
      HGDIOBJ old = ::SelectObject(source, snapshot_);
      ::BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
      ::SelectObject(source, old);
      ::DeleteDC(source);
    } else {
      ::FillRect(canvas.Dc(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    {
      Gdiplus::Graphics g(canvas.Dc());
      g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
      auto corners = BubblePolygon(client.right, client.bottom, pointerLeft_, pointerTop_, pointerOffset_);
      std::vector<Gdiplus::Point> points;
      for (const MrPoint& p : corners) points.emplace_back(p.x, p.y);
      Gdiplus::SolidBrush bubble(Gdiplus::Color(static_cast<BYTE>(fade_.Opacity()), 0x4B, 0x4B, 0x4B));
      g.FillPolygon(&bubble, points.data(), static_cast<INT>(points.size()));
      Gdiplus::SolidBrush ink(Gdiplus::Color(static_cast<BYTE>(fade_.TextAlpha()), 0xFF, 0xFF, 0xFF));
      MrRect box = TooltipTextBox(client.right, client.bottom, pointerLeft_);
      Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top),
                            static_cast<Gdiplus::REAL>(box.Width()),
                            static_cast<Gdiplus::REAL>(box.Height()));
      Gdiplus::StringFormat format;
      format.SetAlignment(Gdiplus::StringAlignmentNear);
      TipFont tipFont;
      if (fade_.Opacity() > 0)
        g.DrawString(text_.c_str(), static_cast<INT>(text_.size()), &tipFont, layout, &format, &ink);
    }
    ::BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
  }
  ::EndPaint(hwnd_, &ps);
}

LRESULT CMrToolTipp::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the snapshot is the background
    case WM_TIMER:
      if (wParam < kTooltipFadeIn || wParam > kTooltipFadeOut) {
        ::KillTimer(hwnd_, wParam);  // not one of ours: just stop it
        return 0;
      }
      Apply(fade_.Timer(static_cast<int>(wParam)));
      return 0;
    case WM_MOUSEMOVE:
      // The bubble is no target: touching it lets it go.
      FadeOut();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}
