#include <gtest/gtest.h>

#include "quillon/lang/LocaleCodes.h"

namespace {

TEST(LocaleCodesTest, RowsOffThePatternAndSharedCodes) {
  struct Case {
    unsigned langId;
    const wchar_t* code;
  } cases[] = {
      {0x0407, L"de_DE"}, {0x0409, L"en_US"}, {0x0416, L"pt_BR"},  {0x0816, L"pt_PT"},  {0x0804, L"zh_CN"},
      {0x041B, L"sk_K"},  {0x043C, L"gd"},    {0x043D, L"yi"},     {0x0430, L"nso_ZA"}, {0x0431, L"ts_TS"},
      {0x0453, L"kh_KH"}, {0x0845, L"bn_BN"}, {0x2409, L"en_CB"},  {0x0818, L"ro_MO"},  {0x0819, L"ru_MO"},
      {0x081A, L"sr_SP"}, {0x0C1A, L"sr_SP"}, {0x0414, L"no_NO"},  {0x0814, L"no_NO"},  {0x040A, L"es_ES"},
      {0x0C0A, L"es_ES"}, {0x040C, L"fr_FR"}, {0x1C0C, L"fr_FR"},  {0x240C, L"fr_FR"},  {0x2C0C, L"fr_FR"},
      {0x300C, L"fr_FR"}, {0x340C, L"fr_FR"}, {0x043B, L"se_FI"},  {0x0C3B, L"se_FI"},  {0x042C, L"az_AZ"},
      {0x082C, L"az_AZ"}, {0x0443, L"uz_UZ"}, {0x0843, L"uz_UZ"},  {0x0450, L"mn_MN"},  {0x0850, L"mn_MN"},
      {0x0481, L"mi_NZ"}, {0x540A, L"es_US"}, {0x042E, L"hsb_DE"}, {0x0457, L"kok_IN"}, {0x143B, L"smj_SE"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.code, LocaleCodeForLangId(c.langId)) << std::hex << c.langId;
}

TEST(LocaleCodesTest, UnlistedIdentifiersGiveTheHexForm) {
  EXPECT_EQ(L"[433]", LocaleCodeForLangId(0x0433));
  EXPECT_EQ(L"[0]", LocaleCodeForLangId(0));
  EXPECT_EQ(L"[7]", LocaleCodeForLangId(0x0007));  // neutral German is not in the table
  EXPECT_EQ(L"[FFFF]", LocaleCodeForLangId(0xFFFF));
  EXPECT_EQ(L"[1C09A]", LocaleCodeForLangId(0x1C09A));  // matched on the whole value
  EXPECT_EQ(189u, LocaleCodeCount());
}

}  // namespace
