#include <windows.h>

#include <gtest/gtest.h>

#include "../model_temp_dir.h"
#include "pointrix/model/PrivateProfile.h"
#include "pointrix/model/win32/PointerAcceleration.h"
#include "pointrix/model/win32/ProgramSettingsWin32.h"
#include "pointrix/model/win32/Win32PrivateProfile.h"

using namespace pointrix;

namespace {

// The portable reader must answer like the system's own functions.
TEST(ModelWin32Profile, PortableReaderMatchesTheSystem) {
  ModelTempDir dir;
  dir.Write("a.ini",
            "; comment\r\n[SET]\r\nx=20\r\n  y  =  0x64  \r\n[KEY 1]\r\nname = \"ESC\"\r\ncode=0x1\r\n"
            "empty=\r\nneg=-5\r\ntrail=12abc\r\nword=abc\r\nsingle='q'\r\n[key 1]\r\nname=second\r\n"
            "[MISC]\r\nEnableColor=1\r\n");
  Win32PrivateProfile system;
  IniFileProfile portable;
  const std::wstring f = dir.File("a.ini");
  const wchar_t* keys[][2] = {{L"SET", L"x"},       {L"set", L"Y"},       {L"KEY 1", L"name"},
                              {L"KEY 1", L"code"},  {L"KEY 1", L"empty"}, {L"KEY 1", L"neg"},
                              {L"KEY 1", L"trail"}, {L"KEY 1", L"word"},  {L"KEY 1", L"single"},
                              {L"KEY 1", L"none"},  {L"NONE", L"x"},      {L"MISC", L"EnableColor"}};
  for (const auto& k : keys) {
    EXPECT_EQ(portable.GetString(k[0], k[1], L"dflt", 1000, f),
              system.GetString(k[0], k[1], L"dflt", 1000, f))
        << WideToUtf8(k[1]);
    EXPECT_EQ(portable.GetInt(k[0], k[1], 77, f), system.GetInt(k[0], k[1], 77, f)) << WideToUtf8(k[1]);
  }
  EXPECT_EQ(portable.GetString(L"KEY 1", L"name", L"", 3, f), system.GetString(L"KEY 1", L"name", L"", 3, f));

  // What one writes, the other reads.
  ASSERT_TRUE(system.WriteString(L"ARG", L"osd", L"0", dir.File("s.ini")));
  EXPECT_EQ(portable.GetInt(L"ARG", L"osd", 1, dir.File("s.ini")), 0u);
  ASSERT_TRUE(portable.WriteString(L"ARG", L"app0", L"C:\\x y.exe", dir.File("s.ini")));
  EXPECT_EQ(system.GetString(L"ARG", L"app0", L"", 1000, dir.File("s.ini")), L"C:\\x y.exe");
  EXPECT_EQ(system.GetString(L"ARG", L"osd", L"", 1000, dir.File("s.ini")), L"0");
}

TEST(ModelWin32Profile, PointerAccelerationSequence) {
  int saved[3] = {0, 0, 0};
  int savedSpeed = 0;
  if (!SystemParametersInfoW(SPI_GETMOUSE, 0, saved, 0) ||
      !SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &savedSpeed, 0)) {
    GTEST_SKIP() << "mouse parameters not available";
  }
  // Only the thresholds are checked: how the pointer speed is kept differs
  // between systems.
  int params[3];
  ApplyPointerAcceleration(true);
  SystemParametersInfoW(SPI_GETMOUSE, 0, params, 0);
  EXPECT_EQ(params[0], 0);
  EXPECT_EQ(params[2], 0);
  ApplyPointerAcceleration(false);  // off before: turned on
  SystemParametersInfoW(SPI_GETMOUSE, 0, params, 0);
  EXPECT_EQ(params[0], 4);
  EXPECT_EQ(params[1], 12);
  EXPECT_EQ(params[2], 2);
  SystemParametersInfoW(SPI_SETMOUSE, 0, saved, SPIF_UPDATEINIFILE);
  SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(savedSpeed)),
                        SPIF_UPDATEINIFILE);
}

TEST(ModelWin32Profile, LinkedProgramsAreNamedByTheirDescription) {
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  EXPECT_EQ(FileDescriptionOf(self), L"KORVEX pointrix mouse configuration");
  EXPECT_EQ(FileDescriptionOf(L"C:\\no\\such.exe"), L"");
  ModelTempDir dir;
  const std::wstring set = dir.File("set.ini");
  Win32PrivateProfile profile;
  ASSERT_TRUE(profile.WriteString(L"ARG", L"disable_acc", L"0", set));
  ASSERT_TRUE(profile.WriteString(L"ARG", L"app1", self, set));
  ASSERT_TRUE(profile.WriteString(L"ARG", L"app2", L"", set));
  ProgramSettings s = LoadProgramSettingsWin32(set);
  EXPECT_EQ(s.links[1].path, self);
  EXPECT_EQ(s.links[1].name, L"KORVEX pointrix mouse configuration");
  EXPECT_TRUE(s.links[2].path.empty());
  s.links[1].name = L"Me";
  ASSERT_TRUE(SaveProgramSettingsWin32(set, s));
  EXPECT_EQ(LoadProgramSettingsWin32(set).links[1].name, L"Me");
}

}  // namespace
