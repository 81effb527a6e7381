#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "resources/layout.h"

namespace tidemark::layout {
namespace {

using namespace ids;

struct Expected {
  ControlId id;
  ControlId parent;  // kWindowId for the window itself
  int left, top, width, height;
};
constexpr ControlId kWindowId = static_cast<ControlId>(kWindow);

// The window's controls as the product's design gives them (pages excepted:
// their origin is this implementation's choice and is checked below).
// clang-format off
const Expected kDesign[] = {
    {kBevel1, kWindowId, 10, 10, 130, 298},         {kImgSplash, kWindowId, 11, 11, 128, 296},
    {kPanIcon, kWindowId, 146, 10, 34, 34},         {kImgIcon, kPanIcon, 1, 1, 32, 32},
    {kLabTitle, kWindowId, 186, 10, 401, 23},       {kBevel3, kWindowId, 186, 26, 399, 2},
    {kLabCompany, kWindowId, 186, 30, 401, 19},     {kPanel1, kWindowId, 146, 58, 444, 252},
    {kPageControl1, kPanel1, -2, -32, 480, 334},
    {kPanel2, kTabIntro, 16, 24, 409, 105},         {kRichAbout, kPanel2, 0, 0, 409, 105},
    {kLabWelcome, kTabIntro, 16, 150, 409, 43},     {kBevel2, kTabIntro, 0, 203, 438, 2},
    {kBtnShowLicense, kTabIntro, 344, 216, 38, 38}, {kBtnExit, kTabIntro, 392, 216, 38, 38},
    {kLabel11, kTabIntro, 16, 226, 313, 23},
    {kLabel8, kTabLicense, 16, 22, 409, 35},        {kRichLicense, kTabLicense, 16, 64, 401, 121},
    {kBevel4, kTabLicense, 0, 203, 438, 2},         {kBtnAccept, kTabLicense, 344, 216, 38, 38},
    {kBtnExit2, kTabLicense, 392, 216, 38, 38},
    {kLabel4, kTabFolder, 16, 22, 249, 75},         {kBevel12, kTabFolder, 280, 24, 145, 41},
    {kBtnChoose, kTabFolder, 288, 32, 129, 25},     {kPanChoose, kTabFolder, 280, 24, 145, 169},
    {kDriveComboBox1, kPanChoose, 0, 0, 145, 19},   {kDirectoryListBox1, kPanChoose, 0, 24, 145, 119},
    {kEdtFolder, kPanChoose, 0, 148, 145, 21},      {kLabel1, kTabFolder, 16, 174, 265, 27},
    {kBevel5, kTabFolder, 0, 203, 438, 2},          {kLabInstallTo, kTabFolder, 16, 226, 321, 25},
    {kBtnGoInstall, kTabFolder, 344, 216, 38, 38},  {kBtnExit3, kTabFolder, 392, 216, 38, 38},
    {kLabel5, kTabInstalling, 16, 22, 257, 163},    {kBevel6, kTabInstalling, 0, 203, 438, 2},
    {kLabInstallingFile, kTabInstalling, 16, 226, 321, 33},
    {kBtnExit4, kTabInstalling, 392, 216, 38, 38},  {kMtrProgress, kTabInstalling, 392, 14, 38, 173},
    {kLabel7, kTabInstalled, 16, 22, 257, 59},      {kChkRunProgram, kTabInstalled, 160, 96, 145, 25},
    {kBevel7, kTabInstalled, 0, 203, 438, 2},       {kBtnComplete, kTabInstalled, 392, 216, 38, 38},
    {kProgressBar1, kTabInstalled, 392, 14, 38, 173},
    {kLabUninstall, kTabUninstall, 16, 22, 345, 91}, {kBevel8, kTabUninstall, 0, 203, 438, 2},
    {kBtnUninstall, kTabUninstall, 344, 216, 38, 38}, {kBtnCancel, kTabUninstall, 392, 216, 38, 38},
    {kLabel2, kTabUninstall, 16, 226, 313, 25},
    {kLabUninstall2, kTabUninstalled, 16, 22, 361, 67}, {kLabTraces, kTabUninstalled, 16, 78, 361, 59},
    {kBevel9, kTabUninstalled, 0, 203, 438, 2},     {kBtnUninstallExit, kTabUninstalled, 392, 216, 38, 38},
    {kMtrUninstall, kTabUninstalled, 392, 14, 38, 173},
};
// clang-format on

const ControlId kPageOrder[] = {kTabIntro,     kTabLicense,   kTabFolder,     kTabInstalling,
                                kTabInstalled, kTabUninstall, kTabUninstalled};

RECT InWindow(const ControlSpec& spec) {
  RECT place = {spec.left, spec.top, spec.left + spec.width, spec.top + spec.height};
  for (int parent = spec.parent; parent != kWindow;) {
    const ControlSpec* up = FindControl(parent);
    OffsetRect(&place, up->left, up->top);
    parent = up->parent;
  }
  return place;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(LayoutTable, HoldsEveryDesignedControlWithItsParentPlaceAndSize) {
  for (const Expected& expected : kDesign) {
    const ControlSpec* spec = FindControl(expected.id);
    ASSERT_NE(spec, nullptr) << expected.id;
    EXPECT_EQ(spec->parent, expected.parent) << spec->name;
    EXPECT_EQ(spec->left, expected.left) << spec->name;
    EXPECT_EQ(spec->top, expected.top) << spec->name;
    EXPECT_EQ(spec->width, expected.width) << spec->name;
    EXPECT_EQ(spec->height, expected.height) << spec->name;
  }
  EXPECT_EQ(kControlCount, std::size(kDesign) + std::size(kPageOrder));
}

TEST(LayoutTable, IdsAreUniqueAndParentsComeFirst) {
  std::set<int> seen;
  for (size_t i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = kControls[i];
    EXPECT_TRUE(seen.insert(spec.id).second) << spec.name << " appears twice";
    if (spec.parent != kWindow) EXPECT_TRUE(seen.count(spec.parent)) << spec.name;
  }
}

TEST(LayoutTable, PagesComeInPageOrderWithTheirCaptions) {
  std::vector<int> pages;
  for (size_t i = 0; i < kControlCount; ++i) {
    if (kControls[i].kind == Kind::kPage) {
      pages.push_back(kControls[i].id);
      EXPECT_EQ(kControls[i].parent, kPageControl1);
      EXPECT_TRUE(kControls[i].flags & kHidden) << "start-up shows the first page itself";
    }
  }
  ASSERT_EQ(pages.size(), std::size(kPageOrder));
  for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i], kPageOrder[i]);
  EXPECT_STREQ(FindControl(kTabInstalled)->text, "Complete");
  EXPECT_STREQ(FindControl(kTabUninstalled)->text, "tabUninstalled");
}

// Every page's button row and rule must lie wholly inside the visible
// content area; every other control of a page at least begins inside it
// (a label's empty lower part may be cut off).
TEST(LayoutTable, EveryPageControlIsVisibleInsideTheContentArea) {
  const RECT content = InWindow(*FindControl(kPanel1));
  for (size_t i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = kControls[i];
    const ControlSpec* parent = FindControl(spec.parent);
    if (parent == nullptr || parent->kind != Kind::kPage) continue;
    const RECT place = InWindow(spec);
    if (spec.kind == Kind::kImageButton || spec.kind == Kind::kBevelRule) {
      EXPECT_TRUE(Inside(place, content)) << spec.name;
    } else {
      const POINT corner = {place.left, place.top};
      EXPECT_TRUE(PtInRect(&content, corner)) << spec.name;
    }
  }
}

TEST(LayoutTable, ControlsStayInsideTheirParentsAndTheWindow) {
  const RECT client = {0, 0, kClientWidth, kClientHeight};
  for (size_t i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = kControls[i];
    if (spec.id == kPageControl1) continue;  // larger than Panel1 on purpose, clipped by it
    if (spec.parent != kWindow && spec.parent != kPageControl1) {
      const ControlSpec* parent = FindControl(spec.parent);
      const RECT area = {0, 0, parent->width, parent->height};
      const RECT place = {spec.left, spec.top, spec.left + spec.width, spec.top + spec.height};
      EXPECT_TRUE(Inside(place, area)) << spec.name;
    }
    if (spec.parent == kWindow) EXPECT_TRUE(Inside(InWindow(spec), client)) << spec.name;
  }
}

TEST(LayoutTable, EveryImageButtonHasAHintAndExactlyOneImage) {
  std::map<int, int> images;
  for (size_t i = 0; i < kButtonImageAssignments; ++i) {
    EXPECT_TRUE(images.emplace(kButtonImages[i].button, kButtonImages[i].image).second);
  }
  for (size_t i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = kControls[i];
    if (spec.kind != Kind::kImageButton) continue;
    EXPECT_STRNE(spec.text, "") << spec.name;
    EXPECT_EQ(spec.width, 38);
    EXPECT_EQ(spec.height, 38);
    ASSERT_EQ(images.count(spec.id), 1u) << spec.name;
    const int image = images[spec.id];
    EXPECT_TRUE(image >= 0 && image < kButtonImageCount) << spec.name;
    // Every button that leaves shows the X; only the final buttons the check.
    const std::string hint = spec.text;
    EXPECT_EQ(image == kImageExit, hint == "Exit" || hint == "Cancel & Exit") << spec.name;
    EXPECT_EQ(image == kImageDone, hint == "OK") << spec.name;
  }
  EXPECT_EQ(images.size(), 11u);
}

}  // namespace
}  // namespace tidemark::layout
