#include <gtest/gtest.h>

#include "model_sim_fixture.h"
#include "model_temp_dir.h"
#include "pointrix/macros/ArchiveString.h"
#include "pointrix/model/BackupFile.h"

using namespace pointrix;

namespace {

struct BackupTest : ModelSimFixture {
  ModelTempDir dir;
  int Commits() const {
    int n = 0;
    for (const DeviceReport& r : Sent()) n += r[1] == 0x05 && r[2] == 0x02;
    return n;
  }
  int Writes() const {
    int n = 0;
    for (const DeviceReport& r : Sent()) n += r[1] == 0x09 || (r[1] == 0x05 && r[2] != 0x00);
    return n;
  }
};

std::vector<uint8_t> Backup(const std::wstring& magic, int32_t n, size_t imageBytes, uint8_t fill) {
  ArchiveWriter out;
  out.WriteString(magic);
  out.WriteI32(n);
  std::vector<uint8_t> image(imageBytes, fill);
  out.WriteBytes(image.data(), image.size());
  return out.Bytes();
}

TEST_F(BackupTest, SavesTheWholeMemoryOfAnEightKiloByteMouse) {
  auto config = simmouse::StandardMouse(1);
  config.memorySize = 8 * 1024;
  Use(config);
  Poke(5000, {1, 2, 3});
  model.ReadDeviceSettings();
  std::vector<double> progress;
  ASSERT_EQ(SaveBackup(model, dir.File("m.bf"), [&](double f) { progress.push_back(f); }), BackupStatus::kOk);
  std::vector<uint8_t> file = dir.Read("m.bf");
  ASSERT_EQ(file.size(), 22u + 8192);
  const std::vector<uint8_t> header = {0xFF, 0xFE, 0xFF, 7,   '_', 0,   '@', 0,    '_',  0,    'B',
                                       0,    'F',  0,    '6', 0,   '_', 0,   0x00, 0x20, 0x00, 0x00};
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  const std::vector<uint8_t> memory = Memory();
  EXPECT_TRUE(std::equal(memory.begin(), memory.end(), file.begin() + 22));
  EXPECT_EQ(file[22 + 5001], 2);
  EXPECT_EQ(progress.size(), 1171u + 1);  // ceil(8192 / 7) requests, then the end
  EXPECT_EQ(progress.back(), 1.0);
}

TEST_F(BackupTest, LoadWritesPiecesThenReloadsAndRereads) {
  model.ReadDeviceSettings();
  std::vector<uint8_t> image(2048, 0);
  image[mem::ProfileName(0)] = 'Z';
  image[2047] = 0x5C;
  dir.Write("r.bf", EncodeBackup(image));
  hub.ClearLog(id);
  ASSERT_EQ(LoadBackup(model, dir.File("r.bf")), BackupStatus::kOk);
  EXPECT_EQ(Commits(), 64);
  EXPECT_EQ(Memory()[2047], 0x5C);
  const std::vector<DeviceReport> sent = Sent();
  size_t reload = 0;
  for (size_t i = 0; i < sent.size(); ++i) {
    if (sent[i][1] == 0x08 && sent[i][2] == 0x00) reload = i;
  }
  ASSERT_GT(reload, 0u);
  for (size_t i = reload; i < sent.size(); ++i) EXPECT_FALSE(sent[i][1] == 0x05 && sent[i][2] == 0x02);
  EXPECT_EQ(model.Snapshot().profiles[0].name, L"Z");  // read again
}

TEST_F(BackupTest, RefusedFilesWriteNothing) {
  model.ReadDeviceSettings();
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    BackupStatus status;
  } cases[] = {
      {"bf5.bf", Backup(L"_@_BF5_", 64, 64, 1), BackupStatus::kInvalidFormat},
      {"short.bf", Backup(kBackupMagic, 4096, 100, 1), BackupStatus::kInvalidFormat},
      {"huge.bf", Backup(kBackupMagic, 65537, 65537, 1), BackupStatus::kInvalidFormat},
      {"cut.bf", std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 7, '_', 0}, BackupStatus::kInvalidFormat},
      {"empty.bf", {}, BackupStatus::kInvalidFormat},
      {"zero.bf", Backup(kBackupMagic, 0, 0, 0), BackupStatus::kFailed},
      {"negative.bf", Backup(kBackupMagic, -5, 10, 0), BackupStatus::kFailed},
  };
  const std::vector<uint8_t> before = Memory();
  for (const Case& c : cases) {
    dir.Write(c.name, c.bytes);
    hub.ClearLog(id);
    EXPECT_EQ(LoadBackup(model, dir.File(c.name)), c.status) << c.name;
    EXPECT_EQ(Writes(), 0) << c.name;
  }
  EXPECT_EQ(LoadBackup(model, dir.File("missing.bf")), BackupStatus::kFailed);
  EXPECT_EQ(Memory(), before);
}

TEST_F(BackupTest, EightBitMagicAndFullSizeImageAreAccepted) {
  std::vector<uint8_t> file = {7, '_', '@', '_', 'B', 'F', '6', '_', 4, 0, 0, 0, 9, 8, 7, 6};
  std::vector<uint8_t> image;
  ASSERT_EQ(DecodeBackup(file, image), BackupStatus::kOk);
  EXPECT_EQ(image, (std::vector<uint8_t>{9, 8, 7, 6}));
  ASSERT_EQ(DecodeBackup(Backup(kBackupMagic, 65536, 65536, 3), image), BackupStatus::kOk);
  EXPECT_EQ(image.size(), 65536u);
  EXPECT_EQ(BackupFileName(L"2014-03-07"), L"mouse_2014-03-07");
}

}  // namespace
