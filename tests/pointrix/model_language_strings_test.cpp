#include <gtest/gtest.h>

#include "model_temp_dir.h"
#include "pointrix/model/LanguageStrings.h"
#include "pointrix/model/TextFormat.h"

using namespace pointrix;

namespace {

TEST(ModelLanguageStrings, BuiltInEnglishTexts) {
  LanguageStrings s;
  struct Case {
    const wchar_t* key;
    const wchar_t* text;
  } cases[] = {
      {L"type_str0", L"Default"},
      {L"type_str1", L"No function"},
      {L"type_str4", L"Mouse "},
      {L"type_str6", L"Mutimedia"},
      {L"type_str10", L"Macro(F) "},
      {L"type_str33", L"Rapid fire"},
      {L"profile_str", L"Profile"},
      {L"menu_str0", L"Settings"},
      {L"menu_str1", L"Quit"},
      {L"msg_str10", L"No device !!"},
      {L"msg_str11", L"All setting will be reset !!  continue?"},
      {L"msg_str12", L"Current setting will be overwritten !! continue?"},
      {L"msg_str19", L"Lack of space !!"},
      {L"msg_str20", L"invalid format !!"},
      {L"msg_str38", L"%d sec, Press keyboard or click mouse button for binding"},
      {L"msg_str46", L"Lock X-axis"},
      {L"msg_str47", L"Lock Y-axis"},
      {L"msg_str49", L"Exit program ?"},
      {L"msg_str52", L"Assign an executable file to current profile."},
      {L"msg_str58", L"Item code"},
      {L"msg_str60", L"PIN error !"},
      {L"msg_str61", L"Delay"},
      {L"button_str22", L"X-Y independent"},
      {L"button_str23", L"Angle snapping"},
      {L"button_str24", L"Report rate"},
      {L"button_str26", L"Enable DPI / profile OSD"},
      {L"button_str34", L"Disable mouse acceleration (OS)"},
      {L"button_str44", L"Cancel"},
      {L"version_str", L"Software version"},
      {L"firmware_str", L"Firmware version"},
      {L"end_str", L"-- End --"},
      {L"macro_str12", L"Wheel Scrolling  %d count(unit)"},
      {L"macro_str16", L"Mouse Move to (%d , %d)"},
      {L"class_str5", L"User Macro (Mouse memory)"},
      {L"consumer_key_str13", L"Fast Forward"},
      {L"mouse_str10", L"Triple click"},
  };
  for (const Case& c : cases) EXPECT_EQ(s.Get(c.key), c.text) << WideToUtf8(c.key);
  EXPECT_FALSE(s.EnableColor());
  EXPECT_TRUE(s.Get(L"msg_str57").size() > 0);
}

TEST(ModelLanguageStrings, TranslationReplacesOnlyWhatItHas) {
  ModelTempDir dir;
  dir.Write("language.ini",
            "[MISC]\r\nEnableColor=1\r\n"
            "[1031]\r\nmenu_str1=Beenden\r\nmenu_str0=@_NOSTR_\r\ndrag_tip_str0=a\\nb\r\n"
            "button_str3=\r\n"
            "[1033]\r\nmenu_str1=Exit\r\n");
  IniFileProfile profile;
  LanguageStrings s;
  s.Load(profile, 1031, dir.File("language.ini"));
  EXPECT_EQ(s.Get(L"menu_str", 1), L"Beenden");
  EXPECT_EQ(s.Get(L"menu_str", 0), L"Settings");  // "@_NOSTR_" counts as absent
  EXPECT_EQ(s.Get(L"drag_tip_str", 0), L"a\r\nb");
  EXPECT_EQ(s.Get(L"button_str", 3), L"");  // an empty translation is a translation
  EXPECT_EQ(s.Get(L"msg_str", 20), L"invalid format !!");
  EXPECT_TRUE(s.EnableColor());

  // A language without a section keeps every English text.
  LanguageStrings t;
  t.Load(profile, 1036, dir.File("language.ini"));
  EXPECT_EQ(t.Get(L"menu_str", 1), L"Quit");
  LanguageStrings u;
  u.Load(profile, 1033, dir.File("missing.ini"));
  EXPECT_EQ(u.Get(L"menu_str", 1), L"Quit");
  EXPECT_FALSE(u.EnableColor());
}

TEST(ModelTextFormat, TranslatedFormatsCannotMisuseArguments) {
  EXPECT_EQ(FormatText(L"free memory: %d bytes", {7166}), L"free memory: 7166 bytes");
  EXPECT_EQ(FormatText(L"Delete macro '%s' ?", {L"abc"}), L"Delete macro 'abc' ?");
  EXPECT_EQ(FormatText(L"%s [X:%d , Y:%d]", {L"DPI", 400, 800}), L"DPI [X:400 , Y:800]");
  // Wrong kinds, missing arguments and unknown conversions stay literal.
  EXPECT_EQ(FormatText(L"%s %n %d%% %d", {5}), L"%s %n 5% %d");
  EXPECT_EQ(FormatText(L"%ls!", {L"x"}), L"x!");
  EXPECT_EQ(FormatText(L"100%", {}), L"100%");
}

}  // namespace
