#include "quillon/ui/win32/MrWnd.h"

namespace {

const wchar_t kObjectProp[] = L"CMrWnd.object";

}  // namespace

bool RegisterMrClass(const wchar_t* name, HBRUSH background) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW existing{};
  if (::GetClassInfoW(instance, name, &existing)) return true;
  WNDCLASSW wc{};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return ::RegisterClassW(&wc) != 0;
}

CMrWnd::~CMrWnd() { DestroyWindow(); }

bool CMrWnd::Attach(HWND hwnd) {
  if (!hwnd || hwnd_) return false;
  hwnd_ = hwnd;
  ::SetPropW(hwnd, kObjectProp, this);
  oldProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CMrWnd::StaticProc)));
  OnAttached();
  return true;
}

void CMrWnd::Detach() {
  if (!hwnd_) return;
  if (oldProc_) ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  ::RemovePropW(hwnd_, kObjectProp);
  hwnd_ = nullptr;
  oldProc_ = nullptr;
}

void CMrWnd::DestroyWindow() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);  // WM_NCDESTROY detaches
  Detach();
}

bool CMrWnd::CreateBound(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU idOrMenu) {
  if (hwnd_) return false;
  HWND hwnd = ::CreateWindowExW(exStyle, className, L"", style, x, y, width, height, parent, idOrMenu,
                                ::GetModuleHandleW(nullptr), nullptr);
  return hwnd && Attach(hwnd);
}

LRESULT CMrWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(oldProc_ ? oldProc_ : ::DefWindowProcW, hwnd_, message, wParam, lParam);
}

LRESULT CMrWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK CMrWnd::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CMrWnd*>(::GetPropW(hwnd, kObjectProp));
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    WNDPROC old = self->oldProc_;
    self->Detach();
    return ::CallWindowProcW(old ? old : ::DefWindowProcW, hwnd, message, wParam, lParam);
  }
  return self->WindowProc(message, wParam, lParam);
}
