#include <gtest/gtest.h>

#include "model_temp_dir.h"
#include "pointrix/buttons/KeyboardLayout.h"

using namespace pointrix;

namespace {

TEST(ButtonsKeyboardLayout, ReadsKeysConsumerRowAndCaptions) {
  ModelTempDir dir;
  dir.Write(
      "keyboard.ini",
      "[SET]\r\nx=20\r\ny=100\r\n"
      "[KEY 1]\r\nname=ESC\r\ncode=0x1\r\nx=0\r\ny=0\r\nwidth=40\r\nheight=30\r\nsmall_font=1\r\n"
      "; [KEY 2] stands only as a comment\r\n"
      "[KEY 3]\r\nname=PgUp\r\ncode=0xe049\r\nx=50\r\ny=60\r\nwidth=40\r\nheight=30\r\n"
      "[KEY 4]\r\nname=Q\r\ncode=16\r\nx=60\r\ny=90\r\nwidth=40\r\nheight=30\r\n"
      "[KEY 5]\r\nname=Shift\r\ncode=0x36\r\nmodify=0x20\r\nx=500\r\ny=150\r\nwidth=110\r\nheight=30\r\n"
      "[KEY 6]\r\nname=Up\r\ncode=0xe048\r\nx=620\r\ny=150\r\nwidth=40\r\nheight=30\r\n"
      "[KEY 7]\r\nname=www\r\nchwcode=0x223\r\nx=600\r\ny=230\r\nwidth=120\r\nheight=30\r\n"
      "[KEY 8]\r\nname=\r\nchwcode=0xe9\r\nx=900\r\ny=270\r\nwidth=120\r\nheight=30\r\n"
      "[KEY 9]\r\nname=Num\r\nhwcode=0x53\r\nx=700\r\ny=60\r\nwidth=40\r\nheight=30\r\n"
      "[KEY 10]\r\nname=Odd\r\ncode=0x7f\r\nx=0\r\ny=300\r\nwidth=40\r\nheight=30\r\n"
      "[KEY 141]\r\nname=beyond\r\n");
  IniFileProfile profile;
  KeyboardLayout layout = ReadKeyboardLayout(profile, dir.File("keyboard.ini"));
  EXPECT_EQ(layout.originX, 20);
  EXPECT_EQ(layout.originY, 100);
  ASSERT_EQ(layout.keys.size(), 9u);

  const KeyboardLayoutKey& esc = layout.keys[0];
  EXPECT_EQ(esc.name, L"esc");  // the layout's name, lower-cased
  EXPECT_EQ(esc.hwcode, 41);
  EXPECT_EQ(esc.small_font, 1);
  EXPECT_EQ(esc.hit_rect.left, 22);
  EXPECT_EQ(esc.hit_rect.top, 102);
  EXPECT_EQ(esc.hit_rect.right, 57);
  EXPECT_EQ(esc.hit_rect.bottom, 127);

  EXPECT_EQ(layout.keys[1].name, L"pgup");  // "PageUp" is much longer: the file's caption stays
  EXPECT_EQ(layout.keys[1].hwcode, 75);
  EXPECT_EQ(layout.keys[2].name, L"q");
  EXPECT_EQ(layout.keys[3].name, L"shift");  // modifier captions are kept
  EXPECT_EQ(layout.keys[3].modify, 0x20);
  EXPECT_EQ(layout.keys[4].name, L"up");  // arrow keys keep their captions
  EXPECT_EQ(layout.keys[4].hwcode, 82);

  const KeyboardLayoutKey& www = layout.keys[5];
  EXPECT_EQ(www.name, L"web browser");
  EXPECT_EQ(www.consumer_index, 0);
  EXPECT_EQ(www.x, 0);
  EXPECT_EQ(www.y, 230);
  EXPECT_EQ(www.width, 63);
  EXPECT_EQ(www.height, 31);
  const KeyboardLayoutKey& vol = layout.keys[6];
  EXPECT_EQ(vol.x, 75);  // x=900 in the file, still placed at 75 * k
  EXPECT_EQ(vol.y, 230);
  EXPECT_EQ(vol.consumer_index, 6);
  EXPECT_EQ(vol.name, L"volume +");

  EXPECT_EQ(layout.keys[7].name, L"num");  // "Num Lock" is too much longer
  EXPECT_EQ(layout.keys[7].hwcode, 83);
  EXPECT_EQ(layout.keys[8].name, L"odd");  // no usage: no generated name to take
  EXPECT_EQ(layout.keys[8].hwcode, 0);

  EXPECT_EQ(layout.extentX, 741);
  EXPECT_EQ(layout.extentY, 331);
}

TEST(ButtonsKeyboardLayout, MissingFileGivesNoKeys) {
  ModelTempDir dir;
  IniFileProfile profile;
  KeyboardLayout layout = ReadKeyboardLayout(profile, dir.File("keyboard.ini"));
  EXPECT_EQ(layout.originX, 0);
  EXPECT_TRUE(layout.keys.empty());
}

}  // namespace
