#pragma once

#include "quillon/ui/win32/Dialog.h"

// quillon's main dialog.
class CQuillonDlg : public CMrDialog {
 public:
  explicit CQuillonDlg(HINSTANCE instance);

 protected:
  BOOL OnInitDialog() override;
};
