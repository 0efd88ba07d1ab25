#include "quillon/ui/win32/ModuleListCtrl.h"

#include <string>

#include "quillon/lang/Text.h"
#include "quillon/ui/win32/Ctrl.h"
#include "quillon/ui/win32/GdiScoped.h"
#include "quillon/ui/win32/ImageStore.h"
#include "quillon/ui/win32/ToolTipp.h"

namespace {

constexpr UINT_PTR kScanTimer = 1;
constexpr UINT kTitleFormat = 0x8828;  // single line, bottom, no prefix, end ellipsis
constexpr UINT kCountFormat = 0x882A;  // the same, right-aligned

enum Font { kFontA, kFontB, kFontC, kFontD, kFontE, kFontF };

HFONT MakeFont(int pixels, bool bold) {
  return ::CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FF_SWISS, L"Arial");
}

SIZE TextSize(HDC dc, HFONT font, const std::wstring& text) {
  SelectScope scope(dc, font);
  SIZE size{};
  if (!text.empty()) ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (text.empty()) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
  }
  return size;
}

void DrawTextIn(HDC dc, HFONT font, COLORREF color, const std::wstring& text, const MrRect& box,
                UINT format) {
  SelectScope scope(dc, font);
  ::SetTextColor(dc, color);
  RECT r{box.left, box.top, box.right, box.bottom};
  // Single lines are not clipped: a glyph's overhang would lose the last
  // character of right-aligned texts.
  if ((format & DT_SINGLELINE) && !(format & DT_END_ELLIPSIS)) format |= DT_NOCLIP;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void FillSolid(HDC dc, const MrRect& box, COLORREF color) {
  RECT r{box.left, box.top, box.right, box.bottom};
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(dc, &r, brush);
  ::DeleteObject(brush);
}

// Images of the list come from the program's own resources.
CMrImage* Resource(int id) { return LoadStoredImage(::GetModuleHandleW(nullptr), id, L"PNG"); }

std::wstring ModuleName(const ICheckModule& module) {
  return FetchText([&](wchar_t* b, int s) { return module.GetName(b, s); });
}

}  // namespace

CMrCtrl_ListCtrl_ICheckModule::CMrCtrl_ListCtrl_ICheckModule()
    : runner_(this), tooltip_(std::make_unique<CMrToolTipp>()) {
  CMrCtrl::RegisterClasses();
  fonts_ = {MakeFont(12, false), MakeFont(20, true),  MakeFont(10, false),
            MakeFont(25, true),  MakeFont(22, false), MakeFont(22, true)};
  LoadSkin();
}

CMrCtrl_ListCtrl_ICheckModule::~CMrCtrl_ListCtrl_ICheckModule() {
  // The worker must be gone before the window and the modules.
  runner_.CancelScan();
  tooltip_.reset();
  DestroyWindow();
  for (HFONT font : fonts_) {
    if (font) ::DeleteObject(font);
  }
  ResetBitmap(snapshot_, nullptr);
  ResetBitmap(backgroundCache_, nullptr);
}

bool CMrCtrl_ListCtrl_ICheckModule::Create(const RECT& rect, HWND parent, UINT id) {
  return CreateBound(0, L"CMrCtrl_ListCtrl_ICheckModule", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                     rect.right - rect.left, rect.bottom - rect.top, parent,
                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CMrCtrl_ListCtrl_ICheckModule::SubclassDlgItem(UINT id, HWND parent) {
  return Attach(::GetDlgItem(parent, static_cast<int>(id)));
}

void CMrCtrl_ListCtrl_ICheckModule::OnAttached() {
  tooltip_->Create(hwnd_);
  LoadSkin();
}

// The pictures come from the image store, which may start after this object
// is made (a dialog's member): loading is tried again until it works.
void CMrCtrl_ListCtrl_ICheckModule::LoadSkin() {
  if (barBack_ || !ImageStoreIsRunning()) return;
  barBack_ = Resource(147);
  barFill_ = Resource(148);
  CMrImage* info = Resource(150);
  std::array<MrRect, 4> bands;
  if (!IsInvalid(info) && SplitStripRows(info->GetWidth(), info->GetHeight(), bands)) {
    for (int i = 0; i < 4; ++i)
      info_[i] = CropImage(info, bands[i].left, bands[i].top, bands[i].Width(), bands[i].Height());
  }
  expand_ = Resource(149);
  collapse_ = Resource(151);
}

bool CMrCtrl_ListCtrl_ICheckModule::SetStatusImage(int resourceId, const wchar_t* type, int frameCount) {
  CMrImage* strip = LoadStoredImage(::GetModuleHandleW(nullptr), resourceId, type);
  if (IsInvalid(strip)) return false;
  strip_ = strip;
  frameCount_ = StatusFrameCount(frameCount);
  frameWidth_ = StatusFrameWidth(strip->GetWidth(), frameCount_);
  runner_.SetSpinnerFrames(0, frameCount_ - 4);
  if (Exists()) ::InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

bool CMrCtrl_ListCtrl_ICheckModule::SetBackgroundImages(int resourceId, const wchar_t* type, int left,
                                                        int top, int right, int bottom) {
  return SetBackgroundImages(LoadStoredImage(::GetModuleHandleW(nullptr), resourceId, type), left, top, right,
                             bottom);
}

bool CMrCtrl_ListCtrl_ICheckModule::SetBackgroundImages(CMrImage* image, int left, int top, int right,
                                                        int bottom) {
  std::array<MrRect, 4> parts;
  if (IsInvalid(image) || !SplitStripColumns(image->GetWidth(), image->GetHeight(), parts)) return false;
  std::array<CMrImage*, 4> frames{};
  for (int i = 0; i < 4; ++i) {
    frames[i] = CropImage(image, parts[i].left, parts[i].top, parts[i].Width(), parts[i].Height());
    if (IsInvalid(frames[i])) return false;
  }
  frames_ = frames;
  margins_ = NineMargins{left, top, right, bottom};
  backgroundKey_ = BackgroundKey{};
  if (Exists()) ::InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

void CMrCtrl_ListCtrl_ICheckModule::SetScrollBar(HWND scrollBar) { scrollBar_ = scrollBar; }

void CMrCtrl_ListCtrl_ICheckModule::AddModule(ICheckModule* module) {
  runner_.AddModule(module);
  SyncDisplay();
  Repaint();
}

void CMrCtrl_ListCtrl_ICheckModule::RemoveAllModules() {
  if (tooltip_) tooltip_->Hide();
  runner_.RemoveAllModules();
  display_.clear();
  Repaint();
}

bool CMrCtrl_ListCtrl_ICheckModule::StartScan(int index) {
  bool started = runner_.StartScan(index);
  Repaint();
  return started;
}

bool CMrCtrl_ListCtrl_ICheckModule::CancelScan() {
  bool stopped = runner_.CancelScan();
  Repaint();
  return stopped;
}

void CMrCtrl_ListCtrl_ICheckModule::StartTick() {
  if (Exists()) ::SetTimer(hwnd_, kScanTimer, 100, nullptr);
}

void CMrCtrl_ListCtrl_ICheckModule::StopTick() {
  if (Exists()) ::KillTimer(hwnd_, kScanTimer);
}

void CMrCtrl_ListCtrl_ICheckModule::Repaint() {
  if (Exists()) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMrCtrl_ListCtrl_ICheckModule::NotifyScanDone() {
  HWND parent = Exists() ? ::GetParent(hwnd_) : nullptr;
  if (parent) ::SendMessageW(parent, WM_SCAN_DONE, 0, 0);
}

void CMrCtrl_ListCtrl_ICheckModule::SyncDisplay() {
  display_.resize(static_cast<size_t>(runner_.GetItemCount()));
}

bool CMrCtrl_ListCtrl_ICheckModule::IsExpanded(int index) const {
  return index >= 0 && index < static_cast<int>(display_.size()) &&
         display_[static_cast<size_t>(index)].expanded;
}

void CMrCtrl_ListCtrl_ICheckModule::SetExpanded(int index, bool on) {
  if (index < 0 || index >= static_cast<int>(display_.size())) return;
  display_[static_cast<size_t>(index)].expanded = on;
  Repaint();
}

const RowLayout* CMrCtrl_ListCtrl_ICheckModule::GetRowLayout(int index) const {
  if (index < 0 || index >= static_cast<int>(display_.size())) return nullptr;
  return &display_[static_cast<size_t>(index)].layout;
}

void CMrCtrl_ListCtrl_ICheckModule::DrawBackground(HDC dc, const MrRect& client) {
  if (transparent_ && snapshot_) {
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(source, snapshot_);
    ::BitBlt(dc, 0, 0, client.Width(), client.Height(), source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    return;
  }
  if (IsInvalid(frames_[0])) {
    FillSolid(dc, client, background_);
    return;
  }
  // Cross-fade: the previous level's frame underneath, the target's on top
  // at the opacity the displayed level has reached.
  const NineMargins& m = margins_;
  FrameBlend blend = ListTargetFrame(runner_.GetStatusLevel(), runner_.GetDisplayedLevel());
  BackgroundKey key;
  key.base = blend.opacity < 1.0 ? ListBaseFrame(runner_.GetPreviousLevel()) : -1;  // covered when complete
  key.frame = blend.opacity > 0.0 ? blend.frame : -1;
  key.opacity = blend.opacity;
  key.width = client.Width();
  key.height = client.Height();
  HDC cache = ::CreateCompatibleDC(dc);
  if (!cache) return;
  if (!backgroundCache_ || !(key == backgroundKey_)) {
    ResetBitmap(backgroundCache_, ::CreateCompatibleBitmap(dc, key.width, key.height));
    backgroundKey_ = key;
    if (!backgroundCache_) {
      ::DeleteDC(cache);
      backgroundKey_ = BackgroundKey{};
      return;
    }
    SelectScope select(cache, backgroundCache_);
    FillSolid(cache, MrRect{0, 0, key.width, key.height}, background_);
    if (key.base >= 0) {
      frames_[key.base]->DrawNinePart(cache, 0, 0, key.width, key.height, m.left, m.top, m.right, m.bottom,
                                      1.0);
    }
    if (key.frame >= 0) {
      frames_[key.frame]->DrawNinePart(cache, 0, 0, key.width, key.height, m.left, m.top, m.right, m.bottom,
                                       blend.opacity);
    }
  }
  {
    SelectScope select(cache, backgroundCache_);
    ::BitBlt(dc, client.left, client.top, key.width, key.height, cache, 0, 0, SRCCOPY);
  }
  ::DeleteDC(cache);
}

void CMrCtrl_ListCtrl_ICheckModule::DrawHeader(HDC dc, const MrRect& band) {
  const unsigned target = runner_.GetStatusLevel();
  const unsigned displayed = runner_.GetDisplayedLevel();
  const COLORREF color = ListHeaderColor(displayed);
  const MrRect box{band.left + 10, band.top + 10, band.right - 10, band.top + 40};
  const UINT line = DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX;
  if (StatusShowsWarning(target)) DrawTextIn(dc, fonts_[kFontD], color, LoadText(188), box, line | DT_LEFT);
  const std::wstring word = LoadText(StatusWordTextId(target));
  DrawTextIn(dc, fonts_[kFontF], color, word, box, line | DT_RIGHT);
  const int wordWidth = TextSize(dc, fonts_[kFontF], word).cx;
  MrRect label = box;
  label.right = box.right - wordWidth - 5;
  DrawTextIn(dc, fonts_[kFontE], color, LoadText(187), label, line | DT_RIGHT);

  unsigned stateText = 143;
  if (runner_.IsScanRunning()) {
    stateText = 138;
  } else if (displayed != 0) {
    stateText = 141;
  }
  MrRect state{band.left + 15, band.top + margins_.top, band.right - 10, band.bottom};
  if (IsInvalid(frames_[0])) state.top = box.bottom;
  DrawTextIn(dc, fonts_[kFontA], kListDarkText, LoadText(stateText), state,
             DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CMrCtrl_ListCtrl_ICheckModule::DrawRow(HDC dc, int index, const ScanRunner::Item& item,
                                            const RowLayout& r) {
  const Display& d = display_[static_cast<size_t>(index)];
  FillSolid(dc, MrRect{r.row.left, r.row.top, r.row.right, r.row.top + 1}, kListSeparator);
  DrawTextIn(dc, fonts_[kFontB], kListDarkText, ModuleName(*item.module), r.name,
             DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
  CMrImage* info = info_[d.infoHover ? 1 : 0];
  if (!IsInvalid(info)) info->DrawAt(dc, r.info.left, r.info.top);

  const bool running = item.running.load();
  const bool done = item.done.load();
  const CZevCheckResult* result = item.result;
  const double value = result ? result->GetValue() : 0.0;
  if (!IsInvalid(barBack_)) barBack_->DrawAt(dc, r.bar.left, r.bar.top);
  if ((running || done) && !IsInvalid(barFill_)) {
    int fill = BarFillWidth(value, r.bar.Width());
    if (fill > 0)
      barFill_->DrawStretched(dc, r.bar.left, r.bar.top, fill, r.bar.Height(), 0, 0, fill, r.bar.Height(),
                              1.0);
  }
  const UINT small = DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX;
  DrawTextIn(dc, fonts_[kFontC], kListBarLabel, LoadText(184), r.barLabels, small | DT_LEFT);
  DrawTextIn(dc, fonts_[kFontC], kListBarLabel, LoadText(185), r.barLabels, small | DT_RIGHT);

  if ((running || done) && result) {
    const std::wstring count = result->CountText();
    const int countWidth = TextSize(dc, fonts_[kFontB], count).cx;
    MrRect title = r.resultLine;
    title.right = std::max(title.left, title.right - countWidth - 8);
    DrawTextIn(dc, fonts_[kFontA], kListDarkText, result->Title(), title, kTitleFormat);
    DrawTextIn(dc, fonts_[kFontB], kListDarkText, count, r.resultLine, kCountFormat);
    const int kinds = result->GetChildCount();
    if (done && kinds > 0) {
      CMrImage* toggle = d.expanded ? collapse_ : expand_;
      if (!IsInvalid(toggle)) toggle->DrawAt(dc, r.toggle.left, r.toggle.top);
    }
    if (d.expanded) {
      for (int k = 0; k < kinds; ++k) {
        IResult* child = result->GetChild(k);
        if (!child) continue;
        std::wstring text = FetchText([&](wchar_t* b, int s) { return child->GetTitle(b, s); });
        MrRect line{r.resultLine.left, r.firstIssueTop + k * kListIssueLineHeight, r.resultLine.right,
                    r.firstIssueTop + (k + 1) * kListIssueLineHeight};
        DrawTextIn(dc, fonts_[kFontA], kListIssueLine, text, line, kTitleFormat);
      }
    }
  }
  int mark = strip_ ? ListMarkFrame(frameCount_, running, done, value, runner_.GetSpinnerFrame()) : -1;
  if (mark >= 0) {
    strip_->DrawStretched(dc, r.frame.left, r.frame.top, frameWidth_, strip_->GetHeight(), mark * frameWidth_,
                          0, frameWidth_, strip_->GetHeight(), 1.0);
  }
}

void CMrCtrl_ListCtrl_ICheckModule::DrawBody(HDC dc, const MrRect& band) {
  LoadSkin();
  SyncDisplay();
  const int count = runner_.GetItemCount();
  rowHeight_ = ListRowHeight(band.Height(), count);

  // Sizes of the pieces, then every row's layout.
  RowSizes sizes;
  if (strip_) {
    sizes.frameWidth = frameWidth_;
    sizes.frameHeight = strip_->GetHeight();
  }
  sizes.infoWidth = GetWidth(info_[0]);
  sizes.infoHeight = GetHeight(info_[0]);
  sizes.barWidth = barBack_ && !barBack_->IsInvalid() ? barBack_->GetWidth() : 170;
  sizes.barHeight = barBack_ && !barBack_->IsInvalid() ? barBack_->GetHeight() : 19;
  sizes.toggleWidth = GetWidth(expand_);
  sizes.toggleHeight = GetHeight(expand_);
  std::vector<int> kinds;
  std::vector<RowLayout> rows;
  int y = 0;
  for (int i = 0; i < count; ++i) {
    const ScanRunner::Item* item = runner_.GetItem(i);
    RowSizes s = sizes;
    SIZE name = TextSize(dc, fonts_[kFontB], ModuleName(*item->module));
    s.nameWidth = name.cx;
    s.nameHeight = name.cy;
    const bool expanded = display_[static_cast<size_t>(i)].expanded && item->result;
    s.issueKinds = expanded ? item->result->GetChildCount() : 0;
    rows.push_back(LayoutRow(band.Width(), y, rowHeight_, s, expanded));
    kinds.push_back(s.issueKinds);
    y = rows.back().row.bottom;
  }
  const int content = ListContentHeight(rowHeight_, kinds);

  // The bar follows the content; the view's offset is its position.
  int position = scroll_.position;
  if (scrollBar_ && scroll_.visible) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    if (::GetScrollInfo(scrollBar_, SB_CTL, &info)) position = info.nPos;
  }
  scroll_ = FitScroll(content, band.Height(), position);
  if (scrollBar_) {
    if (scroll_.visible) {
      SCROLLINFO info{sizeof(info),
                      SIF_RANGE | SIF_PAGE | SIF_POS,
                      0,
                      content - 1,
                      static_cast<UINT>(band.Height()),
                      scroll_.position,
                      0};
      ::SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
      if (!::IsWindowVisible(scrollBar_)) ::ShowWindow(scrollBar_, SW_SHOWNA);
    } else if (::IsWindowVisible(scrollBar_)) {
      ::ShowWindow(scrollBar_, SW_HIDE);
    }
  }

  if (content > 0 && band.Width() > 0) {
    MemoryCanvas canvas(dc, band.Width(), std::max(content, band.Height()));
    if (canvas.Ok()) {
      // The body's background stretched over the whole content.
      if (canvas.Height() == band.Height()) {
        ::BitBlt(canvas.Dc(), 0, 0, band.Width(), band.Height(), dc, band.left, band.top, SRCCOPY);
      } else {
        ::SetStretchBltMode(canvas.Dc(), COLORONCOLOR);
        ::StretchBlt(canvas.Dc(), 0, 0, band.Width(), canvas.Height(), dc, band.left, band.top, band.Width(),
                     band.Height(), SRCCOPY);
      }
      ::SetBkMode(canvas.Dc(), TRANSPARENT);
      for (int i = 0; i < count; ++i)
        DrawRow(canvas.Dc(), i, *runner_.GetItem(i), rows[static_cast<size_t>(i)]);
      ::BitBlt(dc, band.left, band.top, band.Width(), band.Height(), canvas.Dc(), 0, scroll_.position,
               SRCCOPY);
    }
  }
  // Hit rectangles in client coordinates.
  const int dx = band.left;
  const int dy = band.top - scroll_.position;
  for (int i = 0; i < count; ++i) {
    RowLayout r = rows[static_cast<size_t>(i)];
    for (MrRect* rect : {&r.row, &r.frame, &r.name, &r.info, &r.bar, &r.barLabels, &r.resultLine, &r.toggle})
      *rect = rect->Offset(dx, dy);
    r.firstIssueTop += dy;
    const ScanRunner::Item* item = runner_.GetItem(i);
    if (!(item->done.load() && item->result && item->result->GetChildCount() > 0)) r.toggle = MrRect{};
    display_[static_cast<size_t>(i)].layout = r;
  }
}

void CMrCtrl_ListCtrl_ICheckModule::DrawFooter(HDC dc, const MrRect& band) {
  const COLORREF color = ListFooterColor(runner_.GetDisplayedLevel());
  const int total = runner_.GetTotalCount();
  MrRect box{band.left + 15, band.top, band.right - 15, band.bottom - 2};
  const UINT line = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (total > 0) {
    const std::wstring number = std::to_wstring(total);
    DrawTextIn(dc, fonts_[kFontB], color, number, box, line | DT_RIGHT);
    MrRect label = box;
    label.right -= TextSize(dc, fonts_[kFontB], number).cx + 8;
    DrawTextIn(dc, fonts_[kFontA], color, LoadText(183), label, line | DT_RIGHT);
  } else {
    DrawTextIn(dc, fonts_[kFontA], color, LoadText(143), box, line | DT_RIGHT);
  }
}

void CMrCtrl_ListCtrl_ICheckModule::PaintTo(HDC dc, int width, int height) {
  MrRect client{0, 0, width, height};
  ::SetBkMode(dc, TRANSPARENT);
  DrawBackground(dc, client);
  ListBands bands = ListBandsFor(client, margins_.top, margins_.bottom);
  DrawHeader(dc, bands.header);
  DrawBody(dc, bands.body);
  DrawFooter(dc, bands.footer);
}

void CMrCtrl_ListCtrl_ICheckModule::OnScroll(int code) {
  if (!scrollBar_ || !scroll_.visible) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ::GetScrollInfo(scrollBar_, SB_CTL, &info);
  ScrollRequest request = kScrollOther;
  switch (code) {
    case SB_LINEUP:
      request = kScrollLineUp;
      break;
    case SB_LINEDOWN:
      request = kScrollLineDown;
      break;
    case SB_PAGEUP:
      request = kScrollPageUp;
      break;
    case SB_PAGEDOWN:
      request = kScrollPageDown;
      break;
    case SB_THUMBTRACK:
      request = kScrollThumbTrack;
      break;
    default:
      break;
  }
  scroll_.position = ApplyScroll(request, info.nPos, scroll_.limit, rowHeight_, info.nTrackPos);
  ::SetScrollPos(scrollBar_, SB_CTL, scroll_.position, TRUE);
  Repaint();
}

void CMrCtrl_ListCtrl_ICheckModule::ShowInfoTip(int index) {
  const ScanRunner::Item* item = runner_.GetItem(index);
  HWND dialog = ::GetParent(hwnd_);
  if (!item || !dialog || !tooltip_) return;
  std::wstring text = FetchText([&](wchar_t* b, int s) { return item->module->GetDescription(b, s); });
  const MrRect& icon = display_[static_cast<size_t>(index)].layout.info;
  POINT corners[2] = {{icon.left, icon.top}, {icon.right, icon.bottom}};
  ::MapWindowPoints(hwnd_, nullptr, corners, 2);
  RECT client;
  ::GetClientRect(dialog, &client);
  ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
  MrRect iconScreen{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  MrRect clientScreen{client.left, client.top, client.right, client.bottom};
  InfoTipBox tip = PlaceInfoTip(iconScreen, clientScreen, rowHeight_, [&](const MrRect& box) {
    SizeF needed = tooltip_->Measure(text, TooltipMeasureBox(box));
    return TooltipSizeInBox(needed).height <= box.Height();
  });
  RECT box{tip.box.left, tip.box.top, tip.box.right, tip.box.bottom};
  tooltip_->ShowInBox(text, box, 20000, tip.pointerOffset);
}

void CMrCtrl_ListCtrl_ICheckModule::OnMouseMove(int x, int y) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
  }
  bool changed = false;
  int entered = -1;
  bool left = false;
  for (size_t i = 0; i < display_.size(); ++i) {
    Display& d = display_[i];
    bool row = d.layout.row.Contains(x, y);
    bool info = d.layout.info.Contains(x, y);
    if (row != d.rowHover || info != d.infoHover) changed = true;
    if (info && !d.infoHover) entered = static_cast<int>(i);
    if (!info && d.infoHover) left = true;
    d.rowHover = row;
    d.infoHover = info;
  }
  if (left && entered < 0 && tooltip_) tooltip_->FadeOut();
  if (entered >= 0) ShowInfoTip(entered);
  if (changed) Repaint();
}

void CMrCtrl_ListCtrl_ICheckModule::ClearHover() {
  trackingLeave_ = false;
  bool changed = false;
  for (Display& d : display_) {
    if (d.infoHover && tooltip_) tooltip_->FadeOut();
    changed = changed || d.rowHover || d.infoHover;
    d.rowHover = d.infoHover = false;
  }
  if (changed) Repaint();
}

void CMrCtrl_ListCtrl_ICheckModule::OnLeftDown(int x, int y) {
  ::SetFocus(hwnd_);
  std::vector<RowLayout> rows;
  for (Display& d : display_) {
    d.pressed = false;
    rows.push_back(d.layout);
  }
  int hit = HitToggle(rows, x, y);
  if (hit >= 0) display_[static_cast<size_t>(hit)].expanded = !display_[static_cast<size_t>(hit)].expanded;
  Repaint();
}

LRESULT CMrCtrl_ListCtrl_ICheckModule::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd_, &ps);
      if (dc) {
        RECT client;
        ::GetClientRect(hwnd_, &client);
        MemoryCanvas canvas(dc, client.right, client.bottom);
        if (canvas.Ok()) {
          PaintTo(canvas.Dc(), client.right, client.bottom);
          ::BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
        }
      }
      ::EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      if (transparent_ && !snapshot_) {
        HWND parent = ::GetParent(hwnd_);
        RECT area;
        ::GetWindowRect(hwnd_, &area);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        WindowDc parentDc(parent);
        HBITMAP bitmap =
            ::CreateCompatibleBitmap(parentDc.Get(), area.right - area.left, area.bottom - area.top);
        HDC memory = ::CreateCompatibleDC(parentDc.Get());
        if (bitmap && memory) {
          HGDIOBJ old = ::SelectObject(memory, bitmap);
          ::BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, parentDc.Get(), area.left,
                   area.top, SRCCOPY);
          ::SelectObject(memory, old);
          ResetBitmap(snapshot_, bitmap);
          bitmap = nullptr;
        }
        if (bitmap) ::DeleteObject(bitmap);
        if (memory) ::DeleteDC(memory);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kScanTimer) {
        runner_.Tick();
        return 0;
      }
      break;
    case WM_VSCROLL:
      OnScroll(LOWORD(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_MOUSELEAVE:
      ClearHover();
      return 0;
    case WM_MOUSEWHEEL:
      if (scroll_.visible) {
        OnScroll(static_cast<short>(HIWORD(wParam)) < 0 ? SB_LINEDOWN : SB_LINEUP);
      }
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}
