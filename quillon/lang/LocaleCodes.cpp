#include "quillon/lang/LocaleCodes.h"

#include <cwchar>

namespace {

struct LocaleRow {
  unsigned short langId;
  const wchar_t* code;
};

// Matched on the whole identifier. Some rows are not language_REGION (sk_K,
// gd, yi, ...) and several identifiers share a code; servers receive these
// texts as they are, so they stay as they are.
const LocaleRow kLocaleRows[] = {
    {0x0401, L"ar_SA"},  {0x0402, L"bg_BG"},  {0x0403, L"ca_ES"},  {0x0404, L"zh_TW"}, {0x0405, L"cs_CZ"},
    {0x0406, L"da_DK"},  {0x0407, L"de_DE"},  {0x0408, L"el_GR"},  {0x0409, L"en_US"}, {0x040A, L"es_ES"},
    {0x040B, L"fi_FI"},  {0x040C, L"fr_FR"},  {0x040D, L"he_IL"},  {0x040E, L"hu_HU"}, {0x040F, L"is_IS"},
    {0x0410, L"it_IT"},  {0x0411, L"ja_JP"},  {0x0412, L"ko_KR"},  {0x0413, L"nl_NL"}, {0x0414, L"no_NO"},
    {0x0415, L"pl_PL"},  {0x0416, L"pt_BR"},  {0x0417, L"rm_CH"},  {0x0418, L"ro_RO"}, {0x0419, L"ru_RU"},
    {0x041A, L"hr_HR"},  {0x041B, L"sk_K"},   {0x041C, L"sq_AL"},  {0x041D, L"sv_SE"}, {0x041E, L"th_TH"},
    {0x041F, L"tr_TR"},  {0x0420, L"ur_PK"},  {0x0421, L"id_ID"},  {0x0422, L"uk_UA"}, {0x0423, L"be_BY"},
    {0x0424, L"sl_SI"},  {0x0425, L"et_EE"},  {0x0426, L"lv_LV"},  {0x0427, L"lt_LT"}, {0x0428, L"tg_TJ"},
    {0x0429, L"fa_IR"},  {0x042A, L"vi_VN"},  {0x042B, L"hy_AM"},  {0x042C, L"az_AZ"}, {0x042D, L"eu_ES"},
    {0x042E, L"hsb_DE"}, {0x042F, L"mk_MK"},  {0x0430, L"nso_ZA"}, {0x0431, L"ts_TS"}, {0x0432, L"tn_ZA"},
    {0x0434, L"xh_ZA"},  {0x0435, L"zu_ZA"},  {0x0436, L"af_ZA"},  {0x0437, L"ka_GE"}, {0x0438, L"fo_FO"},
    {0x0439, L"hi_IN"},  {0x043A, L"mt_MT"},  {0x043B, L"se_FI"},  {0x043C, L"gd"},    {0x043D, L"yi"},
    {0x043E, L"ms_MY"},  {0x043F, L"kk_KZ"},  {0x0440, L"ky_KG"},  {0x0441, L"sw_KE"}, {0x0442, L"tk_TM"},
    {0x0443, L"uz_UZ"},  {0x0444, L"tt_RU"},  {0x0445, L"bn_IN"},  {0x0446, L"pa_IN"}, {0x0447, L"gu_IN"},
    {0x0448, L"or_IN"},  {0x0449, L"ta_IN"},  {0x044A, L"te_IN"},  {0x044B, L"kn_IN"}, {0x044C, L"ml_IN"},
    {0x044D, L"as_IN"},  {0x044E, L"mr_IN"},  {0x044F, L"sa_IN"},  {0x0450, L"mn_MN"}, {0x0451, L"bo_CN"},
    {0x0452, L"cy_GB"},  {0x0453, L"kh_KH"},  {0x0454, L"lo_LA"},  {0x0456, L"gl_ES"}, {0x0457, L"kok_IN"},
    {0x045A, L"syr_SY"}, {0x045B, L"si_LK"},  {0x045E, L"am_ET"},  {0x0460, L"ks_IN"}, {0x0461, L"ne_NP"},
    {0x0462, L"fy_NL"},  {0x0464, L"fil_PH"}, {0x0465, L"dv_MV"},  {0x0470, L"ig_NG"}, {0x0481, L"mi_NZ"},
    {0x0801, L"ar_IQ"},  {0x0804, L"zh_CN"},  {0x0807, L"de_CH"},  {0x0809, L"en_GB"}, {0x080A, L"es_MX"},
    {0x080C, L"fr_BE"},  {0x0810, L"it_CH"},  {0x0813, L"nl_BE"},  {0x0814, L"no_NO"}, {0x0816, L"pt_PT"},
    {0x0818, L"ro_MO"},  {0x0819, L"ru_MO"},  {0x081A, L"sr_SP"},  {0x081D, L"sv_FI"}, {0x0820, L"ur_IN"},
    {0x082C, L"az_AZ"},  {0x082E, L"dsb_DE"}, {0x083B, L"se_SE"},  {0x083C, L"gd_IE"}, {0x083E, L"ms_BN"},
    {0x0843, L"uz_UZ"},  {0x0845, L"bn_BN"},  {0x0850, L"mn_MN"},  {0x0C01, L"ar_EG"}, {0x0C04, L"zh_HK"},
    {0x0C07, L"de_AT"},  {0x0C09, L"en_AU"},  {0x0C0A, L"es_ES"},  {0x0C0C, L"fr_CA"}, {0x0C1A, L"sr_SP"},
    {0x0C3B, L"se_FI"},  {0x1001, L"ar_LY"},  {0x1004, L"zh_SG"},  {0x1007, L"de_LU"}, {0x1009, L"en_CA"},
    {0x100A, L"es_GT"},  {0x100C, L"fr_CH"},  {0x103B, L"smj_NO"}, {0x1401, L"ar_DZ"}, {0x1404, L"zh_MO"},
    {0x1407, L"de_LI"},  {0x1409, L"en_NZ"},  {0x140A, L"es_CR"},  {0x140C, L"fr_LU"}, {0x141A, L"bs_BA"},
    {0x143B, L"smj_SE"}, {0x1801, L"ar_MA"},  {0x1809, L"en_IE"},  {0x180A, L"es_PA"}, {0x180C, L"fr_MC"},
    {0x183B, L"sma_NO"}, {0x1C01, L"ar_TN"},  {0x1C09, L"en_ZA"},  {0x1C0A, L"es_DO"}, {0x1C0C, L"fr_FR"},
    {0x1C3B, L"sma_SE"}, {0x2001, L"ar_OM"},  {0x2009, L"en_JM"},  {0x200A, L"es_VE"}, {0x203B, L"sms_FI"},
    {0x2401, L"ar_YE"},  {0x2409, L"en_CB"},  {0x240A, L"es_CO"},  {0x240C, L"fr_FR"}, {0x243B, L"smn_FI"},
    {0x2801, L"ar_SY"},  {0x2809, L"en_BZ"},  {0x280A, L"es_PE"},  {0x280C, L"fr_SN"}, {0x2C01, L"ar_JO"},
    {0x2C09, L"en_TT"},  {0x2C0A, L"es_AR"},  {0x2C0C, L"fr_FR"},  {0x3001, L"ar_LB"}, {0x3009, L"en_ZW"},
    {0x300A, L"es_EC"},  {0x300C, L"fr_FR"},  {0x3401, L"ar_KW"},  {0x3409, L"en_PH"}, {0x340A, L"es_CL"},
    {0x340C, L"fr_FR"},  {0x3801, L"ar_AE"},  {0x380A, L"es_UY"},  {0x380C, L"fr_MA"}, {0x3C01, L"ar_BH"},
    {0x3C0A, L"es_PY"},  {0x4001, L"ar_QA"},  {0x4009, L"en_IN"},  {0x400A, L"es_BO"}, {0x440A, L"es_SV"},
    {0x480A, L"es_HN"},  {0x4C0A, L"es_NI"},  {0x500A, L"es_PR"},  {0x540A, L"es_US"},
};

}  // namespace

size_t LocaleCodeCount() { return sizeof(kLocaleRows) / sizeof(kLocaleRows[0]); }

std::wstring LocaleCodeForLangId(unsigned langId) {
  for (const LocaleRow& row : kLocaleRows)
    if (row.langId == langId) return row.code;
  wchar_t text[16];
  swprintf(text, 16, L"[%X]", langId);
  return text;
}
