#include <gtest/gtest.h>

#include "model_temp_dir.h"
#include "pointrix/model/ProgramSettings.h"

using namespace pointrix;

namespace {

std::wstring Describe(const std::wstring& path) { return L"desc of " + path; }

TEST(ModelProgramSettings, DefaultsWithoutFile) {
  ModelTempDir dir;
  IniFileProfile profile;
  ProgramSettings s = LoadProgramSettings(profile, dir.File("set.ini"), Describe);
  EXPECT_EQ(s.language, 1033);
  EXPECT_EQ(s.pin, 0);
  EXPECT_TRUE(s.osd);
  EXPECT_TRUE(s.disableAcceleration);
  for (const ApplicationLink& l : s.links) EXPECT_TRUE(l.path.empty());
}

TEST(ModelProgramSettings, LinksAndNames) {
  ModelTempDir dir;
  dir.Write("set.ini",
            "[ARG]\r\nlanguage=1031\r\npin=123\r\nosd=0\r\ndisable_acc=0\r\n"
            "app0=C:\\a.exe\r\napp_name0=Game A\r\napp1=C:\\b.exe\r\napp2=\r\napp3=@_NOSTR_\r\n"
            "app_name2=orphan\r\n");
  IniFileProfile profile;
  ProgramSettings s = LoadProgramSettings(profile, dir.File("set.ini"), Describe);
  EXPECT_EQ(s.language, 1031);
  EXPECT_EQ(s.pin, 123);
  EXPECT_FALSE(s.osd);
  EXPECT_FALSE(s.disableAcceleration);
  EXPECT_EQ(s.links[0].path, L"C:\\a.exe");
  EXPECT_EQ(s.links[0].name, L"Game A");
  EXPECT_EQ(s.links[1].name, L"desc of C:\\b.exe");
  EXPECT_TRUE(s.links[2].path.empty());  // an empty value leaves the profile unlinked
  EXPECT_TRUE(s.links[2].name.empty());
  EXPECT_TRUE(s.links[3].path.empty());

  // Saving writes the switches and all ten application keys; other keys stay.
  s.osd = true;
  s.links[0] = {};
  s.links[4] = {L"C:\\e.exe", L"Editor"};
  ASSERT_TRUE(SaveProgramSettings(profile, dir.File("set.ini"), s));
  ProgramSettings again = LoadProgramSettings(profile, dir.File("set.ini"), Describe);
  EXPECT_TRUE(again.osd);
  EXPECT_EQ(again.pin, 123);
  EXPECT_TRUE(again.links[0].path.empty());
  EXPECT_EQ(again.links[1].name, L"desc of C:\\b.exe");
  EXPECT_EQ(again.links[4].name, L"Editor");
  EXPECT_EQ(profile.GetString(L"ARG", L"app0", L"@", 100, dir.File("set.ini")), L"");
  EXPECT_EQ(profile.GetString(L"ARG", L"app_name3", L"@", 100, dir.File("set.ini")), L"");
}

TEST(ModelProgramSettings, PointerAccelerationPlan) {
  struct Case {
    bool option;
    MouseAcceleration current;
    bool setSpeed;
    int t1, t2, acc;
  } cases[] = {
      {true, {6, 10, 1, 10}, false, 0, 0, 0},   // disable: acceleration off
      {true, {0, 0, 0, 14}, true, 0, 0, 0},     // and the speed goes back to 10
      {false, {0, 0, 0, 14}, false, 4, 12, 2},  // enable while off: turned on, speed kept
      {false, {6, 10, 1, 7}, true, 0, 0, 0},    // enable while already on: the sequence turns it off
  };
  for (const Case& c : cases) {
    AccelerationPlan plan = PlanPointerAcceleration(c.option, c.current);
    EXPECT_EQ(plan.setSpeed, c.setSpeed);
    EXPECT_EQ(plan.mouse.threshold1, c.t1);
    EXPECT_EQ(plan.mouse.threshold2, c.t2);
    EXPECT_EQ(plan.mouse.acceleration, c.acc);
  }
}

}  // namespace
