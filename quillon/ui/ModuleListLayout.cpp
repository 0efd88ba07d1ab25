#include "quillon/ui/ModuleListLayout.h"

#include <algorithm>
#include <cmath>

#include "quillon/engine/StatusLevel.h"

uint32_t ListHeaderColor(unsigned displayed) {
  if (displayed <= 20) return kListDarkText;
  unsigned over = std::min(displayed, 30u) - 20;
  auto grey = static_cast<uint32_t>(std::floor(over / 10.0 * 205.0)) + 50;
  return grey | (grey << 8) | (grey << 16);
}

uint32_t ListFooterColor(unsigned displayed) { return displayed > 20 ? kListLightText : kListDarkText; }

int ListBaseFrame(unsigned previous) {
  if (previous < 10) return kFrameUnrated;
  if (previous < 20) return kFrameGood;
  if (previous < 30) return kFrameModerate;
  return kFramePoor;
}

FrameBlend ListTargetFrame(unsigned target, unsigned displayed) {
  FrameBlend blend{};
  double d = static_cast<double>(displayed);
  if (target < 20) {
    blend = FrameBlend{kFrameGood, d / 10.0};
  } else if (target < 30) {
    blend = FrameBlend{kFrameModerate, (d - 10.0) / 10.0};
  } else {
    blend = FrameBlend{kFramePoor, (d - 20.0) / 10.0};
  }
  blend.opacity = std::clamp(blend.opacity, 0.0, 1.0);
  return blend;
}

ListBands ListBandsFor(const MrRect& client, int marginTop, int marginBottom) {
  ListBands bands;
  int headerBottom = std::min(client.bottom, client.top + marginTop + kListHeaderExtra);
  int footerTop = std::max(headerBottom, client.bottom - marginBottom);
  bands.header = MrRect{client.left, client.top, client.right, headerBottom};
  bands.body = MrRect{client.left, headerBottom, client.right, footerTop};
  bands.footer = MrRect{client.left, footerTop, client.right, client.bottom};
  return bands;
}

int ListRowHeight(int bodyHeight, int itemCount) {
  if (itemCount <= 0) return kListDefaultRowHeight;
  return std::max(0, bodyHeight) / itemCount;
}

int ListContentHeight(int rowHeight, const std::vector<int>& expandedKinds) {
  int height = 0;
  for (int kinds : expandedKinds) height += rowHeight + kListIssueLineHeight * std::max(0, kinds);
  return height;
}

int BarFillWidth(double value, int barWidth) {
  if (!(value > 0.0) || barWidth <= 0) return 0;
  double fill = std::ceil(value * barWidth / 100.0);
  return fill >= barWidth ? barWidth : static_cast<int>(fill);
}

int ListMarkFrame(int frameCount, bool running, bool done, double value, int spinnerFrame) {
  frameCount = StatusFrameCount(frameCount);
  if (running) return std::clamp(spinnerFrame, 0, frameCount - 4);
  if (!done) return -1;
  switch (ClassifySeverity(value)) {
    case Severity::High:
      return frameCount - 1;
    case Severity::Medium:
      return frameCount - 2;
    default:
      return frameCount - 3;
  }
}

ScrollView FitScroll(int contentHeight, int bodyHeight, int position) {
  ScrollView view;
  if (contentHeight <= bodyHeight) return view;
  view.visible = true;
  view.limit = contentHeight - bodyHeight;
  view.position = std::clamp(position, 0, view.limit);
  return view;
}

int ApplyScroll(ScrollRequest request, int position, int limit, int step, int trackPosition) {
  switch (request) {
    case kScrollLineUp:
      return position <= 0 ? position : std::max(0, position - step);
    case kScrollLineDown:
      return position >= limit ? position : std::min(limit, position + step);
    case kScrollPageUp:
      return std::max(0, position - 2);
    case kScrollPageDown:
      return std::min(limit, position + 2);
    case kScrollThumbTrack:
      return std::clamp(trackPosition, 0, std::max(0, limit));
    default:
      return position;
  }
}

RowLayout LayoutRow(int bodyWidth, int top, int rowHeight, const RowSizes& s, bool expanded) {
  RowLayout r;
  int kinds = expanded ? std::max(0, s.issueKinds) : 0;
  r.row = MrRect{10, top, bodyWidth - 10, top + rowHeight + kListIssueLineHeight * kinds};
  const int lineTop = top + 20;  // the name line
  const int start = r.row.left + 5;
  r.frame = RectXYWH(start, lineTop - 7, s.frameWidth, s.frameHeight);
  const int nameLeft = start + (s.frameWidth > 0 ? s.frameWidth + 6 : 0);
  r.name = RectXYWH(nameLeft, lineTop, s.nameWidth, s.nameHeight);
  r.info = RectXYWH(r.name.right + 2, lineTop + std::max(0, (s.nameHeight - s.infoHeight) / 2), s.infoWidth,
                    s.infoHeight);
  r.bar = RectXYWH(r.row.right - 5 - s.barWidth, lineTop + 5, s.barWidth, s.barHeight);
  r.barLabels = MrRect{r.bar.left, r.bar.top - 15, r.bar.right, r.bar.top};
  const int markBottom = s.frameHeight > 0 ? r.frame.bottom : r.name.bottom + 5;
  r.resultLine = MrRect{nameLeft + 15, markBottom, r.bar.left, markBottom + 25};
  if (s.toggleWidth > 0) {
    r.toggle = MrRect{r.resultLine.left - 5 - s.toggleWidth, r.resultLine.bottom - 2 - s.toggleHeight,
                      r.resultLine.left - 5, r.resultLine.bottom - 2};
  }
  r.firstIssueTop = r.resultLine.bottom;
  return r;
}

int HitToggle(const std::vector<RowLayout>& rows, int x, int y) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].row.Contains(x, y) && rows[i].toggle.Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

int HitInfo(const std::vector<RowLayout>& rows, int x, int y) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].info.Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

InfoTipBox PlaceInfoTip(const MrRect& icon, const MrRect& client, int rowHeight,
                        const std::function<bool(const MrRect& box)>& textFits) {
  InfoTipBox tip;
  tip.box = MrRect{icon.right + 1, icon.top + CeilDiv(std::max(0, icon.Height()), 2), client.right,
                   client.bottom - 10};
  if (rowHeight <= 0) return tip;
  while (!textFits(tip.box) && tip.box.top - rowHeight >= client.top) {
    tip.box.top -= rowHeight;
    tip.pointerOffset += rowHeight;
  }
  return tip;
}
