#pragma once

#include <windows.h>

#include <string>

#include "quillon/ui/win32/MrWnd.h"

// Base of the skinned child controls: own font and colours, double-buffered
// painting, and optionally the parent's pixels under the control as its
// background, so that it looks transparent on the dialog's skin.
class CMrCtrl : public CMrWnd {
 public:
  // Registers every skinned window class ("CMrCtrl", "CMrCtrl_Button",
  // "CMrCtrl_Label", "CMrCtrl_Image", "CMrCtrl_ListCtrl_ICheckModule",
  // "CMrToolTipp"); call before creating a dialog whose template names them.
  static bool RegisterClasses();

  CMrCtrl() : CMrCtrl(L"CMrCtrl") {}
  ~CMrCtrl() override;

  bool Create(const RECT& rect, HWND parent, UINT id);
  // Binds to the control `id` of a dialog made from a template.
  bool SubclassDlgItem(UINT id, HWND parent);

  virtual void SetTransparent(bool on);
  virtual void SetBackgroundColor(COLORREF color);
  virtual void SetTextById(unsigned id);
  virtual void SetParentDrawn(bool on, HWND owner);
  virtual void SetOwner(HWND owner);
  virtual HWND GetOwner() const;
  virtual int GetTop() const { return rect_.top; }
  virtual int GetLeft() const { return rect_.left; }
  virtual int GetRight() const { return rect_.right; }
  virtual int GetBottom() const { return rect_.bottom; }
  virtual int GetWidth() const { return rect_.right - rect_.left; }
  virtual int GetHeight() const { return rect_.bottom - rect_.top; }
  virtual void DrawContent(HDC dc, int left, int top, int right, int bottom);
  virtual void Show(int command);
  virtual bool Move(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
  virtual void Redraw(bool erase);
  virtual void SetText(const std::wstring& text);
  virtual void CaptureBackground();
  virtual void OnMouseMoveCursor(UINT flags, POINT point);

  void SetTextColor(COLORREF color);
  void SetFontName(const std::wstring& name);
  // The font height becomes -ceiling(size): a character height in pixels.
  void SetFontSize(double size);
  void SetFontWeight(int weight);
  void SetFontItalic(bool on);
  void SetFontUnderline(bool on);
  void CopyFont(HFONT font);
  void SetTextFormat(UINT format);
  void SetShadow(bool on, COLORREF color, int direction);
  const LOGFONTW& GetFontDescription() const { return font_; }
  HFONT GetFont() const { return fontHandle_; }
  std::wstring GetText() const;
  bool IsRedrawPending() const { return redrawPending_; }
  bool HasBackgroundSnapshot() const { return snapshot_ != nullptr; }
  COLORREF GetTextColor() const { return textColor_; }

 protected:
  explicit CMrCtrl(const wchar_t* className);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnAttached() override;
  void Paint();
  // Text in `color`, after its shadow when the shadow is on.
  void DrawShadowedText(HDC dc, const std::wstring& text, RECT box, UINT format, COLORREF color) const;
  // Width of `text` in this control's font.
  int MeasureText(const std::wstring& text) const;
  bool IsVisible() const { return Exists() && ::IsWindowVisible(hwnd_); }

  const wchar_t* className_;
  COLORREF background_ = 0xFFFFFF;
  COLORREF textColor_ = 0x000000;
  UINT format_ = DT_WORDBREAK | DT_NOPREFIX;
  COLORREF shadowColor_ = 0;
  bool shadowOn_ = false;
  int shadowDirection_ = 1;
  bool transparent_ = false;
  bool parentDrawn_ = false;
  HWND owner_ = nullptr;
  bool redrawPending_ = false;
  RECT rect_{};
  HBITMAP snapshot_ = nullptr;

 private:
  void RebuildFont();

  LOGFONTW font_{};
  HFONT fontHandle_ = nullptr;
};
