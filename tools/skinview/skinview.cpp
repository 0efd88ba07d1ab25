// Shows quillon's skinned controls in each state, for screenshots: a mock of
// the main dialog (logo, module list, buttons) on the left and the four
// button states, a spaced label and the help button on the right.
//
//   skinview.exe --scene scanning|good|moderate|poor [--exit-after MS]
//
// When the scan of a result scene is over the window title ends in " - done".
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "quillon/lang/Text.h"
#include "quillon/lang/win32/MrFramework.h"
#include "quillon/ui/win32/Button.h"
#include "quillon/ui/win32/ImageCtrl.h"
#include "quillon/ui/win32/ImageStore.h"
#include "quillon/ui/win32/Label.h"
#include "quillon/ui/win32/ModuleListCtrl.h"
#include "quillon/ui/win32/ToolTipp.h"
#include "tools/skinview/PreviewModule.h"

namespace {

constexpr int kDialogWidth = 690;
constexpr int kDialogHeight = 522;
constexpr int kWindowWidth = 1010;
constexpr UINT_PTR kExitTimer = 7;
constexpr UINT_PTR kTipTimer = 8;
const wchar_t kTitle[] = L"quillon skin view";

struct Scene {
  std::wstring name = L"good";
  int exitAfter = 0;
};

struct View {
  Scene scene;
  HWND hwnd = nullptr;
  CMrImage* background = nullptr;
  CMrCtrl_Image logo;
  CMrCtrl_ListCtrl_ICheckModule list;
  HWND scrollBar = nullptr;
  CMrCtrl_Button main;
  CMrCtrl_Button link;
  CMrCtrl_Button states[4];
  CMrCtrl_Label caption;
  CMrCtrl_Label spaced;
  CMrCtrl_Button help;
};

View* g_view = nullptr;

using Kinds = std::vector<PreviewModule::Kind>;

void AddModules(View& v) {
  const std::wstring& s = v.scene.name;
  struct Preset {
    double value;
    int count;
    Kinds kinds;
    int hold;
  };
  Preset speed{12, 3, {{L"3 unnecessary startup entries", 12}}, 250};
  Preset stability{
      20, 5, {{L"2 invalid program shortcuts", 10}, {L"3 obsolete software references", 20}}, 250};
  Preset privacy{8, 2, {{L"2 temporary internet files", 8}}, 250};
  if (s == L"moderate") {
    speed = {55, 23, {{L"14 unnecessary startup entries", 55}, {L"9 optimisable Windows services", 40}}, 250};
  } else if (s == L"poor") {
    speed = {85,
             41,
             {{L"14 unnecessary startup entries", 85},
              {L"9 optimisable Windows services", 60},
              {L"12 missing shared DLLs", 70},
              {L"6 obsolete software references", 30}},
             250};
    stability = {
        62, 18, {{L"11 invalid program shortcuts", 62}, {L"7 obsolete software references", 40}}, 250};
    privacy = {40, 356, {{L"312 browser cookies", 40}, {L"44 browser history entries", 25}}, 250};
  } else if (s == L"scanning") {
    speed = {62, 17, {{L"17 unnecessary startup entries", 62}}, 300};
    stability.hold = -1;  // keeps scanning
  }
  v.list.AddModule(new PreviewModule(L"Speed", L"Startup entries and Windows services that slow the PC down.",
                                     speed.value, speed.count, speed.kinds, speed.hold, 400));
  v.list.AddModule(new PreviewModule(L"Stability",
                                     L"Registry problems: missing shared DLLs, invalid program shortcuts and "
                                     L"obsolete software references.",
                                     stability.value, stability.count, stability.kinds, stability.hold, 400));
  v.list.AddModule(
      new PreviewModule(L"Privacy",
                        L"Browser cookies, browser history entries, temporary internet files and "
                        L"junk files.",
                        privacy.value, privacy.count, privacy.kinds, privacy.hold, 400));
}

void StyleMainButton(CMrCtrl_Button& b, int icon, int iconY) {
  b.SetImageStrip(135);
  b.SetImageStretch(true, 10, 10, 10, 10);
  b.SetIcon(icon, L"PNG", 20, iconY);
  b.SetTextInsets(30, 0, 10, 0);
  b.SetFontSize(20);
  b.SetFontWeight(FW_BOLD);
  b.SetTextColors(0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x554641);
  b.SetTransparent(true);
}

void StyleLink(CMrCtrl_Button& b) {
  b.SetFontSize(12);
  b.SetFontUnderline(true);
  b.SetTextColors(0x8C8C8C, 0x646464, 0x464646, 0xB4B4B4);
  b.SetTransparent(true);
}

void Build(View& v) {
  HWND w = v.hwnd;
  v.background = LoadStoredImage(::GetModuleHandleW(nullptr), 133, L"PNG");

  v.logo.Create(RECT{10, 20, 20, 30}, w, 1005);
  v.logo.SetTransparent(true);
  v.logo.SetImage(136);
  const int logoRight = v.logo.GetRight();

  const int listLeft = logoRight + 15;
  const int listWidth = kDialogWidth - 35 - listLeft;
  v.list.Create(RECT{listLeft, 19, listLeft + listWidth, 19 + 423}, w, 1027);
  v.list.SetBackgroundImages(146, L"PNG", 5, 48, 5, 38);
  v.list.SetStatusImage(145, L"PNG", 15);
  v.scrollBar =
      ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, listLeft + listWidth + 1, 19, 15, 423, w,
                        reinterpret_cast<HMENU>(1028), ::GetModuleHandleW(nullptr), nullptr);
  v.list.SetScrollBar(v.scrollBar);

  v.main.Create(
      RECT{listLeft + listWidth - 280, kDialogHeight - 10 - 52, listLeft + listWidth, kDialogHeight - 10}, w,
      1007);
  StyleMainButton(v.main, 141, 5);
  v.main.SetText(v.scene.name == L"scanning" ? L"Exit now" : L"Fix all problems!");
  if (v.scene.name == L"good") v.main.SetText(L"Exit now");
  if (v.scene.name == L"scanning") v.main.Show(SW_HIDE);  // as on the scan page

  v.link.Create(RECT{listLeft, kDialogHeight - 30, listLeft + 100, kDialogHeight - 10}, w, 1015);
  StyleLink(v.link);
  v.link.SetText(LoadText(v.scene.name == L"scanning" ? 137 : 142));

  // Right: the four button states, a spaced label, the help button.
  const int x = kDialogWidth + 25;
  v.caption.Create(RECT{x, 12, x + 270, 32}, w, 2000);
  v.caption.SetTransparent(true);
  v.caption.SetFontSize(13);
  v.caption.SetFontWeight(FW_BOLD);
  v.caption.SetTextColor(0x646464);
  v.caption.SetText(L"Button: normal, hover, pressed, disabled");
  const ButtonState order[4] = {kButtonNormal, kButtonHover, kButtonPressed, kButtonDisabled};
  for (int i = 0; i < 4; ++i) {
    CMrCtrl_Button& b = v.states[i];
    b.Create(RECT{x, 40 + 62 * i, x + 260, 40 + 62 * i + 52}, w, 2001 + static_cast<UINT>(i));
    StyleMainButton(b, 142, 8);
    b.SetText(LoadText(145));
    if (order[i] == kButtonDisabled)
      ::EnableWindow(b.GetHwnd(), FALSE);
    else
      b.PreviewState(order[i]);
  }
  v.spaced.Create(RECT{x, 300, x + 270, 420}, w, 2010);
  v.spaced.SetTransparent(true);
  v.spaced.SetFontSize(16);
  v.spaced.SetTextColor(0x8C8C8C);
  v.spaced.SetLineSpacing(1.2);
  v.spaced.SetText(
      L"Let quillon determine whether your PC is affected by any problems that may slow down "
      L"your system or even make it unstable.");

  v.help.Create(RECT{x + 2, 440, x + 13, 453}, w, 1016);
  v.help.SetImageStrip(150);
  v.help.SetTransparent(true);
  // A measuring box keeps the long explanation to a readable width.
  v.help.SetTooltip(true, 10, 20000, 0, 0, 340, 300);
  v.help.SetTooltipText(LoadText(158));

  AddModules(v);
  v.list.StartScan(-1);
  if (v.scene.name == L"good") ::SetTimer(w, kTipTimer, 600, nullptr);
}

void OnScanDone(View& v) {
  std::wstring title = std::wstring(kTitle) + L" - done";
  if (v.scene.name == L"poor") {
    v.list.SetExpanded(0, true);
    ::UpdateWindow(v.list.GetHwnd());
    // Point at the second row's info icon so its description shows.
    if (const RowLayout* row = v.list.GetRowLayout(1)) {
      POINT at{row->info.left + 5, row->info.top + 5};
      POINT screen = at;
      ::ClientToScreen(v.list.GetHwnd(), &screen);
      ::SetCursorPos(screen.x, screen.y);
      ::SendMessageW(v.list.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    }
  }
  ::SetWindowTextW(v.hwnd, title.c_str());
}

void Paint(View& v) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(v.hwnd, &ps);
  RECT all{0, 0, kWindowWidth, kDialogHeight};
  HBRUSH side = ::CreateSolidBrush(RGB(0xF4, 0xF6, 0xF9));
  ::FillRect(dc, &all, side);
  ::DeleteObject(side);
  if (v.background) v.background->DrawNinePart(dc, 0, 0, kDialogWidth, kDialogHeight, 1, 1, 1, 1, 1.0);
  ::EndPaint(v.hwnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  View* v = g_view;
  switch (message) {
    case WM_PAINT:
      if (v) {
        Paint(*v);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_SCAN_DONE:
      if (v) OnScanDone(*v);
      return 0;
    case WM_VSCROLL:
      if (v && reinterpret_cast<HWND>(lParam) == v->scrollBar)
        ::SendMessageW(v->list.GetHwnd(), WM_VSCROLL, wParam, lParam);
      return 0;
    case WM_TIMER:
      if (v && wParam == kTipTimer) {
        ::KillTimer(hwnd, kTipTimer);
        v->help.GetTooltip()->ShowForOwner(LoadText(158), RECT{0, 0, 340, 300}, 20000);
        return 0;
      }
      if (wParam == kExitTimer) {
        ::DestroyWindow(hwnd);
        return 0;
      }
      break;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

Scene ParseScene() {
  Scene scene;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv && i + 1 < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"--scene")
      scene.name = argv[++i];
    else if (arg == L"--exit-after")
      scene.exitAfter = _wtoi(argv[++i]);
  }
  if (argv) ::LocalFree(argv);
  return scene;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!MrFrameworkInit()) return 2;
  CMrCtrl::RegisterClasses();
  WNDCLASSW wc{};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"QuillonSkinView";
  ::RegisterClassW(&wc);
  int code = 0;
  {
    auto view = std::make_unique<View>();
    view->scene = ParseScene();
    g_view = view.get();
    view->hwnd = ::CreateWindowExW(0, wc.lpszClassName, kTitle, WS_POPUP, 0, 0, kWindowWidth, kDialogHeight,
                                   nullptr, nullptr, instance, nullptr);
    if (!view->hwnd) return 3;
    Build(*view);
    ::ShowWindow(view->hwnd, SW_SHOW);
    ::UpdateWindow(view->hwnd);
    if (view->scene.exitAfter > 0)
      ::SetTimer(view->hwnd, kExitTimer, static_cast<UINT>(view->scene.exitAfter), nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    code = static_cast<int>(msg.wParam);
    view->list.CancelScan();
    g_view = nullptr;
  }
  MrFrameworkExit();
  return code;
}
