#include <gtest/gtest.h>

#include "model_temp_dir.h"
#include "pointrix/macros/ArchiveString.h"
#include "pointrix/macros/MacroFile.h"

using namespace pointrix;

namespace {

std::vector<uint8_t> Version61(const std::wstring& name, int32_t runType, const std::vector<uint8_t>& code,
                               int32_t declaredLength = -1) {
  ArchiveWriter out;
  out.WriteString(kMacroFileMagic61);
  out.WriteI64(1394150400);
  out.WriteString(name);
  out.WriteI32(runType);
  out.WriteU32(
      static_cast<uint32_t>(declaredLength < 0 ? static_cast<int32_t>(code.size()) : declaredLength));
  out.WriteBytes(code.data(), code.size());
  return out.Bytes();
}

const std::vector<uint8_t> kCode = {0x04, 0x83, 0x06, 0x88, 0x32, 0x84, 0x06, 0x7F};

TEST(MacrosFile, WritesVersion62AndReadsItBack) {
  ModelTempDir dir;
  std::vector<_MACRO_ITEM_> items = SplitMacroCode(kCode.data(), kCode.size());
  ASSERT_TRUE(WriteMacroFile(dir.File("m.mf"), L"  copy  ", 9, items));
  std::vector<uint8_t> bytes = dir.Read("m.mf");
  // Magic, empty reserved string, 8-byte time, name, run type, N, code.
  ASSERT_EQ(bytes.size(), 4u + 18 + 4 + 8 + 4 + 8 + 4 + 4 + kCode.size());
  EXPECT_EQ(bytes[22], 0xFF);
  EXPECT_EQ(bytes[25], 0x00);  // reserved text is empty
  EXPECT_TRUE(std::equal(kCode.begin(), kCode.end(), bytes.end() - static_cast<long>(kCode.size())));

  Macro m;
  ASSERT_EQ(ReadMacroFile(dir.File("m.mf"), m), MacroFileStatus::kOk);
  EXPECT_EQ(m.name, L"copy");
  EXPECT_EQ(m.runType, 9);
  EXPECT_EQ(m.path, dir.File("m.mf"));
  EXPECT_EQ(SerializeMacroCode(m.items), kCode);
  for (const _MACRO_ITEM_& item : m.items) EXPECT_EQ(item.stamp, 0u);

  MacroFileHeader h;
  ASSERT_EQ(ReadMacroFileHeader(dir.File("m.mf"), h), MacroFileStatus::kOk);
  EXPECT_EQ(h.version, 62);
  EXPECT_EQ(h.codeLength, kCode.size());
  EXPECT_GT(h.saveTime, 1600000000);
}

TEST(MacrosFile, Version61LoadsLikeItsTwinAndRenamingConvertsIt) {
  ModelTempDir dir;
  dir.Write("old.MF", Version61(L"paste", 10, kCode));
  Macro m61;
  ASSERT_EQ(ReadMacroFile(dir.File("old.MF"), m61), MacroFileStatus::kOk);
  ASSERT_TRUE(WriteMacroFile(dir.File("new.mf"), L"paste", 10, m61.items));
  Macro m62;
  ASSERT_EQ(ReadMacroFile(dir.File("new.mf"), m62), MacroFileStatus::kOk);
  EXPECT_EQ(m61.name, m62.name);
  EXPECT_EQ(m61.runType, m62.runType);
  EXPECT_EQ(SerializeMacroCode(m61.items), SerializeMacroCode(m62.items));

  ASSERT_EQ(RenameMacroEntry(dir.File("old.MF"), L"renamed"), MacroFileStatus::kOk);
  MacroFileHeader h;
  ASSERT_EQ(ReadMacroFileHeader(dir.File("old.MF"), h), MacroFileStatus::kOk);
  EXPECT_EQ(h.version, 62);
  EXPECT_EQ(h.name, L"renamed");
  EXPECT_EQ(h.runType, 10);
  Macro again;
  ASSERT_EQ(ReadMacroFile(dir.File("old.MF"), again), MacroFileStatus::kOk);
  EXPECT_EQ(SerializeMacroCode(again.items), kCode);
}

TEST(MacrosFile, CodeBlockEndsAtZero) {
  ModelTempDir dir;
  dir.Write("a.mf", Version61(L"a", 8, {0x00, 0x83, 0x04}));
  dir.Write("b.mf", Version61(L"b", 8, {0x83, 0x04, 0x00, 0x84, 0x04}));
  Macro a, b;
  ASSERT_EQ(ReadMacroFile(dir.File("a.mf"), a), MacroFileStatus::kOk);
  EXPECT_TRUE(a.items.empty());
  ASSERT_EQ(ReadMacroFile(dir.File("b.mf"), b), MacroFileStatus::kOk);
  EXPECT_EQ(b.items.size(), 1u);
}

TEST(MacrosFile, Refusals) {
  ModelTempDir dir;
  std::vector<uint8_t> wrongMagic = Version61(L"x", 8, kCode);
  wrongMagic[4 + 2 * 7] = '2';  // "_@_MF6.2_" without the reserved string is still wrong
  dir.Write("magic.mf", wrongMagic);
  std::vector<uint8_t> bf;
  {
    ArchiveWriter out;
    out.WriteString(L"_@_BF6_");
    bf = out.Bytes();
  }
  dir.Write("backup.mf", bf);
  dir.Write("long.mf", Version61(L"x", 8, kCode, 0x7FFFFFF0));  // N larger than the file
  std::vector<uint8_t> cut = Version61(L"name", 8, kCode);
  cut.resize(30);
  dir.Write("cut.mf", cut);
  dir.Write("short.mf", std::string("\xFF\xFE\xFF"));
  dir.Write("other.txt", Version61(L"x", 8, kCode));

  struct Case {
    const char* file;
    MacroFileStatus read, header;
  } cases[] = {
      {"magic.mf", MacroFileStatus::kInvalidFormat, MacroFileStatus::kInvalidFormat},
      {"backup.mf", MacroFileStatus::kInvalidFormat, MacroFileStatus::kInvalidFormat},
      {"long.mf", MacroFileStatus::kInvalidFormat, MacroFileStatus::kInvalidFormat},
      {"cut.mf", MacroFileStatus::kInvalidFormat, MacroFileStatus::kInvalidFormat},
      {"short.mf", MacroFileStatus::kInvalidFormat, MacroFileStatus::kFailed},
      {"missing.mf", MacroFileStatus::kFailed, MacroFileStatus::kFailed},
      {"other.txt", MacroFileStatus::kFailed, MacroFileStatus::kOk},
  };
  for (const Case& c : cases) {
    Macro m;
    MacroFileHeader h;
    EXPECT_EQ(ReadMacroFile(dir.File(c.file), m), c.read) << c.file;
    EXPECT_EQ(ReadMacroFileHeader(dir.File(c.file), h), c.header) << c.file;
  }
  // A failed rename leaves the file as it was.
  EXPECT_EQ(RenameMacroEntry(dir.File("long.mf"), L"y"), MacroFileStatus::kInvalidFormat);
  EXPECT_EQ(dir.Read("long.mf"), Version61(L"x", 8, kCode, 0x7FFFFFF0));
  EXPECT_EQ(RenameMacroEntry(dir.File("other.txt"), L"y"), MacroFileStatus::kFailed);
}

TEST(MacrosFile, RenamesFolders) {
  ModelTempDir dir;
  std::filesystem::create_directory(dir.Path() / "lib");
  dir.Write("lib/in.mf", Version61(L"x", 8, kCode));
  ASSERT_EQ(RenameMacroEntry(dir.File("lib"), L"games"), MacroFileStatus::kOk);
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "games" / "in.mf"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "lib"));
}

TEST(MacrosFile, ExportName) {
  EXPECT_EQ(MacroExportFileName(L"a/b:c", L"2014-03-07"), L"a_b_c_2014-03-07");
  EXPECT_EQ(MacroExportFileName(L"\\\"<>|?*", L"d"), L"________d");
  EXPECT_EQ(TodayDateText().size(), 10u);
}

}  // namespace
