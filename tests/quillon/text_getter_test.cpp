#include <gtest/gtest.h>

#include "quillon/engine/Module.h"

TEST(TextGetter, CopiesOnlyWhenTheBufferHoldsTextAndTerminator) {
  const std::wstring text = L"Speed";
  wchar_t buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), L'#');

  EXPECT_EQ(6, CopyTextOut(text, nullptr, 0));
  EXPECT_EQ(6, CopyTextOut(text, buffer, 5));  // size == length: nothing copied
  EXPECT_EQ(L'#', buffer[0]);
  EXPECT_EQ(6, CopyTextOut(text, buffer, 6));
  EXPECT_EQ(std::wstring(L"Speed"), std::wstring(buffer));
}

TEST(TextGetter, FetchTextAsksForTheSizeFirst) {
  int calls = 0;
  auto getter = [&](wchar_t* buffer, int size) {
    ++calls;
    return CopyTextOut(L"SYSTEMTWEAK", buffer, size);
  };
  EXPECT_EQ(L"SYSTEMTWEAK", FetchText(getter));
  EXPECT_EQ(2, calls);
  EXPECT_EQ(L"", FetchText([](wchar_t* b, int s) { return CopyTextOut(L"", b, s); }));
}
