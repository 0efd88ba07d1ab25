#include <gtest/gtest.h>

#include "quillon/ui/win32/Button.h"
#include "quillon/ui/win32/ImageCtrl.h"
#include "quillon/ui/win32/ImageStore.h"
#include "ui_skin_support.h"

using skin_test::Canvas;

class SkinImages : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ImageStoreStartup()); }
  void TearDown() override { ImageStoreShutdown(); }
  HMODULE Self() const { return ::GetModuleHandleW(nullptr); }
};

TEST_F(SkinImages, EveryPictureOfTheSkinLoadsWithItsSize) {
  struct Case {
    int id, width, height;
  } cases[] = {{133, 690, 522}, {135, 260, 208}, {145, 600, 40}, {146, 360, 106}, {147, 170, 19},
               {148, 170, 19},  {149, 11, 11},   {150, 11, 52},  {151, 11, 11}};
  for (const auto& c : cases) {
    CMrImage* image = LoadStoredImage(Self(), c.id, L"PNG");
    ASSERT_NE(image, nullptr) << c.id;
    EXPECT_FALSE(image->IsInvalid()) << c.id;
    EXPECT_EQ(image->GetWidth(), c.width) << c.id;
    EXPECT_EQ(image->GetHeight(), c.height) << c.id;
  }
  EXPECT_FALSE(IsInvalid(LoadStoredImage(Self(), 136, L"PNG")));
  EXPECT_FALSE(IsInvalid(LoadStoredImage(Self(), 141, L"PNG")));
  EXPECT_FALSE(IsInvalid(LoadStoredImage(Self(), 142, L"PNG")));
}

TEST_F(SkinImages, StoreDecodesOnceAndKeepsFailures) {
  CMrImage* first = LoadStoredImage(Self(), 147, L"PNG");
  size_t size = ImageStoreSize();
  EXPECT_EQ(LoadStoredImage(Self(), 147, L"PNG"), first);
  EXPECT_EQ(ImageStoreSize(), size);

  CMrImage* missing = LoadStoredImage(Self(), 9999, L"PNG");
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->IsInvalid());
  EXPECT_EQ(missing->GetWidth(), 0);
  EXPECT_EQ(LoadStoredImage(Self(), 9999, L"PNG"), missing);  // not retried
  Canvas canvas(20, 20, 0xFFFFFF);
  EXPECT_FALSE(missing->DrawAt(canvas.Dc(), 0, 0));
  EXPECT_FALSE(missing->DrawNinePart(canvas.Dc(), 0, 0, 20, 20, 1, 1, 1, 1, 1.0));
  EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFFFFu);

  CMrImage* crop = CropImage(first, 0, 0, 85, 19);
  EXPECT_EQ(crop->GetWidth(), 85);
  EXPECT_EQ(CropImage(first, 0, 0, 85, 19), crop);
  EXPECT_NE(CropImage(first, 0, 0, 84, 19), crop);
  EXPECT_TRUE(CropImage(first, 100, 0, 85, 19)->IsInvalid());  // outside the picture
}

TEST_F(SkinImages, FilePicturesAreKeyedByPath) {
  std::wstring path = skin_test::WritePng(30, 20, 0xFF00FF00);
  ASSERT_FALSE(path.empty());
  CMrImage* image = LoadStoredImage(path.c_str());
  ASSERT_FALSE(IsInvalid(image));
  EXPECT_EQ(image->GetWidth(), 30);
  EXPECT_EQ(LoadStoredImage(path.c_str()), image);
  // The pixels were copied: the file can go at once.
  EXPECT_TRUE(::DeleteFileW(path.c_str()));
  EXPECT_EQ(image->PixelAt(3, 3), 0xFF00FF00u);
  EXPECT_TRUE(LoadStoredImage(L"C:\\no\\such\\picture.png")->IsInvalid());
}

TEST_F(SkinImages, DrawingBlendsWithOpacityAndNinePartsFillTheArea) {
  std::wstring path = skin_test::WritePng(10, 10, 0xFFFF0000);  // opaque red
  CMrImage* red = LoadStoredImage(path.c_str());
  ::DeleteFileW(path.c_str());
  ASSERT_FALSE(IsInvalid(red));
  Canvas canvas(60, 40, 0xFFFFFF);
  EXPECT_TRUE(red->DrawAt(canvas.Dc(), 0, 0));
  EXPECT_EQ(canvas.Pixel(5, 5), 0xFF0000u);
  EXPECT_EQ(canvas.Pixel(15, 5), 0xFFFFFFu);
  EXPECT_TRUE(red->DrawStretched(canvas.Dc(), 20, 0, 10, 10, 0, 0, 10, 10, 0.5));
  uint32_t half = canvas.Pixel(25, 5);
  EXPECT_EQ(half >> 16, 0xFFu);
  EXPECT_NEAR(static_cast<int>((half >> 8) & 0xFF), 127, 3);  // white half covered
  EXPECT_TRUE(red->DrawNinePart(canvas.Dc(), 0, 20, 60, 40, 3, 3, 3, 3, 1.0));
  for (int x : {0, 30, 59}) {
    for (int y : {20, 30, 39}) EXPECT_EQ(canvas.Pixel(x, y), 0xFF0000u) << x << "," << y;
  }
  EXPECT_TRUE(red->HasCachedDib());
}

TEST_F(SkinImages, ButtonStripNeedsFourEqualBands) {
  skin_test::ParentLog log;
  HWND parent = skin_test::MakeParent(&log);
  std::wstring good = skin_test::WritePng(200, 100, 0xFF3080F0);
  std::wstring bad = skin_test::WritePng(200, 102, 0xFF3080F0);
  {
    CMrCtrl_Button button;
    ASSERT_TRUE(button.Create(RECT{10, 10, 210, 35}, parent, 100));
    EXPECT_TRUE(button.SetImageStrip(good));
    EXPECT_EQ(button.GetPreferredHeight(), 25);
    EXPECT_FALSE(button.SetImageStrip(bad));
    EXPECT_EQ(button.GetPreferredHeight(), 0);
    EXPECT_TRUE(button.SetImageStrip(135));
    EXPECT_EQ(button.GetPreferredHeight(), 52);
  }
  ::DeleteFileW(good.c_str());
  ::DeleteFileW(bad.c_str());
  ::DestroyWindow(parent);
}

TEST_F(SkinImages, ImageControlInModeFourTakesThePictureSize) {
  skin_test::ParentLog log;
  HWND parent = skin_test::MakeParent(&log);
  std::wstring path = skin_test::WritePng(57, 40, 0xFF202020);
  {
    CMrCtrl_Image image;
    ASSERT_TRUE(image.Create(RECT{30, 40, 130, 140}, parent, 101));
    EXPECT_TRUE(image.SetImage(path));
    EXPECT_EQ(image.GetWidth(), 57);
    EXPECT_EQ(image.GetHeight(), 40);
    EXPECT_EQ(image.GetLeft(), 30);
    EXPECT_EQ(image.GetTop(), 40);
    RECT client;
    ::GetClientRect(image.GetHwnd(), &client);
    EXPECT_EQ(client.right, 57);
    // A later resize snaps back to the picture.
    image.Move(nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(image.GetWidth(), 57);
    // Centred mode keeps the control's size.
    image.SetPlacement(kPlaceCentre);
    image.Move(nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(image.GetWidth(), 100);
    EXPECT_FALSE(image.SetImage(9999));
  }
  ::DeleteFileW(path.c_str());
  ::DestroyWindow(parent);
}
