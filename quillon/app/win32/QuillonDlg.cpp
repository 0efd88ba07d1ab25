#include "quillon/app/win32/QuillonDlg.h"

#include <algorithm>
#include <string>

#include "quillon/engine/ZevCheck_Security.h"
#include "quillon/engine/ZevCheck_SpeedUp.h"
#include "quillon/engine/ZevCheck_SystemTweak.h"
#include "quillon/engine/win32/Win32ScanSources.h"
#include "quillon/lang/Text.h"
#include "quillon/resources/resource.h"
#include "quillon/services/win32/SystemHelpers.h"
#include "quillon/ui/win32/Image.h"
#include "quillon/ui/win32/ImageStore.h"

namespace {

constexpr int kMinClientWidth = 690;
constexpr int kClientHeight = 522;

enum ControlId : UINT {
  kLogoId = 1005,
  kHeadlineId = 1006,
  kMainId = 1007,
  kNoteId = 1008,
  kWhatIsId = 1009,
  kRemindId = 1015,
  kHelpId = 1016,
  kNoRemindId = 1017,
  kIntroId = 1019,
  kListId = 1027,
  kScrollId = 1028,
};

void StyleMainButton(CMrCtrl_Button& button) {
  button.SetImageStrip(135);
  button.SetImageStretch(true, 10, 10, 10, 10);
  button.SetTextInsets(30, 0, 10, 0);
  button.SetFontName(L"Arial");
  button.SetFontSize(20);
  button.SetFontWeight(FW_BOLD);
  button.SetTextColors(0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x554641);
  button.SetTransparent(true);
}

void StyleLink(CMrCtrl_Button& link) {
  link.SetFontName(L"Arial");
  link.SetFontSize(12);
  link.SetFontUnderline(true);
  link.SetTextColors(0x8C8C8C, 0x646464, 0x464646, 0xB4B4B4);
  link.SetTransparent(true);
}

void StyleLabel(CMrCtrl_Label& label, double size, COLORREF color, bool bold = false) {
  label.SetFontName(L"Arial");
  label.SetFontSize(size);
  if (bold) label.SetFontWeight(FW_BOLD);
  label.SetTextColor(color);
  label.SetTransparent(true);
}

void MoveTo(CMrCtrl& control, int x, int y, int width, int height) {
  control.Move(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CQuillonDlg::CQuillonDlg(HINSTANCE instance) : CMrDialog(instance, IDD_QUILLON_DIALOG) {}

BOOL CQuillonDlg::OnInitDialog() {
  HWND hwnd = GetHwnd();
  icon_ = ::LoadIconW(instance_, MAKEINTRESOURCEW(IDI_QUILLON));
  ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  ::SetWindowTextW(hwnd, LoadText(136).c_str());
  background_ = LoadStoredImage(instance_, 133, L"PNG");

  const RECT none{0, 0, 10, 10};
  logo_.Create(none, hwnd, kLogoId);
  logo_.SetTransparent(true);
  headline_.Create(none, hwnd, kHeadlineId);
  StyleLabel(headline_, 28, 0x323232, true);
  intro_.Create(none, hwnd, kIntroId);
  StyleLabel(intro_, 18, 0x8C8C8C);
  note_.Create(none, hwnd, kNoteId);
  StyleLabel(note_, 14, 0x8C8C8C);
  main_.Create(none, hwnd, kMainId);
  StyleMainButton(main_);
  remind_.Create(none, hwnd, kRemindId);
  StyleLink(remind_);
  noRemind_.Create(none, hwnd, kNoRemindId);
  StyleLink(noRemind_);
  whatIs_.Create(none, hwnd, kWhatIsId);
  StyleLabel(whatIs_, 12, 0x8C8C8C);
  whatIs_.SetTextFormat(DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
  help_.Create(none, hwnd, kHelpId);
  help_.SetImageStrip(150);
  help_.SetTransparent(true);
  help_.SetTooltip(true, 10, 20000, 0, 0, 340, 300);
  list_.Create(none, hwnd, kListId);
  list_.SetBackgroundImages(146, L"PNG", 5, 48, 5, 38);
  scrollBar_ =
      ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, 0, 0, 15, 10, hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kScrollId)), instance_, nullptr);
  SetPage(kStartPage);
  return TRUE;
}

void CQuillonDlg::SetPage(int page) {
  HWND hwnd = GetHwnd();
  page_ = page;
  if (page == kStartPage) {
    // A translation may ask for a wider window through text 151.
    const int width = std::max(kMinClientWidth, _wtoi(LoadText(151).c_str()));
    RECT frame{0, 0, width, kClientHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_EXSTYLE)));
    ::SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT client;
  ::GetClientRect(hwnd, &client);

  if (page == kStartPage) {
    const std::wstring partner = GetProgramFolder() + L"\\partner_mainscreen.png";
    if (!(FileExists(partner) && logo_.SetImage(partner))) logo_.SetImage(136);
    const int logoRight = logo_.GetRight();
    const int x = logoRight + 70;
    const int width = client.right - logoRight - 140;
    headline_.SetText(LoadText(152));
    MoveTo(headline_, x, client.top + 108, width, 70);
    intro_.SetText(LoadText(135));
    MoveTo(intro_, x, headline_.GetTop() + 85, width, 100);
    note_.SetText(LoadText(186));
    MoveTo(note_, x, intro_.GetBottom() + 10, width, 40);
    main_.SetIcon(142, L"PNG", 20, 8);
    main_.SetText(LoadText(145));
    MoveTo(main_, x, note_.GetTop() + 45, std::max(260, main_.GetPreferredWidth()),
           main_.GetPreferredHeight());
    remind_.SetText(LoadText(142));
    PlaceLink(remind_, logoRight + 15, client.bottom - 30);
    noRemind_.SetText(LoadText(190));
    PlaceLink(noRemind_, logoRight + 15, client.bottom - 55);
    whatIs_.SetText(LoadText(153));
    MoveTo(whatIs_, intro_.GetRight() - 200, client.bottom - 30, 200, 20);
    help_.SetTooltipText(LoadText(158));
    MoveTo(help_, intro_.GetRight() + 2, client.bottom - 28, 11, 13);
    for (CMrCtrl* c :
         std::initializer_list<CMrCtrl*>{&headline_, &intro_, &note_, &main_, &remind_, &whatIs_, &help_}) {
      c->Show(SW_SHOW);
    }
    noRemind_.Show(SW_HIDE);
    ::ShowWindow(list_.GetHwnd(), SW_HIDE);
    ::ShowWindow(scrollBar_, SW_HIDE);
  } else if (page == kScanPage) {
    for (CMrCtrl* c :
         std::initializer_list<CMrCtrl*>{&headline_, &intro_, &note_, &main_, &whatIs_, &help_}) {
      c->Show(SW_HIDE);
    }
    list_.RemoveAllModules();
    list_.SetStatusImage(145, L"PNG", 15);
    list_.SetScrollBar(scrollBar_);
    const int left = logo_.GetRight() + 15;
    const int right = client.right - 35;
    ::SetWindowPos(list_.GetHwnd(), nullptr, left, client.top + 19, right - left, 423,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(scrollBar_, nullptr, right + 1, client.top + 19, 15, 423, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(list_.GetHwnd(), SW_SHOW);
    const ScanSources sources = Win32ScanSources();
    list_.AddModule(new CZevCheck_SpeedUp(sources));
    list_.AddModule(new CZevCheck_SystemTweak(sources));
    list_.AddModule(new CZevCheck_Security(sources));
    list_.StartScan(-1);
    remind_.SetText(LoadText(137));
    PlaceLink(remind_, logo_.GetRight() + 15, client.bottom - 30);
  } else {
    note_.Show(SW_HIDE);
    whatIs_.Show(SW_HIDE);
    help_.Show(SW_HIDE);
    main_.SetIcon(141, L"PNG", 20, 5);
    main_.SetText(LoadText(list_.GetStatusLevel() < 11 ? 189 : 144));
    int width = 280;
    if (main_.GetPreferredWidth() > width) width = main_.GetPreferredWidth();
    const int right = client.right - 35;  // the list's right edge
    const int height = main_.GetPreferredHeight();
    MoveTo(main_, right - width, client.bottom - 10 - height, width, height);
    main_.Show(SW_SHOW);
    remind_.SetText(LoadText(142));
    PlaceLink(remind_, logo_.GetRight() + 15, client.bottom - 30);
  }
  ::InvalidateRect(hwnd, nullptr, TRUE);
}

void CQuillonDlg::PlaceLink(CMrCtrl_Button& link, int x, int y) {
  link.SetFontSize(12);
  int width = 100;
  if (link.GetPreferredWidth() > width) {
    link.SetFontSize(10);
    width = link.GetPreferredWidth();
  }
  MoveTo(link, x, y, width, 20);
}

bool CQuillonDlg::OnCommand(WORD id, WORD /*code*/, HWND /*control*/) {
  switch (id) {
    case kMainId:
      OnMainButton();
      return true;
    case kRemindId:
      OnRemindButton();
      return true;
    case IDOK:
      OnOk();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

void CQuillonDlg::OnMainButton() {
  if (page_ == kStartPage) {
    SetPage(kScanPage);
  } else {
    OnOk();
  }
}

void CQuillonDlg::OnRemindButton() {
  if (page_ != kScanPage) {
    EndDialog(IDCANCEL);
    return;
  }
  const std::wstring question = LoadText(177);
  const std::wstring title = LoadText(136);
  if (::MessageBoxW(GetHwnd(), question.c_str(), title.c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
      IDYES) {
    list_.CancelScan();
    SetPage(kStartPage);
  }
}

void CQuillonDlg::OnOk() {
  if (list_.GetStatusLevel() <= 10) {
    EndDialog(IDOK);
    return;
  }
  // The dialog stays open behind the product's page, now closable.
  AllowClose();
}

void CQuillonDlg::OnCancel() {
  if (closeAllowed_) EndDialog(IDCANCEL);
}

void CQuillonDlg::AllowClose() {
  HWND hwnd = GetHwnd();
  ::SetWindowLongW(hwnd, GWL_STYLE, ::GetWindowLongW(hwnd, GWL_STYLE) | WS_SYSMENU);
  ::SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  closeAllowed_ = true;
}

bool CQuillonDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      Paint();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(icon_);
      return true;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == scrollBar_) {
        ::SendMessageW(list_.GetHwnd(), WM_VSCROLL, wParam, lParam);
        result = 0;
        return true;
      }
      return false;
    case WM_SCAN_DONE:
      SetPage(kResultsPage);
      result = 0;
      return true;
    case WM_ENDSESSION:
      if (wParam) {
        AllowClose();
        OnCancel();
      }
      result = 0;
      return true;
    case WM_DESTROY:
      list_.CancelScan();
      return false;
    default:
      return false;
  }
}

void CQuillonDlg::Paint() {
  HWND hwnd = GetHwnd();
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd, &ps);
  RECT client;
  ::GetClientRect(hwnd, &client);
  if (::IsIconic(hwnd)) {
    ::DrawIcon(dc, (client.right - ::GetSystemMetrics(SM_CXICON)) / 2,
               (client.bottom - ::GetSystemMetrics(SM_CYICON)) / 2, icon_);
  } else {
    // Off-screen first, so the controls' background snapshots never see a
    // half-drawn skin.
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    if (background_) {
      background_->DrawNinePart(memory, 0, 0, client.right, client.bottom, 1, 1, 1, 1, 1.0);
    } else {
      ::FillRect(memory, &client, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
  }
  ::EndPaint(hwnd, &ps);
}
