#include <gtest/gtest.h>

#include "quillon/services/ComputerIdentity.h"
#include "quillon/services/Md5.h"

namespace {

class FakePlace : public IdentityPlace {
 public:
  explicit FakePlace(bool writable, std::wstring stored = L"") : writable_(writable), stored_(stored) {}
  std::wstring Read() override {
    ++reads;
    return stored_;
  }
  bool Write(const std::wstring& id) override {
    ++writes;
    if (writable_) stored_ = id;
    return writable_;
  }
  std::wstring stored() const { return stored_; }
  int reads = 0;
  int writes = 0;

 private:
  bool writable_;
  std::wstring stored_;
};

TEST(ComputerIdentityTest, StoredIdentityIsReturnedUnchangedFromTheFirstPlaceThatHasOne) {
  FakePlace first(true), second(true, L"not-hex"), third(true, L"other");
  int seeds = 0;
  auto seed = [&seeds] {
    ++seeds;
    return std::wstring(L"seed");
  };
  EXPECT_EQ(L"not-hex", ObtainComputerId({&first, &second, &third}, seed));
  EXPECT_EQ(0, seeds);
  EXPECT_EQ(0, third.reads);
  EXPECT_EQ(0, first.writes + second.writes + third.writes);
}

TEST(ComputerIdentityTest, NewIdentityGoesToTheFirstWritablePlaceAndIsReadBack) {
  FakePlace first(false), second(false), third(true);
  std::wstring id = ObtainComputerId({&first, &second, &third}, [] { return std::wstring(L"seed"); });
  EXPECT_EQ(Md5Hex("seed"), id);
  EXPECT_EQ(id, third.stored());
  EXPECT_EQ(1, first.writes);
  EXPECT_EQ(1, second.writes);
  EXPECT_EQ(id, ObtainComputerId({&first, &second, &third}, [] { return std::wstring(L"other seed"); }));

  FakePlace none1(false), none2(false);
  std::wstring unkept = ObtainComputerId({&none1, &none2}, [] { return std::wstring(L"x"); });
  EXPECT_EQ(32u, unkept.size());
  EXPECT_EQ(L"", none1.stored());
}

TEST(ComputerIdentityTest, SeedTextAndDigestForm) {
  const unsigned char mac[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
  EXPECT_EQ(L"00:1A:2B:3C:4D:5E", FormatMacAddress(mac));
  EXPECT_EQ(L"00:1A:2B:3C:4D:5EBFEBFBFF000306A91700000000_123",
            ComputerIdSeed(FormatMacAddress(mac), 0xBFEBFBFF, 0x000306A9, 1700000000LL, 123));
  EXPECT_EQ(L"SOMEWHERE0000000100000002-1_-1", ComputerIdSeed(L"", 1, 2, -1, 0xFFFFFFFF));
  // The seed is hashed as UTF-8.
  EXPECT_EQ(Md5Hex("\xC3\xA9"), ComputerIdFromSeed(L"\u00E9"));
}

}  // namespace
