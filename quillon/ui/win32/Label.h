#pragma once

#include "quillon/ui/win32/Ctrl.h"

// A skinned text: optional shadow, and its own line layout when the line
// spacing is not 1.0.
class CMrCtrl_Label : public CMrCtrl {
 public:
  CMrCtrl_Label() : CMrCtrl(L"CMrCtrl_Label") {}

  // Ignored unless greater than 0.
  void SetLineSpacing(double factor);
  double GetLineSpacing() const { return spacing_; }
  // Text width + 2, or 0 for an empty text.
  int GetPreferredWidth() const;

  void DrawContent(HDC dc, int left, int top, int right, int bottom) override;

 private:
  double spacing_ = 1.0;
};
