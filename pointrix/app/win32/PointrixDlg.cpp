#include "pointrix/app/win32/PointrixDlg.h"

#include <string>

#include "pointrix/device/DeviceLink.h"
#include "pointrix/device/win32/HidBackendFactory.h"
#include "pointrix/model/ConfigModel.h"
#include "pointrix/model/DeviceMemory.h"
#include "pointrix/resources/resource.h"

using namespace pointrix;

namespace {

constexpr UINT kConnectDone = WM_APP + 1;

HFONT MakeFont(int height, int weight) {
  return ::CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial");
}

void Text(HDC dc, int x, int y, const std::wstring& text) {
  ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

CPointrixDlg::CPointrixDlg() = default;

CPointrixDlg::~CPointrixDlg() {
  if (connect_.joinable()) connect_.join();
}

bool CPointrixDlg::Create(HINSTANCE instance) {
  HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_POINTRIX));
  if (!CWindow::Create(instance, L"KorvexPointrixWindow", L"KORVEX pointrix",
                       WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 640, 400, icon)) {
    return false;
  }
  font_ = MakeFont(14, FW_NORMAL);
  titleFont_ = MakeFont(20, FW_BOLD);
  HWND quit = ::CreateWindowExW(0, L"BUTTON", L"Quit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 520, 320, 96,
                                28, GetHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QUIT_BUTTON)),
                                instance, nullptr);
  ::SendMessageW(quit, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  link_ = std::make_unique<DeviceLink>(CreateHidBackend());
  model_ = std::make_unique<ConfigModel>(link_->Commands(), link_->Registry());
  StartConnect();
  ::ShowWindow(GetHwnd(), SW_SHOW);
  ::UpdateWindow(GetHwnd());
  return true;
}

void CPointrixDlg::StartConnect() {
  connecting_ = true;
  HWND hwnd = GetHwnd();
  connect_ = std::thread([this, hwnd] {
    link_->Discovery().Connect([this] { model_->ReadDeviceSettings(); });
    connecting_ = false;
    ::PostMessageW(hwnd, kConnectDone, 0, 0);
  });
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
    case kConnectDone:
      if (connect_.joinable()) connect_.join();
      ::InvalidateRect(GetHwnd(), nullptr, TRUE);
      result = 0;
      return true;
    case WM_PAINT:
      Paint();
      result = 0;
      return true;
    case WM_DESTROY:
      if (connect_.joinable()) connect_.join();
      if (font_) ::DeleteObject(font_);
      if (titleFont_) ::DeleteObject(titleFont_);
      font_ = titleFont_ = nullptr;
      ::PostQuitMessage(0);
      result = 0;
      return true;
    default:
      return false;
  }
}

void CPointrixDlg::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(GetHwnd(), &ps);
  HGDIOBJ old = ::SelectObject(dc, titleFont_);
  ::SetBkMode(dc, TRANSPARENT);
  const ConfigState state = model_ ? model_->Snapshot() : ConfigState();
  if (connecting_) {
    Text(dc, 24, 20, L"Connecting...");
  } else if (!state.loaded) {
    Text(dc, 24, 20, L"No device !!");
  } else {
    Text(dc, 24, 20, L"Mouse connected");
    ::SelectObject(dc, font_);
    Text(dc, 24, 56,
         L"Firmware version " + std::to_wstring(state.firmwareVersion) + L", memory " +
             std::to_wstring((state.highestAddress + 1) / 1024) + L" KiB, report rate " +
             std::to_wstring(ReportRateHz(state.pollingCode)) + L" Hz");
    int y = 92;
    for (int p = 0; p < state.profileCount && p < kProfiles; ++p, y += 26) {
      const ProfileSettings& profile = state.profiles[static_cast<size_t>(p)];
      HBRUSH swatch = ::CreateSolidBrush(RGB(profile.red * 85, profile.green * 85, profile.blue * 85));
      RECT box{24, y + 1, 40, y + 17};
      ::FillRect(dc, &box, swatch);
      ::DeleteObject(swatch);
      std::wstring line = profile.name + (p == state.currentProfile ? L"  (active)" : L"");
      Text(dc, 50, y, line);
    }
    std::wstring dpi = L"DPI levels:";
    for (int level = 0; level < state.dpiSliderCount && level < kDpiLevels; ++level) {
      dpi += L" " + std::to_wstring(state.dpi[static_cast<size_t>(level)].x * 50);
    }
    Text(dc, 24, y + 10, dpi);
  }
  ::SelectObject(dc, old);
  ::EndPaint(GetHwnd(), &ps);
}
