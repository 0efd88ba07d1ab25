#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "quillon/ui/SkinGeometry.h"

// Arithmetic of the check-module list: colours and cross-fade of the status,
// bands, rows, bars, marks, scrolling and the info tooltip's box.

constexpr uint32_t kListDarkText = 0x323232;  // 0xBBGGRR
constexpr uint32_t kListBarLabel = 0x848484;
constexpr uint32_t kListIssueLine = 0x8C8C8C;
constexpr uint32_t kListSeparator = 0xC8C8C8;
constexpr uint32_t kListLightText = 0xFFFFFF;

constexpr int kListHeaderExtra = 35;  // header band = top margin + this
constexpr int kListIssueLineHeight = 20;
constexpr int kListDefaultRowHeight = 80;

// Header text: dark up to displayed level 20, then a grey that brightens
// to white at 30.
uint32_t ListHeaderColor(unsigned displayed);
// Footer text: white above displayed level 20.
uint32_t ListFooterColor(unsigned displayed);

// Background frames in strip order.
enum ListFrame : int { kFrameUnrated = 0, kFramePoor = 1, kFrameModerate = 2, kFrameGood = 3 };

// The frame drawn underneath, chosen by the previous level.
int ListBaseFrame(unsigned previous);
struct FrameBlend {
  int frame;
  double opacity;  // 0..1
};
// The frame of the target level and how far it has faded in.
FrameBlend ListTargetFrame(unsigned target, unsigned displayed);

struct ListBands {
  MrRect header;
  MrRect body;
  MrRect footer;
};
ListBands ListBandsFor(const MrRect& client, int marginTop, int marginBottom);

int ListRowHeight(int bodyHeight, int itemCount);
// Sum of row heights plus 20 pixels per issue kind of every expanded item
// (`expandedKinds[i]` is 0 for a collapsed item or one without a result).
int ListContentHeight(int rowHeight, const std::vector<int>& expandedKinds);

// ceiling(value * width / 100), within 0..width.
int BarFillWidth(double value, int barWidth);

// Frame of the status strip for a row, or -1 for none: the spinner frame
// while running, the severity mark when done.
int ListMarkFrame(int frameCount, bool running, bool done, double value, int spinnerFrame);

struct ScrollView {
  bool visible = false;
  int position = 0;  // also the view's offset
  int limit = 0;     // the highest position
};
// Shows the bar when the content is higher than the body and keeps the
// position within it; otherwise hides it at offset 0.
ScrollView FitScroll(int contentHeight, int bodyHeight, int position);

enum ScrollRequest {
  kScrollLineUp,
  kScrollLineDown,
  kScrollPageUp,
  kScrollPageDown,
  kScrollThumbTrack,
  kScrollOther
};
// New position for a request; `step` is the row height.
int ApplyScroll(ScrollRequest request, int position, int limit, int step, int trackPosition);
inline ScrollRequest WheelScroll(int delta) { return delta < 0 ? kScrollLineDown : kScrollLineUp; }

// Where one row's pieces go, in content coordinates.
struct RowSizes {
  int frameWidth = 0;  // status strip frame (0: no strip)
  int frameHeight = 0;
  int nameWidth = 0;
  int nameHeight = 0;
  int infoWidth = 0;
  int infoHeight = 0;
  int barWidth = 0;
  int barHeight = 0;
  int toggleWidth = 0;
  int toggleHeight = 0;
  int issueKinds = 0;  // lines listed under an expanded row
};
struct RowLayout {
  MrRect row;    // whole row, including listed issue kinds
  MrRect frame;  // status mark / spinner
  MrRect name;
  MrRect info;
  MrRect bar;
  MrRect barLabels;   // "Not critical" ... "Critical" above the bar
  MrRect resultLine;  // title left, count right
  MrRect toggle;      // expand / collapse icon
  int firstIssueTop = 0;
};
RowLayout LayoutRow(int bodyWidth, int top, int rowHeight, const RowSizes& sizes, bool expanded);

// Index of the row whose row and toggle rectangles both hold (x, y); -1
// for none (a click elsewhere in a row does not expand it).
int HitToggle(const std::vector<RowLayout>& rows, int x, int y);
// Index of the row whose info rectangle holds (x, y), or -1.
int HitInfo(const std::vector<RowLayout>& rows, int x, int y);

// The info tooltip's box for an icon (screen coordinates) inside the
// dialog's client area: starts right of the icon at its centre and reaches
// the client's right edge and 10 pixels above its bottom. While the text does
// not fit, the box grows upwards one row height at a time and the pointer
// moves down by the same amount (from 15), as long as the box stays inside.
struct InfoTipBox {
  MrRect box;
  int pointerOffset = 15;
};
InfoTipBox PlaceInfoTip(const MrRect& icon, const MrRect& client, int rowHeight,
                        const std::function<bool(const MrRect& box)>& textFits);
