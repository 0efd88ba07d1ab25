#include "tools/skinview/PreviewText.h"

std::wstring PreviewText(unsigned id) {
  switch (id) {
    case 137:
      return L"Cancel";
    case 138:
      return L"Analyzing the PC...";
    case 139:
      return L"unknown";
    case 141:
      return L"The following errors have been identified:";
    case 142:
      return L"Remind me later";
    case 143:
      return L"No problems found";
    case 144:
      return L"Fix all problems!";
    case 145:
      return L"SCAN NOW!";
    case 152:
      return L"Is your PC in perfect shape?";
    case 153:
      return L"What is quillon?";
    case 158:
      return L"quillon checks your PC for problems that slow it down or make it unstable.";
    case 180:
      return L"poor";
    case 181:
      return L"moderate";
    case 182:
      return L"good";
    case 183:
      return L"Total number of issues found:";
    case 184:
      return L"Not critical";
    case 185:
      return L"Critical";
    case 186:
      return L"These tests will only take a few minutes.";
    case 187:
      return L"PC status:";
    case 188:
      return L"WARNING!";
    case 189:
      return L"Exit now";
    default:
      return std::wstring();
  }
}
