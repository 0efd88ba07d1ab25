// The module list's repaint cost: one full paint of the list at its size in
// the main dialog (after a finished scan), median over many paints, against
// a plain BitBlt of the same area. Run under Wine; prints the ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "quillon/lang/Text.h"
#include "quillon/lang/win32/MrFramework.h"
#include "quillon/ui/win32/GdiScoped.h"
#include "quillon/ui/win32/ImageStore.h"
#include "quillon/ui/win32/ModuleListCtrl.h"
#include "tools/skinview/PreviewModule.h"

namespace {

constexpr int kWidth = 460;  // 690 - 35 - (logo 180 + 15)
constexpr int kHeight = 423;
constexpr int kRounds = 400;
bool g_done = false;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SCAN_DONE) {
    g_done = true;
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Body>
double MedianMicroseconds(Body&& body) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < kRounds; ++i) {
    LARGE_INTEGER a, b;
    ::QueryPerformanceCounter(&a);
    body();
    ::QueryPerformanceCounter(&b);
    times.push_back(Seconds(a, b, frequency) * 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int wmain() {
  if (!MrFrameworkInit()) return 2;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = &HostProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"SkinBenchHost";
  ::RegisterClassW(&wc);
  HWND host = ::CreateWindowExW(0, wc.lpszClassName, L"skinbench", WS_POPUP, 0, 0, 690, 522, nullptr, nullptr,
                                instance, nullptr);
  int code = 0;
  {
    CMrCtrl_ListCtrl_ICheckModule list;
    list.Create(RECT{0, 0, kWidth, kHeight}, host, 1027);
    list.SetBackgroundImages(146, L"PNG", 5, 48, 5, 38);
    list.SetStatusImage(145, L"PNG", 15);
    using Kinds = std::vector<PreviewModule::Kind>;
    list.AddModule(
        new PreviewModule(L"Speed", L"", 85, 41, Kinds{{L"14 unnecessary startup entries", 85}}, 0, 0));
    list.AddModule(
        new PreviewModule(L"Stability", L"", 62, 18, Kinds{{L"11 invalid program shortcuts", 62}}, 0, 0));
    list.AddModule(new PreviewModule(L"Privacy", L"", 40, 356, Kinds{{L"312 browser cookies", 40}}, 0, 0));
    list.StartScan(-1);
    MSG msg;
    while (!g_done && ::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);

    WindowDc screen(nullptr);
    MemoryCanvas target(screen.Get(), kWidth, kHeight);
    MemoryCanvas source(screen.Get(), kWidth, kHeight);
    list.PaintTo(source.Dc(), kWidth, kHeight);  // warm: images decoded, DIBs cached
    double paint = MedianMicroseconds([&] {
      MemoryCanvas canvas(screen.Get(), kWidth, kHeight);
      list.PaintTo(canvas.Dc(), kWidth, kHeight);
      ::BitBlt(target.Dc(), 0, 0, kWidth, kHeight, canvas.Dc(), 0, 0, SRCCOPY);
      ::GdiFlush();
    });
    double blit = MedianMicroseconds([&] {
      ::BitBlt(target.Dc(), 0, 0, kWidth, kHeight, source.Dc(), 0, 0, SRCCOPY);
      ::GdiFlush();
    });
    // Where the time goes: one background frame, one line of text.
    CMrImage* frames = LoadStoredImage(instance, 146, L"PNG");
    CMrImage* frame = CropImage(frames, 0, 0, 90, 106);
    double nine = MedianMicroseconds([&] {
      frame->DrawNinePart(target.Dc(), 0, 0, kWidth, kHeight, 5, 48, 5, 38, 1.0);
      ::GdiFlush();
    });
    HFONT font = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FF_SWISS, L"Arial");
    double text = MedianMicroseconds([&] {
      SelectScope scope(target.Dc(), font);
      RECT box{0, 0, 300, 20};
      ::DrawTextW(target.Dc(), L"Total number of issues found:", -1, &box, DT_SINGLELINE | DT_NOPREFIX);
      ::GdiFlush();
    });
    ::DeleteObject(font);
    CMrImage* bar = LoadStoredImage(instance, 148, L"PNG");
    double icon = MedianMicroseconds([&] {
      bar->DrawAt(target.Dc(), 10, 10);
      ::GdiFlush();
    });
    std::printf(
        "  parts: nine-part frame %.1f us, one 12-pixel text line %.1f us, one 170x19 picture %.1f us\n",
        nine, text, icon);
    std::printf("module list repaint %dx%d: median %.1f us; plain BitBlt: median %.1f us; ratio %.1f\n",
                kWidth, kHeight, paint, blit, blit > 0 ? paint / blit : 0.0);
    if (list.GetStatusLevel() != 30) code = 1;  // the scene is not the one measured
  }
  ::DestroyWindow(host);
  MrFrameworkExit();
  return code;
}
