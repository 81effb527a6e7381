#include "app/window/control_factory.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include "app/controls/flat_button.h"
#include "resources/layout.h"
#include "system/screen_dpi.h"
#include "tests/windows/app/test_window.h"

namespace tidemark {
namespace {

using layout::ControlSpec;
using layout::Kind;

class LayoutControls : public ::testing::Test {
 protected:
  LayoutControls() : controls_(CreateLayoutControls(window_.handle(), kDesignDpi)) {}
  HWND Get(int id) const { return controls_.Find(id); }

  testing::TestWindow window_;
  ControlTable controls_;
};

TEST_F(LayoutControls, EveryControlIsCreatedUnderItsParentWithItsIdPlaceAndSize) {
  for (size_t i = 0; i < layout::kControlCount; ++i) {
    const ControlSpec& spec = layout::kControls[i];
    HWND control = Get(spec.id);
    ASSERT_NE(control, nullptr) << spec.name;
    const HWND parent = spec.parent == layout::kWindow ? window_.handle() : Get(spec.parent);
    EXPECT_EQ(GetParent(control), parent) << spec.name;
    EXPECT_EQ(GetDlgItem(parent, spec.id), control) << spec.name;
    const RECT place = testing::PlaceInParent(control);
    EXPECT_EQ(place.left, spec.left) << spec.name;
    EXPECT_EQ(place.top, spec.top) << spec.name;
    EXPECT_EQ(place.right - place.left, spec.width) << spec.name;
    // The closed height of a drop-down list also follows its font.
    const int slack = spec.kind == Kind::kDriveSelector ? 2 : 0;
    EXPECT_NEAR(place.bottom - place.top, spec.height, slack) << spec.name;
  }
}

TEST_F(LayoutControls, ButtonsCarryTheirHintsOrCaptionsAsWindowText) {
  EXPECT_EQ(testing::TextOf(Get(ids::kBtnExit4)), "Cancel & Exit");
  EXPECT_EQ(testing::TextOf(Get(ids::kBtnGoInstall)), "Install Now");
  EXPECT_EQ(testing::TextOf(Get(ids::kBtnChoose)), "Choose...");
  EXPECT_EQ(testing::ClassOf(Get(ids::kBtnChoose)), kFlatButtonClass);
  EXPECT_EQ(testing::TextOf(Get(ids::kChkRunProgram)), "Run Program");
}

TEST_F(LayoutControls, InitialStatesFollowTheDesign) {
  EXPECT_EQ(SendMessageA(Get(ids::kChkRunProgram), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(Get(ids::kPanel2))) << "the about view is inert";
  EXPECT_FALSE(IsWindowEnabled(Get(ids::kLabel11)));
  EXPECT_FALSE(IsWindowEnabled(Get(ids::kLabel2)));
  EXPECT_FALSE(GetWindowLongA(Get(ids::kPanChoose), GWL_STYLE) & WS_VISIBLE);
  for (int page = ids::kTabIntro; page <= ids::kTabUninstalled; ++page) {
    EXPECT_FALSE(GetWindowLongA(Get(page), GWL_STYLE) & WS_VISIBLE) << page;
  }
  EXPECT_EQ(testing::TextOf(Get(ids::kLabInstallingFile)), "Installing : ");
  EXPECT_EQ(testing::TextOf(Get(ids::kLabInstallTo)), "");
}

TEST_F(LayoutControls, ProgressBarsAreVerticalAndSmoothWithTheirRangesAndPositions) {
  const struct {
    int id, position;
  } bars[] = {{ids::kMtrProgress, 50}, {ids::kProgressBar1, 100}, {ids::kMtrUninstall, 0}};
  for (const auto& bar : bars) {
    HWND control = Get(bar.id);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    EXPECT_TRUE(style & PBS_VERTICAL) << bar.id;
    EXPECT_TRUE(style & PBS_SMOOTH) << bar.id;
    EXPECT_EQ(SendMessageA(control, PBM_GETRANGE, FALSE, 0), 100) << bar.id;
    EXPECT_EQ(SendMessageA(control, PBM_GETRANGE, TRUE, 0), 0) << bar.id;
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), bar.position) << bar.id;
  }
}

TEST_F(LayoutControls, RichTextViewsDifferInBorderScrollingAndFocus) {
  const LONG about = GetWindowLongA(Get(ids::kRichAbout), GWL_STYLE);
  const LONG licence = GetWindowLongA(Get(ids::kRichLicense), GWL_STYLE);
  EXPECT_FALSE(about & (WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_BORDER));
  EXPECT_FALSE(GetWindowLongA(Get(ids::kRichAbout), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(licence & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(Get(ids::kRichLicense), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(about & ES_READONLY);
  EXPECT_TRUE(licence & ES_READONLY);
}

TEST_F(LayoutControls, LicenceViewScrollsATextTallerThanItself) {
  HWND licence = Get(ids::kRichLicense);
  std::string text;
  for (int line = 0; line < 60; ++line) text += "Licence line\r\n";
  SETTEXTEX replace = {ST_DEFAULT, CP_ACP};
  SendMessageA(licence, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&replace),
               reinterpret_cast<LPARAM>(text.c_str()));
  EXPECT_TRUE(GetWindowLongA(licence, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(LayoutControls, OverlappingControlsLieInTheDesignedOrder) {
  // The Choose panel, once shown, covers the button and its frame; the
  // splash lies inside its frame, not under it.
  const auto above = [](HWND upper, HWND lower) {
    for (HWND next = GetWindow(upper, GW_HWNDNEXT); next != nullptr;
         next = GetWindow(next, GW_HWNDNEXT)) {
      if (next == lower) return true;
    }
    return false;
  };
  EXPECT_TRUE(above(Get(ids::kPanChoose), Get(ids::kBtnChoose)));
  EXPECT_TRUE(above(Get(ids::kBtnChoose), Get(ids::kBevel12)));
  EXPECT_TRUE(above(Get(ids::kImgSplash), Get(ids::kBevel1)));
  EXPECT_TRUE(above(Get(ids::kLabTraces), Get(ids::kLabUninstall2)));
  EXPECT_TRUE(above(Get(ids::kBevel3), Get(ids::kLabTitle)));
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

RECT AreaOf(const RECT& place) {
  return RECT{0, 0, place.right - place.left, place.bottom - place.top};
}

// At every DPI each control stays inside its parent and the window, and
// edges that meet at 96 DPI still meet.
TEST(ScaledPlaces, KeepTheLayoutWholeAtEveryDpi) {
  for (const int dpi : {96, 120, 144, 168, 192}) {
    const RECT client = {0, 0, ScaleToDpi(layout::kClientWidth, dpi),
                         ScaleToDpi(layout::kClientHeight, dpi)};
    for (size_t i = 0; i < layout::kControlCount; ++i) {
      const ControlSpec& spec = layout::kControls[i];
      const RECT place = ScaledPlace(spec, dpi);
      if (spec.parent == layout::kWindow) {
        EXPECT_TRUE(Inside(place, client)) << spec.name << " at " << dpi;
      } else if (spec.id != ids::kPageControl1 && spec.parent != ids::kPageControl1) {
        const RECT parent = AreaOf(ScaledPlace(*layout::FindControl(spec.parent), dpi));
        EXPECT_TRUE(Inside(place, parent)) << spec.name << " at " << dpi;
      }
      for (size_t j = 0; j < layout::kControlCount; ++j) {
        const ControlSpec& other = layout::kControls[j];
        if (other.parent != spec.parent) continue;
        if (spec.left + spec.width == other.left) {
          EXPECT_EQ(place.right, ScaledPlace(other, dpi).left) << spec.name << " " << other.name;
        }
        if (spec.top + spec.height == other.top) {
          EXPECT_EQ(place.bottom, ScaledPlace(other, dpi).top) << spec.name << " " << other.name;
        }
      }
    }
  }
  const RECT at_144 = {0, 0, ScaleToDpi(layout::kClientWidth, 144),
                       ScaleToDpi(layout::kClientHeight, 144)};
  EXPECT_EQ(at_144.right, 894);
  EXPECT_EQ(at_144.bottom, 476);
}

}  // namespace
}  // namespace tidemark
