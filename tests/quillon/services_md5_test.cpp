#include <gtest/gtest.h>

#include <string>

#include "quillon/services/Md5.h"

namespace {

TEST(Md5Test, Rfc1321TestSuite) {
  struct Case {
    const char* input;
    const wchar_t* digest;
  } cases[] = {
      {"", L"d41d8cd98f00b204e9800998ecf8427e"},
      {"a", L"0cc175b9c0f1b6a831c399e269772661"},
      {"abc", L"900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", L"f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", L"d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       L"57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.digest, Md5Hex(c.input)) << c.input;
}

TEST(Md5Test, PiecewiseUpdatesMatchOneUpdateAcrossBlockEdges) {
  std::string data;
  for (int i = 0; i < 300; ++i) data += static_cast<char>(i * 7);
  for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 300u}) {
    std::string part = data.substr(0, length);
    Md5 pieces;
    for (size_t at = 0; at < part.size(); at += 13)
      pieces.Update(part.data() + at, std::min<size_t>(13, part.size() - at));
    Md5 whole;
    whole.Update(part.data(), part.size());
    EXPECT_EQ(whole.Final(), pieces.Final()) << length;
  }
}

}  // namespace
