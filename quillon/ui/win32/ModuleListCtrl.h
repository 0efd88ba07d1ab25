#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "quillon/engine/ScanRunner.h"
#include "quillon/ui/ModuleListLayout.h"
#include "quillon/ui/win32/Image.h"
#include "quillon/ui/win32/MrWnd.h"

#ifndef WM_SCAN_DONE
#define WM_SCAN_DONE (WM_USER + 1)
#endif

class CMrToolTipp;

// The panel that shows the overall PC status and one row per check module:
// name, spinner or severity mark, severity bar, result line with the number
// of issues and, on request, the issue kinds. It owns the modules and runs
// the scan (ScanRunner); the 100 ms timer (id 1) animates and repaints, and
// the parent is told WM_SCAN_DONE when the scan and its animation are over.
class CMrCtrl_ListCtrl_ICheckModule : public CMrWnd, public IScanHost {
 public:
  CMrCtrl_ListCtrl_ICheckModule();
  ~CMrCtrl_ListCtrl_ICheckModule() override;

  bool Create(const RECT& rect, HWND parent, UINT id);
  bool SubclassDlgItem(UINT id, HWND parent);

  // The status strip: `frameCount` frames side by side (at least 4): spinner
  // frames, then the low, medium and high marks.
  bool SetStatusImage(int resourceId, const wchar_t* type, int frameCount);
  // Four frames side by side (not rated, poor, moderate, good), drawn
  // nine-part with these margins; the width must divide by 4.
  bool SetBackgroundImages(int resourceId, const wchar_t* type, int left, int top, int right, int bottom);
  bool SetBackgroundImages(CMrImage* image, int left, int top, int right, int bottom);
  void SetScrollBar(HWND scrollBar);
  void SetTransparent(bool on) { transparent_ = on; }
  void SetBackgroundColor(COLORREF color) { background_ = color; }

  // The scan runner's operations.
  void AddModule(ICheckModule* module);
  void RemoveAllModules();
  bool StartScan(int index);
  bool CancelScan();
  unsigned GetStatusLevel() const { return runner_.GetStatusLevel(); }
  int GetTotalCount() const { return runner_.GetTotalCount(); }
  const ScanRunner& Runner() const { return runner_; }

  // IScanHost
  void StartTick() override;
  void StopTick() override;
  void Repaint() override;
  void NotifyScanDone() override;

  // One whole frame into `dc` (the paint handler's work; also for tests and
  // the repaint benchmark).
  void PaintTo(HDC dc, int width, int height);
  bool IsExpanded(int index) const;
  void SetExpanded(int index, bool on);
  int GetScrollOffset() const { return scroll_.position; }
  bool IsScrollBarShown() const { return scroll_.visible; }
  int GetRowHeight() const { return rowHeight_; }
  // Row pieces in client coordinates as of the last paint.
  const RowLayout* GetRowLayout(int index) const;
  CMrToolTipp* GetTooltip() const { return tooltip_.get(); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnAttached() override;

 private:
  struct Display {
    bool pressed = false;
    bool rowHover = false;
    bool expanded = false;
    bool infoHover = false;
    RowLayout layout;  // client coordinates
  };

  void LoadSkin();
  void SyncDisplay();
  void DrawBackground(HDC dc, const MrRect& client);
  void DrawHeader(HDC dc, const MrRect& band);
  void DrawBody(HDC dc, const MrRect& band);
  void DrawRow(HDC dc, int index, const ScanRunner::Item& item, const RowLayout& row);
  void DrawFooter(HDC dc, const MrRect& band);
  void OnScroll(int code);
  void OnMouseMove(int x, int y);
  void OnLeftDown(int x, int y);
  void ShowInfoTip(int index);
  void ClearHover();

  ScanRunner runner_;
  std::vector<Display> display_;
  std::array<CMrImage*, 4> frames_{};
  NineMargins margins_;
  CMrImage* strip_ = nullptr;
  int frameCount_ = 4;
  int frameWidth_ = 0;
  CMrImage* barBack_ = nullptr;
  CMrImage* barFill_ = nullptr;
  std::array<CMrImage*, 4> info_{};
  CMrImage* expand_ = nullptr;
  CMrImage* collapse_ = nullptr;
  std::array<HFONT, 6> fonts_{};  // A..F
  std::unique_ptr<CMrToolTipp> tooltip_;
  HWND scrollBar_ = nullptr;
  ScrollView scroll_;
  int rowHeight_ = kListDefaultRowHeight;
  COLORREF background_ = 0xFFFFFF;
  bool transparent_ = false;
  HBITMAP snapshot_ = nullptr;
  bool trackingLeave_ = false;
  // The composed background frames, redrawn only when the levels or the
  // size change: nine-part blending is most of a paint's cost.
  struct BackgroundKey {
    int base = -1;
    int frame = -1;
    double opacity = -1;
    int width = 0;
    int height = 0;
    bool operator==(const BackgroundKey& o) const {
      return base == o.base && frame == o.frame && opacity == o.opacity && width == o.width &&
             height == o.height;
    }
  };
  BackgroundKey backgroundKey_;
  HBITMAP backgroundCache_ = nullptr;
};
