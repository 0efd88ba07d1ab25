#include <gtest/gtest.h>

#include "quillon/lang/ProductFolder.h"

namespace {

TEST(ProductFolderTest, ProductNameElseProgramNameElseFallback) {
  struct Case {
    const wchar_t* product;
    const wchar_t* program;
    const wchar_t* folder;
  } cases[] = {
      {L"quillon", L"C:\\dir\\other.exe", L"quillon"},
      {L"PC Health Check", L"C:\\dir\\q.exe", L"PC_Health_Check"},
      {L"TODO: <Product name>", L"C:\\dir\\quillon.exe", L"quillon"},
      {L"", L"C:\\my.dir\\quillon.setup.exe", L"quillon.setup"},
      {L"", L"C:\\my.dir\\quillon", L"quillon"},
      {L"", L"C:\\dir\\.exe", L"brivaneproduct"},
      {L"", L"", L"brivaneproduct"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.folder, ProductFolderName(c.product, c.program)) << c.program;
}

}  // namespace
