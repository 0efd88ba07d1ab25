#include <gtest/gtest.h>

#include "model_sim_fixture.h"
#include "pointrix/macros/MacroMemory.h"
#include "pointrix/model/WideText.h"

using namespace pointrix;

namespace {

// An 8 KiB mouse (H = 0x1FFF) read into the model.
struct MacroMemoryTest : ModelSimFixture {
  MacroMemory macros{model};

  void SetUp() override {
    auto config = simmouse::StandardMouse(0);
    config.memorySize = 8 * 1024;
    Use(config);
  }
  void Read() { model.ReadDeviceSettings(); }
  // A record at header with a code of codeBytes (press/release pairs) and a directory entry.
  void PokeMacro(int slot, int header, int totalSize) {
    std::vector<uint8_t> record(static_cast<size_t>(totalSize), 0x20);  // mouse-button presses
    record[0] = 32;
    for (int i = 1; i < 33 && i < totalSize; ++i) record[static_cast<size_t>(i)] = 0;
    record[1] = static_cast<uint8_t>('a' + slot);
    record.back() = 0x00;
    Poke(static_cast<uint32_t>(header), record);
    Poke(static_cast<uint32_t>(mem::MacroDirectory(slot)),
         {static_cast<uint8_t>(header & 0xFF), static_cast<uint8_t>(header >> 8),
          static_cast<uint8_t>(totalSize & 0xFF), static_cast<uint8_t>(totalSize >> 8)});
  }
  void PokeButton(int profile, int button, ButtonAssignment a) {
    Poke(static_cast<uint32_t>(mem::ButtonType(profile, button)), {a.type});
    Poke(static_cast<uint32_t>(mem::ButtonP1(profile, button)), {a.p1});
    Poke(static_cast<uint32_t>(mem::ButtonP2(profile, button)), {a.p2});
    Poke(static_cast<uint32_t>(mem::ButtonP3(profile, button)), {a.p3});
  }
  ButtonAssignment DeviceButton(int profile, int button) const {
    const std::vector<uint8_t> m = Memory();
    return {m[mem::ButtonType(profile, button)], m[mem::ButtonP1(profile, button)],
            m[mem::ButtonP2(profile, button)], m[mem::ButtonP3(profile, button)]};
  }
  static std::vector<_MACRO_ITEM_> Items(int pairs) {
    std::vector<_MACRO_ITEM_> items;
    for (int i = 0; i < pairs; ++i) {
      items.push_back(MakeMacroItem({0x83, 0x04}));
      items.push_back(MakeMacroItem({0x84, 0x04}));
    }
    return items;
  }
  int ReloadButtonsSent() const {
    int n = 0;
    for (const DeviceReport& r : Sent()) n += IsReloadButtons(r);
    return n;
  }
};

TEST_F(MacroMemoryTest, FirstMacroGoesToTheStartOfTheMacroArea) {
  Read();
  EXPECT_EQ(macros.FreeSpace(), 7166);
  std::vector<_MACRO_ITEM_> items = {MakeMacroItem({0x83, 0x06}), MakeMacroItem({0x88, 0x20}),
                                     MakeMacroItem({0x84, 0x06})};
  ASSERT_EQ(macros.StoreMacro(0, 9, L"copy", items), StoreResult::kStored);
  MacroSlot slot = model.GetMacroSlot(0);
  EXPECT_EQ(slot.headerAddress, 1024);
  EXPECT_EQ(slot.codeAddress, 1057);
  EXPECT_EQ(slot.totalSize, 33 + 7);
  EXPECT_EQ(slot.runType, 9);
  const std::vector<uint8_t> m = Memory();
  EXPECT_EQ(std::vector<uint8_t>(m.begin() + 512, m.begin() + 516),
            (std::vector<uint8_t>{0x00, 0x04, 40, 0}));
  EXPECT_EQ(m[832], 9);
  EXPECT_EQ(m[1024], 32);
  EXPECT_EQ(Utf16LeToWideZ(m.data() + 1025, 32), L"copy");
  EXPECT_EQ(std::vector<uint8_t>(m.begin() + 1057, m.begin() + 1064),
            (std::vector<uint8_t>{0x83, 0x06, 0x88, 0x20, 0x84, 0x06, 0x00}));
  EXPECT_EQ(macros.FreeSpace(), 7166 - 40);

  // A button given this macro carries the code address 1057.
  model.SetButtonAssignment(0, 3, {9, 0x21, 0x04, 0});
  EXPECT_EQ(DeviceButton(0, 3), (ButtonAssignment{9, 0x21, 0x04, 0}));

  // Read back, as the editor loads it, and after a full read of the mouse.
  std::vector<_MACRO_ITEM_> loaded = macros.LoadMacroFromDevice(0);
  EXPECT_EQ(SerializeMacroCode(loaded), SerializeMacroCode(items));
  Read();
  slot = model.GetMacroSlot(0);
  EXPECT_EQ(slot.name, L"copy");
  EXPECT_EQ(slot.codeAddress, 1057);
}

TEST_F(MacroMemoryTest, ThirtyCodeBytesOccupySixtyFour) {
  Read();
  std::vector<_MACRO_ITEM_> items;
  for (int i = 0; i < 10; ++i) items.push_back(MakeMacroItem({0x89, 0x10, 0x00}));
  ASSERT_EQ(SerializeMacroCode(items).size(), 30u);
  ASSERT_EQ(macros.StoreMacro(7, 8, L"waits", items), StoreResult::kStored);
  EXPECT_EQ(model.GetMacroSlot(7).totalSize, 64);
}

TEST_F(MacroMemoryTest, BestFitThenCompactionWhenOnlyTheTotalFits) {
  // A [1024, 1124), gap 50, B [1174, 1274), gap 40, C up to H - 2.
  PokeMacro(0, 1024, 100);
  PokeMacro(1, 1174, 100);
  PokeMacro(2, 1314, 0x1FFF - 1 - 1314);
  PokeButton(0, 1, {8, (1174 + 33) & 0xFF, (1174 + 33) >> 8, 0});  // slot 1's own button runs B
  Read();
  EXPECT_EQ(macros.FreeSpace(), 90);
  const std::vector<MacroGap> gaps = FindMacroGaps(model.MacroSlots(), model.HighestAddress());
  ASSERT_EQ(gaps.size(), 2u);
  EXPECT_EQ(gaps[0].start, 1124);
  EXPECT_EQ(gaps[0].size, 50);
  EXPECT_EQ(gaps[1].start, 1274);
  EXPECT_EQ(gaps[1].size, 40);
  EXPECT_EQ(macros.AllocateMacroSpace(40), 1274);
  EXPECT_EQ(macros.AllocateMacroSpace(41), 1124);
  EXPECT_EQ(macros.AllocateMacroSpace(91), 0);
  hub.ClearLog(id);
  EXPECT_TRUE(Sent().empty());

  const std::vector<uint8_t> before = Memory();
  const std::vector<uint8_t> recordB(before.begin() + 1174, before.begin() + 1274);
  EXPECT_EQ(macros.AllocateMacroSpace(60), (0x1FFF - 2) - 90 + 1);  // the gap left below H - 2
  EXPECT_EQ(model.GetMacroSlot(1).headerAddress, 1124);
  EXPECT_EQ(model.GetMacroSlot(1).codeAddress, 1157);
  EXPECT_EQ(model.GetMacroSlot(2).headerAddress, 1224);
  const std::vector<uint8_t> m = Memory();
  EXPECT_TRUE(std::equal(recordB.begin(), recordB.end(), m.begin() + 1124));
  EXPECT_EQ(m[mem::MacroDirectory(1)], 1124 & 0xFF);
  EXPECT_EQ(m[mem::MacroDirectory(1) + 1], 1124 >> 8);
  EXPECT_EQ(m[mem::MacroDirectory(2)], 1224 & 0xFF);
  EXPECT_EQ(DeviceButton(0, 1), (ButtonAssignment{8, 1157 & 0xFF, 1157 >> 8, 0}));
  EXPECT_EQ(model.Button(0, 1).assignment, DeviceButton(0, 1));
  EXPECT_EQ(ReloadButtonsSent(), 1);
}

TEST_F(MacroMemoryTest, ButtonsFollowAMovedMacro) {
  Read();
  ASSERT_EQ(macros.StoreMacro(0, 8, L"first", Items(2)), StoreResult::kStored);
  const int oldCode = model.GetMacroSlot(0).codeAddress;
  ASSERT_EQ(macros.StoreMacro(1, 8, L"second", Items(1)), StoreResult::kStored);
  const ButtonAssignment runs{8, static_cast<uint8_t>(oldCode & 0xFF), static_cast<uint8_t>(oldCode >> 8), 0};
  model.SetButtonAssignment(0, 5, runs);
  model.SetButtonAssignment(3, 1, runs);
  model.SetButtonAssignment(
      2, 2, {8, static_cast<uint8_t>(oldCode & 0xFF), static_cast<uint8_t>(oldCode >> 8), 255});
  hub.ClearLog(id);

  // Larger than its old place, which "second" bounds: it moves.
  ASSERT_EQ(macros.StoreMacro(0, 10, L"first", Items(6)), StoreResult::kStored);
  const MacroSlot moved = model.GetMacroSlot(0);
  EXPECT_NE(moved.codeAddress, oldCode);
  const ButtonAssignment follows{10, static_cast<uint8_t>(moved.codeAddress & 0xFF),
                                 static_cast<uint8_t>(moved.codeAddress >> 8), 0};
  EXPECT_EQ(DeviceButton(0, 5), follows);
  EXPECT_EQ(DeviceButton(3, 1), follows);
  EXPECT_EQ(model.Button(3, 1).assignment, follows);
  EXPECT_EQ(model.Button(2, 2).assignment.p3, 255);  // a built-in macro is never touched
  EXPECT_EQ(DeviceButton(2, 2).p1, oldCode & 0xFF);
  EXPECT_EQ(ReloadButtonsSent(), 1);  // profile 0 is current
  EXPECT_EQ(SerializeMacroCode(macros.LoadMacroFromDevice(0)), SerializeMacroCode(Items(6)));
  EXPECT_EQ(SerializeMacroCode(macros.LoadMacroFromDevice(1)), SerializeMacroCode(Items(1)));
}

TEST_F(MacroMemoryTest, StoringAnEmptySlotRePointsNothing) {
  Read();
  model.SetButtonAssignment(1, 0, {8, 0, 0, 0});  // refers to address 0, no macro
  ASSERT_EQ(macros.StoreMacro(4, 9, L"x", Items(1)), StoreResult::kStored);
  EXPECT_EQ(model.Button(1, 0).assignment, (ButtonAssignment{8, 0, 0, 0}));
}

TEST_F(MacroMemoryTest, DeletingResetsEveryButtonThatRanIt) {
  Read();
  ASSERT_EQ(macros.StoreMacro(2, 8, L"gone", Items(1)), StoreResult::kStored);
  ASSERT_EQ(macros.StoreMacro(3, 8, L"kept", Items(1)), StoreResult::kStored);
  const int code = model.GetMacroSlot(2).codeAddress, kept = model.GetMacroSlot(3).codeAddress;
  const ButtonAssignment runs{9, static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8), 0};
  model.SetButtonAssignment(0, 2, runs);
  model.SetButtonAssignment(4, 7, runs);
  model.SetButtonAssignment(1, 1, {8, static_cast<uint8_t>(kept & 0xFF), static_cast<uint8_t>(kept >> 8), 0});
  hub.ClearLog(id);
  macros.DeleteMacro(2);
  EXPECT_FALSE(model.GetMacroSlot(2).Used());
  const std::vector<uint8_t> m = Memory();
  EXPECT_EQ(std::vector<uint8_t>(m.begin() + mem::MacroDirectory(2), m.begin() + mem::MacroDirectory(2) + 4),
            std::vector<uint8_t>(4, 0));
  EXPECT_EQ(DeviceButton(0, 2), (ButtonAssignment{0, 0, 0, 0}));
  EXPECT_EQ(DeviceButton(4, 7), (ButtonAssignment{0, 0, 0, 0}));
  EXPECT_EQ(model.Button(4, 7).text, model.Snapshot().profiles[4].defaults[7].text);
  EXPECT_EQ(model.Button(1, 1).assignment.MacroAddress(), kept);
  EXPECT_EQ(ReloadButtonsSent(), 1);
  EXPECT_EQ(macros.FreeSpace(), 7166 - model.GetMacroSlot(3).totalSize);
}

TEST_F(MacroMemoryTest, LackOfSpaceWritesNothing) {
  Read();
  ASSERT_EQ(macros.StoreMacro(0, 8, L"small", Items(1)), StoreResult::kStored);
  const MacroSlot before = model.GetMacroSlot(0);
  const std::vector<uint8_t> memory = Memory();
  hub.ClearLog(id);
  std::vector<_MACRO_ITEM_> huge(1800, MakeMacroItem({0x80, 1, 0, 1, 0}));
  EXPECT_EQ(macros.StoreMacro(0, 8, L"huge", huge), StoreResult::kNoSpace);
  EXPECT_EQ(model.GetMacroSlot(0).headerAddress, before.headerAddress);
  EXPECT_EQ(model.GetMacroSlot(0).name, L"small");
  EXPECT_EQ(Memory(), memory);
  EXPECT_EQ(macros.StoreMacro(80, 8, L"x", Items(1)), StoreResult::kFailed);
}

TEST_F(MacroMemoryTest, LongNamesAreCutToTheirField) {
  Read();
  ASSERT_EQ(macros.StoreMacro(0, 8, L"abcdefghijklmnopqrstuvwxyz", Items(1)), StoreResult::kStored);
  EXPECT_EQ(model.GetMacroSlot(0).name, L"abcdefghijklmnop");
  EXPECT_EQ(Memory()[1024 + 33], 0x83);  // the code still starts right after the field
  const std::vector<uint8_t> field = MacroNameField(L"123456789012345\U0001F600");
  EXPECT_EQ(field.size(), 32u);
  EXPECT_EQ(Utf16LeToWideZ(field.data(), field.size()), L"123456789012345");
}

TEST_F(MacroMemoryTest, LoadStopsAtTheEndOrABadHeader) {
  PokeMacro(5, 3000, 40);
  Poke(3000 + 33, {0x83, 0x04, 0x02, 0x84});  // 0x02 is not an opcode
  PokeMacro(6, 4000, 10);                     // name length beyond the record
  Read();
  EXPECT_EQ(macros.LoadMacroFromDevice(5).size(), 1u);
  EXPECT_TRUE(macros.LoadMacroFromDevice(6).empty());
  EXPECT_TRUE(macros.LoadMacroFromDevice(7).empty());
}

}  // namespace
