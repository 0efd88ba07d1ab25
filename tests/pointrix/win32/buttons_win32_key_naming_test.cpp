#include <windows.h>

#include <gtest/gtest.h>

#include "../model_temp_dir.h"
#include "pointrix/buttons/KeyNames.h"
#include "pointrix/buttons/KeyboardLayout.h"
#include "pointrix/buttons/ScanCodeMap.h"
#include "pointrix/buttons/win32/ShippedKeyboardIni.h"
#include "pointrix/buttons/win32/Win32KeyNaming.h"
#include "pointrix/model/win32/Win32PrivateProfile.h"

using namespace pointrix;

namespace {

// The map is filled once per process: the Windows sources go in first.
const bool kInstalled = (InstallWin32KeyNaming(), true);

std::vector<uint8_t> TextResource(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"TXT");
  if (!found) return {};
  const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
  return std::vector<uint8_t>(data, data + SizeofResource(module, found));
}

TEST(ButtonsWin32KeyNaming, ResourceMapIsTheStandardTranslation) {
  ASSERT_TRUE(kInstalled);
  std::vector<uint8_t> resource = TextResource(163);
  ASSERT_FALSE(resource.empty());
  EXPECT_EQ(resource, BuiltInScanCodeText());
  EXPECT_EQ(GlobalScanCodeMap().Slots(), ScanCodeMap::FromText(BuiltInScanCodeText()).Slots());
  EXPECT_EQ(ScanCodeToUsage(43), 49);
}

TEST(ButtonsWin32KeyNaming, SystemNamesTellPauseFromNumLock) {
  const std::wstring numLock = SystemKeyName(83), pause = SystemKeyName(72);
  EXPECT_FALSE(numLock.empty());
  EXPECT_NE(numLock, pause);
  EXPECT_EQ(SystemKeyName(102), L"");
  // Whatever the layout calls A, the modifier prefix stays.
  const std::wstring shiftA = FormatKeyText(4, 0x02);
  EXPECT_EQ(shiftA.rfind(L"Shift + ", 0), 0u);
  EXPECT_GT(shiftA.size(), 8u);
}

// The shipped keyboard.ini: the same through the system's functions and the
// portable reader, with the rows the assignment dialog relies on.
TEST(ButtonsWin32KeyNaming, ShippedKeyboardLayout) {
  std::vector<uint8_t> resource = TextResource(276);
  ASSERT_FALSE(resource.empty());
  ModelTempDir dir;
  ASSERT_TRUE(EnsureKeyboardIni(dir.File("keyboard.ini")));
  EXPECT_EQ(dir.Read("keyboard.ini"), resource);
  dir.Write("keyboard.ini", std::string("[SET]\r\nx=20\r\ny=100\r\n"));
  ASSERT_TRUE(EnsureKeyboardIni(dir.File("keyboard.ini")));  // an existing file is the user's
  EXPECT_EQ(dir.Read("keyboard.ini").size(), 20u);
  dir.Write("keyboard.ini", resource);
  Win32PrivateProfile system;
  IniFileProfile portable;
  KeyboardLayout layout = ReadKeyboardLayout(system, dir.File("keyboard.ini"));
  KeyboardLayout same = ReadKeyboardLayout(portable, dir.File("keyboard.ini"));
  EXPECT_EQ(layout.originX, 20);
  EXPECT_EQ(layout.originY, 100);
  ASSERT_EQ(layout.keys.size(), 117u);
  ASSERT_EQ(same.keys.size(), 117u);
  for (size_t i = 0; i < layout.keys.size(); ++i) {
    EXPECT_EQ(layout.keys[i].name, same.keys[i].name) << i;
    EXPECT_EQ(layout.keys[i].hwcode, same.keys[i].hwcode) << i;
    EXPECT_EQ(layout.keys[i].x, same.keys[i].x) << i;
  }
  int consumer = 0, modifiers = 0, mask = 0;
  for (const KeyboardLayoutKey& k : layout.keys) {
    if (k.chwcode) {
      EXPECT_EQ(k.x, 75 * consumer);
      EXPECT_EQ(k.y, 230);
      EXPECT_EQ(k.width, 63);
      ++consumer;
    } else {
      EXPECT_NE(k.hwcode, 0) << WideToUtf8(k.name);
      EXPECT_FALSE(k.name.empty());
    }
    if (k.modify) {
      ++modifiers;
      mask |= k.modify;
    }
  }
  EXPECT_EQ(consumer, 13);
  EXPECT_EQ(modifiers, 8);
  EXPECT_EQ(mask, 0xFF);
  // Sections 1..29 are all there, so key index = section - 1 up to KEY 29.
  EXPECT_EQ(layout.keys[0].code, 1);
  EXPECT_EQ(layout.keys[0].small_font, 1);
  EXPECT_EQ(layout.keys[13].hwcode, 0x46);  // PrtSc
  EXPECT_EQ(layout.keys[15].hwcode, 72);    // Pause
  const KeyboardLayoutKey& rightCtrl = layout.keys[layout.keys.size() - 13 - 27 - 1];
  EXPECT_EQ(rightCtrl.modify, 0x10);
  EXPECT_EQ(rightCtrl.code, 0xE01D);
  EXPECT_EQ(rightCtrl.hwcode, 228);
  EXPECT_EQ(layout.keys[layout.keys.size() - 13].consumer_index, 0);  // www
  EXPECT_EQ(layout.keys.back().consumer_index, 12);                   // Stop
}

}  // namespace
