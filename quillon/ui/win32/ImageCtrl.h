#pragma once

#include <string>

#include "quillon/ui/ImagePlacement.h"
#include "quillon/ui/win32/Ctrl.h"
#include "quillon/ui/win32/Image.h"

// A skinned picture with placement modes (0 stretched or nine-part, 1
// centred, 3 right, 4 top-left and sized to the picture) and an optional
// rotating overlay.
class CMrCtrl_Image : public CMrCtrl {
 public:
  CMrCtrl_Image() : CMrCtrl(L"CMrCtrl_Image") {}
  ~CMrCtrl_Image() override;

  // False when no valid picture results.
  bool SetImage(int resourceId, const wchar_t* type = L"PNG", const RECT* crop = nullptr);
  bool SetImage(const std::wstring& path, const RECT* crop = nullptr);
  bool SetImage(CMrImage* image, const RECT* crop = nullptr);
  void SetPlacement(int mode);
  void SetStretchMargins(int left, int top, int right, int bottom);
  // Turns a picture from the resources over the main one every `interval`
  // ms, in `steps` steps a turn (1..360), about `centre` (null: the main
  // picture's centre).
  bool StartSpinner(int resourceId, const wchar_t* type, int interval, const POINT* centre, int steps);
  void StopSpinner();
  bool IsSpinning() const { return spinning_; }
  int GetImageWidth() const { return ::GetWidth(image_); }
  int GetImageHeight() const { return ::GetHeight(image_); }

  void DrawContent(HDC dc, int left, int top, int right, int bottom) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FitToImage();

  CMrImage* image_ = nullptr;
  int mode_ = kPlaceTopLeft;
  NineMargins margins_;
  CMrImage* overlay_ = nullptr;  // kept by the image store
  bool spinning_ = false;
  bool overlayVisible_ = false;
  int steps_ = 36;
  int counter_ = 0;
  MrPoint centre_;
};
