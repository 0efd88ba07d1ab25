#include <gtest/gtest.h>

#include <vector>

#include "quillon/engine/ZevCheckResult.h"

namespace {

// A result whose animation pauses are recorded instead of slept, and whose
// count text is sampled at every pause.
struct RecordedResult {
  CZevCheckResult result;
  std::vector<int> pauses;
  std::vector<std::wstring> countTexts;
  std::vector<double> values;

  RecordedResult() {
    result.SetSleepFunction([this](int ms) {
      pauses.push_back(ms);
      countTexts.push_back(result.CountText());
      values.push_back(result.GetValue());
    });
  }
};

}  // namespace

TEST(CheckResultSetValue, RisesOneUnitPerPauseOverTheSpan) {
  RecordedResult r;
  r.result.SetValue(50, 1000);
  ASSERT_EQ(50u, r.pauses.size());
  for (int pause : r.pauses) EXPECT_EQ(20, pause);
  EXPECT_DOUBLE_EQ(1.0, r.values.front());
  EXPECT_DOUBLE_EQ(50.0, r.result.GetValue());
}

TEST(CheckResultSetValue, FractionalTargetEndsOneUnitAbove) {
  RecordedResult r;
  r.result.SetValue(30.5, 100);
  EXPECT_EQ(31u, r.pauses.size());
  EXPECT_EQ(3, r.pauses.front());  // floor(100 / 30.5)
  EXPECT_DOUBLE_EQ(31.0, r.result.GetValue());
}

TEST(CheckResultSetValue, FallsTowardsALowerValue) {
  RecordedResult r;
  r.result.SetValue(40, 0);
  r.result.SetValue(30, 50);
  ASSERT_EQ(10u, r.pauses.size());
  EXPECT_EQ(5, r.pauses.front());
  EXPECT_DOUBLE_EQ(30.0, r.result.GetValue());
}

TEST(CheckResultSetValue, ClampsToTheSeverityRange) {
  const struct {
    double in;
    int ms;
    double out;
  } cases[] = {{150, 0, 100}, {-5, 0, 0}, {100, 0, 100}, {0, 0, 0}, {120, 40, 100}};
  for (const auto& c : cases) {
    CZevCheckResult result;
    result.SetSleepFunction([](int) {});
    result.SetValue(c.in, c.ms);
    EXPECT_DOUBLE_EQ(c.out, result.GetValue()) << "SetValue(" << c.in << ", " << c.ms << ")";
  }
}

TEST(CheckResultSetValueAndCount, CountClimbsWithTheValueAndNeverPassesTheTarget) {
  RecordedResult r;
  r.result.SetValueAndCount(100, 7, 5000);
  ASSERT_EQ(100u, r.pauses.size());
  for (int pause : r.pauses) EXPECT_EQ(50, pause);
  EXPECT_EQ(L"1", r.countTexts.front());
  int last = 0;
  for (const auto& text : r.countTexts) {
    const int n = std::stoi(text);
    EXPECT_GE(n, last);
    EXPECT_LE(n, 7);
    last = n;
  }
  EXPECT_EQ(7, last);
  EXPECT_EQ(7, r.result.GetCount());
  EXPECT_EQ(L"7", r.result.CountText());
  EXPECT_DOUBLE_EQ(100.0, r.result.GetValue());
}

TEST(CheckResultSetValueAndCount, CountFallsWithAFallingValue) {
  RecordedResult r;
  r.result.SetValueAndCount(10, 9, 0);
  r.pauses.clear();
  r.countTexts.clear();
  r.result.SetValueAndCount(0, 2, 100);
  ASSERT_EQ(10u, r.pauses.size());
  EXPECT_EQ(10, r.pauses.front());
  for (const auto& text : r.countTexts) EXPECT_GE(std::stoi(text), 2);
  EXPECT_EQ(L"2", r.result.CountText());
  EXPECT_DOUBLE_EQ(0.0, r.result.GetValue());
}

TEST(CheckResultSetValueAndCount, SameValueStepsTheCountAlone) {
  RecordedResult r;
  r.result.SetValueAndCount(25, 0, 0);
  r.result.SetValueAndCount(25, 4, 400);
  EXPECT_EQ((std::vector<int>{100, 100, 100, 100}), r.pauses);
  EXPECT_EQ((std::vector<std::wstring>{L"1", L"2", L"3", L"4"}), r.countTexts);
}

TEST(CheckResultSetValueAndCount, WithoutTimeSetsEverythingAtOnce) {
  RecordedResult r;
  r.result.SetValueAndCount(250, 12, 0);
  EXPECT_TRUE(r.pauses.empty());
  EXPECT_DOUBLE_EQ(100.0, r.result.GetValue());
  EXPECT_EQ(12, r.result.GetCount());
  EXPECT_EQ(L"12", r.result.CountText());
}

TEST(CheckResultTree, OwnsItsChildrenAndGuardsTheIndex) {
  CZevCheckResult parent;
  auto* child = new CZevCheckResult;
  child->SetTitle(L"Unnecessary startup entries: 3");
  parent.AddChild(child);
  parent.AddChild(nullptr);
  EXPECT_EQ(1, parent.GetChildCount());
  EXPECT_EQ(child, parent.GetChild(0));
  EXPECT_EQ(nullptr, parent.GetChild(1));
  EXPECT_EQ(nullptr, parent.GetChild(-1));
  EXPECT_EQ(L"Unnecessary startup entries: 3",
            FetchText([&](wchar_t* b, int s) { return child->GetTitle(b, s); }));
}
