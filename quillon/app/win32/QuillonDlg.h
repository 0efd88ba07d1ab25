#pragma once

#include "quillon/ui/win32/Button.h"
#include "quillon/ui/win32/Dialog.h"
#include "quillon/ui/win32/ImageCtrl.h"
#include "quillon/ui/win32/Label.h"
#include "quillon/ui/win32/ModuleListCtrl.h"

class CMrImage;

// quillon's main dialog: the start page, the scan page with the module list,
// and the results page.
class CQuillonDlg : public CMrDialog {
 public:
  enum Page { kStartPage = 0, kScanPage = 1, kResultsPage = 2 };

  explicit CQuillonDlg(HINSTANCE instance);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void SetPage(int page);
  void OnMainButton();
  void OnRemindButton();
  void OnOk();
  void OnCancel();
  void AllowClose();
  void Paint();
  // Link-style button width: 100 pixels, or its text's width at 10 pixels
  // when the text at 12 pixels would not fit.
  void PlaceLink(CMrCtrl_Button& link, int x, int y);

  int page_ = kStartPage;
  bool closeAllowed_ = false;
  HICON icon_ = nullptr;
  CMrImage* background_ = nullptr;
  CMrCtrl_Image logo_;
  CMrCtrl_Label headline_;
  CMrCtrl_Label intro_;
  CMrCtrl_Label note_;
  CMrCtrl_Button main_;
  CMrCtrl_Button remind_;
  CMrCtrl_Button noRemind_;
  CMrCtrl_Label whatIs_;
  CMrCtrl_Button help_;
  CMrCtrl_ListCtrl_ICheckModule list_;
  HWND scrollBar_ = nullptr;
};
