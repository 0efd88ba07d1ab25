#include <gtest/gtest.h>

#include <thread>

#include "model_sim_fixture.h"
#include "pointrix/buttons/KeyNames.h"
#include "pointrix/model/WideText.h"

using namespace pointrix;

namespace {

using ConfigModelTest = ModelSimFixture;

TEST_F(ConfigModelTest, AllZeroMemoryShowsDefaultNamesAndDeviceDefaults) {
  Poke(0, std::vector<uint8_t>(1024, 0));
  model.ReadDeviceSettings();
  ConfigState s = model.Snapshot();
  ASSERT_TRUE(s.loaded);
  const auto factory = simmouse::FactoryDefaults();
  for (int p = 0; p < kProfiles; ++p) {
    EXPECT_EQ(s.profiles[p].name, L"Profile " + ToWide(p + 1));
    EXPECT_TRUE(s.profiles[p].set);
    for (int b = 0; b < kButtonsPerProfile; ++b) {
      const auto& d = factory[16 * p + b];
      const ButtonAssignment expected{d[0], d[1], d[2], d[3]};
      EXPECT_EQ(s.profiles[p].buttons[b].assignment, expected) << p << "/" << b;
      EXPECT_EQ(s.profiles[p].buttons[b].text, FormatAssignmentText(d[0], d[1], d[2], d[3]));
    }
  }
  for (const DpiLevel& d : s.dpi) {
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
  }
  EXPECT_EQ(s.highestAddress, 0x3FFFu);  // the standard simulated mouse has 16 KiB
  EXPECT_EQ(s.profileCount, 5);
  EXPECT_EQ(s.dpiSliderCount, 4);
  EXPECT_TRUE(s.dpiSliderEnabled[3]);
  EXPECT_FALSE(s.dpiSliderEnabled[4]);
  EXPECT_EQ(s.soleLeftClickButton, 0);
  EXPECT_EQ(events.libraryReload, 1);
  EXPECT_TRUE(model.RemoteFlags().Peek(24, 3));
}

TEST_F(ConfigModelTest, ReadsTheMemoryMap) {
  Poke(mem::MacroRunType(0), {7, 11, 9, 10});
  Poke(mem::KeyCycle(0), {9, 0x01, 0x04});
  Poke(mem::KeyCycle(1), {0xFF});
  Poke(mem::KeyCycle(2), {8, 0x02, 0x05});
  Poke(mem::ProfileBlock(1), {0x12, 0x00});
  Poke(mem::ProfileColour(2), {0x24});  // red 0, green 1, blue 2
  Poke(mem::ProfileName(4), {'G', 0, 'a', 0, 'm', 0, 'e', 0, 0, 0, 'x', 0});
  Poke(mem::kFlags, {0x3B});  // code 3, snapping on, bits 1..3 set
  Poke(mem::DpiX(4), {0x44, 0x55});
  model.ReadDeviceSettings();
  ConfigState s = model.Snapshot();
  EXPECT_EQ(s.macroSlots[0].runType, 8);
  EXPECT_EQ(s.macroSlots[1].runType, 8);
  EXPECT_EQ(s.macroSlots[2].runType, 9);
  EXPECT_EQ(s.macroSlots[3].runType, 10);
  EXPECT_EQ(s.profiles[0].keyCycle[0], 0);
  EXPECT_EQ(s.profiles[0].keyCycle[1], 0x01);  // the rest is kept whole
  EXPECT_EQ(s.profiles[1].keyCycle[0], 0);
  EXPECT_EQ(s.profiles[2].keyCycle[0], 8);
  EXPECT_FALSE(s.profiles[0].set);  // 0x12 0x12: untouched
  EXPECT_TRUE(s.profiles[1].set);   // 0x12 0x00
  EXPECT_EQ(s.profiles[2].green, 1);
  EXPECT_EQ(s.profiles[2].blue, 2);
  EXPECT_EQ(s.profiles[4].name, L"Game");
  EXPECT_EQ(s.pollingCode, 3);
  EXPECT_EQ(ReportRateHz(s.pollingCode), 250);
  EXPECT_EQ(PollingSliderPosition(s.pollingCode), 4);
  EXPECT_TRUE(s.angleSnapping);
  EXPECT_EQ(s.dpi[4].x, 0x44);
  EXPECT_EQ(s.dpi[4].y, 0x55);
  EXPECT_EQ(s.dpi[1].x, 0x20);
}

TEST_F(ConfigModelTest, ProgressRunsThroughThreeBands) {
  model.ReadDeviceSettings();
  std::vector<double> p;
  {
    std::lock_guard<std::mutex> lock(events.mutex);
    p = events.progress;
  }
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.front(), 0.0);
  EXPECT_EQ(p.back(), 1.0);
  EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
  auto count = [&](double lo, double hi) {
    return std::count_if(p.begin(), p.end(), [&](double v) { return v > lo && v <= hi; });
  };
  EXPECT_EQ(count(0.0, 0.6), 33);  // one step per 32-byte piece, then macro slot 0
  EXPECT_EQ(count(0.6, 0.8), 79);  // macro slots 1..79 (slot 0 reports 0.6)
  EXPECT_EQ(count(0.8, 1.0), 81);  // 80 buttons and the end
  EXPECT_FALSE(model.IsBusy());
}

TEST_F(ConfigModelTest, TypicalRequestWritesFourBytesThenReloadsButtons) {
  model.ReadDeviceSettings();
  hub.ClearLog(id);
  model.SetButtonAssignment(2, 3, {5, 0x01, 0x06, 0});
  const std::vector<std::pair<int, int>> expected = {
      {96 * 2 + 48 + 3, 5}, {96 * 2 + 64 + 3, 0x01}, {96 * 2 + 80 + 3, 0x06}, {96 * 2 + 96 + 3, 0}};
  EXPECT_EQ(ByteWrites(), expected);
  const std::vector<DeviceReport> sent = Sent();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_TRUE(IsReloadButtons(sent.back()));
  ButtonEntry e = model.Button(2, 3);
  EXPECT_EQ(e.text, L"Ctrl + C");
  EXPECT_EQ(Memory()[243], 5);
  EXPECT_EQ(events.macroLibraryChanged, 1);
}

TEST_F(ConfigModelTest, TypeZeroStoresAndWritesTheDeviceDefault) {
  auto config = simmouse::StandardMouse(1);
  config.defaults[4] = {16, 8, 8, 0x01};  // slot 4 alone decides, whatever the profile
  config.defaults[16 + 4] = {1, 0, 0, 0};
  Use(config);
  model.ReadDeviceSettings();
  hub.ClearLog(id);
  model.SetButtonAssignment(1, 4, {0, 9, 9, 9});
  ButtonEntry e = model.Button(1, 4);
  EXPECT_EQ(e.assignment, (ButtonAssignment{16, 8, 8, 0x01}));
  EXPECT_EQ(e.text, L"DPI hotkey [X:400 , Y:400] Left click");
  EXPECT_EQ(Memory()[mem::ButtonType(1, 4)], 16);
  EXPECT_EQ(Memory()[mem::ButtonP3(1, 4)], 0x01);
}

TEST_F(ConfigModelTest, SoleLeftClickButton) {
  model.ReadDeviceSettings();
  const int profile = model.CurrentProfile();
  EXPECT_EQ(model.Snapshot().soleLeftClickButton, 0);
  model.SetButtonAssignment(profile, 2, {4, 0x01, 0, 0});
  EXPECT_EQ(model.Snapshot().soleLeftClickButton, -1);  // two buttons click left
  model.SetButtonAssignment(profile, 0, {4, 0x02, 0, 0});
  EXPECT_EQ(model.Snapshot().soleLeftClickButton, 2);
}

TEST_F(ConfigModelTest, ToggleSwitchesBetweenDefaultAndNoFunction) {
  model.ReadDeviceSettings();
  // Button 1 holds its default: it becomes "no function".
  model.ToggleButton(0, 1);
  EXPECT_EQ(model.Button(0, 1).assignment, (ButtonAssignment{1, 0, 0, 0}));
  EXPECT_EQ(model.Button(0, 1).text, L"No function");
  EXPECT_EQ(Memory()[mem::ButtonType(0, 1)], 1);
  // Then back to the default (type 0 written), showing the default text.
  model.ToggleButton(0, 1);
  EXPECT_EQ(model.Button(0, 1).assignment.type, 0);
  EXPECT_EQ(model.Button(0, 1).text, L"Right click");
  EXPECT_EQ(Memory()[mem::ButtonType(0, 1)], 0);
}

TEST_F(ConfigModelTest, FactoryResetRewritesTheSettings) {
  Poke(0, std::vector<uint8_t>(1024, 0x77));
  Poke(8191, {0x12});
  model.ReadDeviceSettings();
  model.SetDpiCodes(1, 9, 9);  // a pending edit is dropped
  hub.ClearLog(id);
  ASSERT_TRUE(model.RestoreFactorySettings());
  const std::vector<uint8_t> m = Memory();
  const int block3 = mem::ProfileBlock(3);
  EXPECT_EQ(m[block3 + 3], 0x33);
  EXPECT_EQ(m[block3 + 4], 255);
  EXPECT_EQ(m[block3 + 5], 0);
  EXPECT_EQ(m[block3 + 6], 255);
  EXPECT_EQ(m[0], 0x12);
  EXPECT_EQ(m[2], 1);
  EXPECT_EQ(m[15], 0x10);
  EXPECT_EQ(m[4], 0x10);
  EXPECT_EQ(m[13], 0x50);
  EXPECT_EQ(m[mem::ButtonType(2, 5)], 0);
  EXPECT_EQ(m[8191], 0);
  EXPECT_EQ(hub.State(id).liveColours[3], 0x33);
  ConfigState s = model.Snapshot();
  EXPECT_EQ(s.profiles[3].name, L"Profile 4");
  EXPECT_FALSE(s.profiles[3].set);
  EXPECT_EQ(s.profiles[3].red, 3);
  EXPECT_EQ(s.profiles[3].blue, 3);
  EXPECT_FALSE(s.dpi[1].changed);
  int reloads = 0;
  for (const DeviceReport& r : Sent()) reloads += r[1] == 0x08 && r[2] == 0x00;
  EXPECT_EQ(reloads, 1);

  registry.SetCurrentPath(L"");
  EXPECT_FALSE(model.RestoreFactorySettings());
}

TEST_F(ConfigModelTest, TimersWriteBackCoalescedChanges) {
  model.ReadDeviceSettings();
  model.SelectDpiLevel(1);
  hub.ClearLog(id);
  model.SetDpiCode(1, true, 0x30, false);  // linked axes: both codes
  model.SetDpiCode(1, true, 0x31, false);
  model.SetDpiCode(3, false, 0x44, true);  // independent: Y only
  model.FlushDpiChanges();
  std::vector<DeviceReport> sent = Sent();
  ASSERT_FALSE(sent.empty());
  int live = 0;
  for (const DeviceReport& r : sent) {
    if (r[1] == 0x04 && r[2] == 0x01) {
      ++live;
      EXPECT_EQ(r[3], 1);  // only the current level goes live
      EXPECT_EQ(r[4], 0x31);
      EXPECT_EQ(r[5], 0x31);
    }
  }
  EXPECT_EQ(live, 1);
  EXPECT_EQ(sent.back()[1], 0x08);
  EXPECT_EQ(sent.back()[2], 0x02);
  EXPECT_EQ(Memory()[mem::DpiX(1)], 0x31);
  EXPECT_EQ(Memory()[mem::DpiY(1)], 0x31);
  EXPECT_EQ(Memory()[mem::DpiX(3)], 0x40);
  EXPECT_EQ(Memory()[mem::DpiY(3)], 0x44);
  hub.ClearLog(id);
  model.FlushDpiChanges();  // nothing pending: nothing sent
  model.FlushPollingInterval();
  EXPECT_TRUE(Sent().empty());

  model.SetPollingInterval(7);
  model.SetAngleSnapping(true);
  model.SetSensorValue(1234);
  model.FlushPollingInterval();
  model.FlushAngleSnapping();
  model.FlushSensorValue();
  EXPECT_EQ(Memory()[mem::kFlags], 0x71);
  EXPECT_EQ(hub.State(id).sensorValue, 1234);
}

TEST_F(ConfigModelTest, ImmediateSetters) {
  model.ReadDeviceSettings();
  model.SelectProfile(3);
  EXPECT_EQ(hub.State(id).profile, 3);
  model.SetProfileColour(2, 1, 2, 3);
  EXPECT_EQ(Memory()[mem::ProfileColour(2)], 0x39);
  model.SetProfileName(0, L"Shooter game");
  EXPECT_EQ(model.Snapshot().profiles[0].name, L"Shooter g");
  EXPECT_EQ(Utf16LeToWideZ(Memory().data() + mem::ProfileName(0), 18), L"Shooter g");
  model.SelectProfile(7);  // out of range: ignored
  EXPECT_EQ(model.CurrentProfile(), 3);
}

TEST_F(ConfigModelTest, MacroSlotTableIsFilled) {
  std::vector<uint8_t> record = {32, 'c', 0, 'o', 0, 'p', 0, 'y', 0};
  record.resize(33, 0);
  record.insert(record.end(), {0x83, 0x06, 0x00});
  Poke(2000, record);
  Poke(mem::MacroDirectory(5), {0xD0, 0x07, 36, 0});
  model.ReadDeviceSettings();
  MacroSlot slot = model.GetMacroSlot(5);
  EXPECT_EQ(slot.name, L"copy");
  EXPECT_EQ(slot.headerAddress, 2000);
  EXPECT_EQ(slot.codeAddress, 2033);
  EXPECT_EQ(slot.totalSize, 36);
  EXPECT_FALSE(model.GetMacroSlot(4).Used());
}

TEST_F(ConfigModelTest, WithoutDeviceTheModelEmpties) {
  model.ReadDeviceSettings();
  ASSERT_TRUE(model.Snapshot().loaded);
  model.RemoteFlags().Take(0, 0);
  registry.SetCurrentPath(L"");
  const int before = events.remote;
  model.ReadDeviceSettings();
  EXPECT_FALSE(model.Snapshot().loaded);
  EXPECT_TRUE(model.RemoteFlags().Take(0, 0));
  EXPECT_EQ(events.remote, before + 1);
}

// The connect thread fills the model while other threads paint and edit it.
TEST_F(ConfigModelTest, ReadersSeeConsistentCopiesWhileTheModelIsFilled) {
  std::atomic<bool> done{false};
  std::thread painter([&] {
    while (!done.load()) {
      ConfigState s = model.Snapshot();
      for (const ProfileSettings& p : s.profiles) EXPECT_LE(p.name.size(), 9u);
      model.Button(0, 0);
      model.Progress();
    }
  });
  std::thread remote([&] {
    for (int i = 0; i < 50; ++i) model.SetDpiCodes(i % 5, 0x10, 0x20);
  });
  model.ReadDeviceSettings();
  model.SelectProfile(1);
  remote.join();
  done = true;
  painter.join();
  EXPECT_EQ(model.CurrentProfile(), 1);
}

TEST_F(ConfigModelTest, StatusReportsUpdateTheModel) {
  model.ReadDeviceSettings();
  model.SelectProfile(0);
  model.RemoteFlags().Take(3, 1);
  EXPECT_TRUE(model.ApplyStatusReport(2, 7, 0x22, 0x33, true, 4000));
  ConfigState s = model.Snapshot();
  EXPECT_EQ(s.currentProfile, 2);
  EXPECT_EQ(s.currentDpiLevel, 4);  // levels above 4 are taken as 4
  EXPECT_EQ(s.dpi[4].x, 0x22);
  EXPECT_EQ(s.dpi[4].y, 0x33);
  EXPECT_TRUE(s.angleSnapping);
  EXPECT_EQ(s.sensorValue, 4000);
  EXPECT_TRUE(model.RemoteFlags().Take(3, 1));
  EXPECT_FALSE(model.ApplyStatusReport(2, 1, 0x10, 0x10, false, 4000));
}

}  // namespace
