#include "app/window/fonts.h"

#include <gtest/gtest.h>

#include <vector>

#include "system/screen_dpi.h"

namespace tidemark {
namespace {

TEST(FontChoice, UsesTheUiFontAtNinePointsOnlyWhenInstalled) {
  std::vector<std::string> asked;
  const FontChoice with = ChooseWindowFont([&](const std::string& name) {
    asked.push_back(name);
    return true;
  });
  EXPECT_EQ(with.face, "Segoe UI");
  EXPECT_EQ(with.pixel_height, 12);  // 9 points at 96 pixels per inch
  EXPECT_EQ(asked, std::vector<std::string>{"Segoe UI"});

  const FontChoice without = ChooseWindowFont([](const std::string&) { return false; });
  EXPECT_EQ(without.face, "Tahoma");
  EXPECT_EQ(without.pixel_height, 11);
}

int CALLBACK TakeFirstFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM name) {
  *reinterpret_cast<std::string*>(name) = font->lfFaceName;
  return 0;
}

// Some family that this system has, whatever it is called.
std::string AnyInstalledFamily() {
  std::string name;
  LOGFONTA all = {};
  all.lfCharSet = DEFAULT_CHARSET;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &all, TakeFirstFamily, reinterpret_cast<LPARAM>(&name), 0);
  ReleaseDC(nullptr, screen);
  return name;
}

std::string SwapCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

TEST(FontChoice, FindsInstalledFamiliesWithoutRegardToCase) {
  const std::string installed = AnyInstalledFamily();
  ASSERT_GT(installed.size(), 1u);
  EXPECT_TRUE(FontFamilyInstalled(installed));
  EXPECT_TRUE(FontFamilyInstalled(SwapCase(installed)));
  // A prefix of an installed name is not that name.
  EXPECT_FALSE(FontFamilyInstalled(installed.substr(0, installed.size() - 1)));
  EXPECT_FALSE(FontFamilyInstalled("Tidemark No Such Family"));
  EXPECT_FALSE(FontFamilyInstalled(""));
}

TEST(FontChoice, CreatesRegularAndBoldFontsOfTheChosenHeight) {
  const WindowFonts fonts = CreateWindowFonts(DesignFont(), kDesignDpi);
  ASSERT_TRUE(fonts.regular);
  ASSERT_TRUE(fonts.bold);
  LOGFONTA regular = {}, bold = {};
  GetObjectA(fonts.regular.get(), sizeof(regular), &regular);
  GetObjectA(fonts.bold.get(), sizeof(bold), &bold);
  EXPECT_STREQ(regular.lfFaceName, "Tahoma");
  EXPECT_EQ(regular.lfHeight, -11);
  EXPECT_EQ(regular.lfWeight, FW_NORMAL);
  EXPECT_EQ(bold.lfHeight, -11);
  EXPECT_EQ(bold.lfWeight, FW_BOLD);
}

TEST(FontChoice, KeepsItsPointSizeAtEveryDpi) {
  const struct {
    int dpi;
    int height;
  } kCases[] = {{96, -11}, {120, -14}, {144, -17}, {192, -22}};
  for (const auto& expected : kCases) {
    const WindowFonts fonts = CreateWindowFonts(DesignFont(), expected.dpi);
    LOGFONTA regular = {}, bold = {};
    GetObjectA(fonts.regular.get(), sizeof(regular), &regular);
    GetObjectA(fonts.bold.get(), sizeof(bold), &bold);
    EXPECT_EQ(regular.lfHeight, expected.height) << expected.dpi;
    EXPECT_EQ(bold.lfHeight, expected.height) << expected.dpi;
  }
}

}  // namespace
}  // namespace tidemark
