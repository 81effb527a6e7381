#include "app/controls/picture_control.h"

#include <gtest/gtest.h>

#include "system/gdi_handles.h"
#include "tests/windows/app/test_window.h"

namespace tidemark {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// An image made of four equal quarters: red, green / blue, white.
RgbImage Quarters(int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2;
      const bool lower = y >= height / 2;
      const COLORREF colour = lower ? (right ? kWhite : kBlue) : (right ? kGreen : kRed);
      image.pixels.push_back(GetRValue(colour));
      image.pixels.push_back(GetGValue(colour));
      image.pixels.push_back(GetBValue(colour));
    }
  }
  return image;
}

// What the picture paints, read back pixel by pixel.
class Painted {
 public:
  explicit Painted(HWND picture) {
    RECT area;
    GetClientRect(picture, &area);
    WindowDc screen(nullptr);
    dc_ = CreateCompatibleDC(screen.get());
    bitmap_.Reset(CreateCompatibleBitmap(screen.get(), area.right, area.bottom));
    previous_ = SelectObject(dc_, bitmap_.get());
    SendMessageA(picture, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  ~Painted() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_ = nullptr;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

HWND CreatePicture(HWND parent, DWORD style, int width, int height) {
  return CreateWindowExA(0, kPictureClass, "", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height,
                         parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(PictureControl, StretchedImageFillsTheWholeControl) {
  testing::TestWindow window;
  HWND picture = CreatePicture(window.handle(), kPictureStretch, 128, 296);
  SetPictureImage(picture, Quarters(20, 10));
  const Painted painted(picture);
  EXPECT_EQ(painted.At(5, 5), kRed);
  EXPECT_EQ(painted.At(122, 5), kGreen);
  EXPECT_EQ(painted.At(5, 290), kBlue);
  EXPECT_EQ(painted.At(122, 290), kWhite);
}

TEST(PictureControl, LargerImageIsClippedToItsTopLeftCorner) {
  testing::TestWindow window;
  HWND picture = CreatePicture(window.handle(), kPictureBlackBackground, 32, 32);
  SetPictureImage(picture, Quarters(48, 48));  // quarters of 24 x 24
  const Painted painted(picture);
  EXPECT_EQ(painted.At(0, 0), kRed);
  EXPECT_EQ(painted.At(23, 23), kRed);
  EXPECT_EQ(painted.At(31, 0), kGreen);
  EXPECT_EQ(painted.At(0, 31), kBlue);
  EXPECT_EQ(painted.At(31, 31), kWhite);
}

TEST(PictureControl, SmallerImageSitsTopLeftOnTheBackground) {
  testing::TestWindow window;
  HWND picture = CreatePicture(window.handle(), kPictureBlackBackground, 32, 32);
  SetPictureImage(picture, Quarters(16, 16));
  const Painted painted(picture);
  EXPECT_EQ(painted.At(0, 0), kRed);
  EXPECT_EQ(painted.At(15, 15), kWhite);
  EXPECT_EQ(painted.At(16, 0), RGB(0, 0, 0));
  EXPECT_EQ(painted.At(0, 16), RGB(0, 0, 0));
  EXPECT_EQ(painted.At(31, 31), RGB(0, 0, 0));
}

TEST(PictureControl, ClearingTheImageShowsOnlyTheBackground) {
  testing::TestWindow window;
  HWND picture = CreatePicture(window.handle(), kPictureBlackBackground, 32, 32);
  SetPictureImage(picture, Quarters(16, 16));
  SetPictureImage(picture, RgbImage{});
  EXPECT_FALSE(PictureHasImage(picture));
  const Painted painted(picture);
  EXPECT_EQ(painted.At(0, 0), RGB(0, 0, 0));
}

}  // namespace
}  // namespace tidemark
