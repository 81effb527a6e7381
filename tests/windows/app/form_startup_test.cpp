// Start-up of the window on a program that carries no container (this test
// program itself): the steps before the container run, then the damaged
// installer message, and the window is never shown.
#include <gtest/gtest.h>

#include "app/controls/flat_button.h"
#include "app/window/install.h"
#include "tests/windows/app/box_probe.h"
#include "tests/windows/app/test_window.h"

namespace tidemark {
namespace {

TEST(FormStartUp, WithoutContainerEndsAfterTheDamagedInstallerMessage) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(TfrmInstall::RegisterClasses(instance));
  TfrmInstall form(instance);
  testing::BoxProbe probe;
  bool created = false;
  probe.Run([&] { created = form.Create(); },
            [](HWND box) { testing::ClickButton(box, "&Abort"); });
  ASSERT_TRUE(created);

  ASSERT_TRUE(probe.saw_box());
  EXPECT_EQ(probe.seen().title, "Error");
  EXPECT_EQ(probe.seen().text, "Can't find control information (damaged installer?)");
  EXPECT_EQ(probe.seen().buttons, std::vector<std::string>{"&Abort"});

  // The program is asked to end; the window is never shown.
  EXPECT_TRUE(form.end_requested());
  form.Show();
  EXPECT_FALSE(IsWindowVisible(form.handle()));
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

  // The steps before the container ran; those after it did not.
  EXPECT_EQ(form.ActivePage(), ids::kTabIntro);
  EXPECT_TRUE(GetWindowLongA(form.Control(ids::kTabIntro), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(FlatButtonImage(form.Control(ids::kBtnShowLicense)), 0);
  EXPECT_EQ(FlatButtonImage(form.Control(ids::kBtnGoInstall)), 1);
  EXPECT_EQ(FlatButtonImage(form.Control(ids::kBtnExit4)), 2);
  EXPECT_EQ(FlatButtonImage(form.Control(ids::kBtnUninstallExit)), 3);
  EXPECT_FALSE(form.session.folders.program_files.empty());
  EXPECT_TRUE(form.session.installer.exe_file.is_open());
  EXPECT_EQ(form.ControlText(ids::kLabTitle), "Software Title");
  EXPECT_EQ(form.session.installer.payload_start, 0);
}

LONG FontHeight(HWND control) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// Moving to a monitor of another DPI lays the window out again at the place
// Windows suggests; moving back gives the 96-DPI layout pixel for pixel.
TEST(FormStartUp, ANewDpiLaysTheWindowOutAgain) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(TfrmInstall::RegisterClasses(instance));
  TfrmInstall form(instance);
  testing::BoxProbe probe;
  probe.Run([&] { ASSERT_TRUE(form.Create()); },
            [](HWND box) { testing::ClickButton(box, "&Abort"); });
  const HWND window = form.handle();
  const LONG design_font = FontHeight(form.Control(ids::kLabTitle));
  ASSERT_LT(design_font, 0) << "a character height";
  const struct {
    int dpi;
    int client_width, client_height;
    RECT exit_button;  // btnExit in its page
    LONG font;
  } kMoves[] = {
      {144, 894, 476, {588, 324, 645, 381}, MulDiv(design_font, 144, 96)},
      {96, 596, 317, {392, 216, 430, 254}, design_font},
  };
  for (const auto& move : kMoves) {
    RECT suggested = {40, 30, 40 + 700, 30 + 500};
    SendMessageA(window, 0x02E0, MAKEWPARAM(move.dpi, move.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT client = {}, frame = {};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    EXPECT_EQ(client.right, move.client_width) << move.dpi;
    EXPECT_EQ(client.bottom, move.client_height) << move.dpi;
    EXPECT_EQ(frame.left, 40) << move.dpi;
    EXPECT_EQ(frame.top, 30) << move.dpi;
    const RECT exit_button = testing::PlaceInParent(form.Control(ids::kBtnExit));
    EXPECT_TRUE(EqualRect(&exit_button, &move.exit_button)) << move.dpi;
    EXPECT_EQ(FontHeight(form.Control(ids::kLabTitle)), move.font) << move.dpi;
    EXPECT_EQ(FlatButtonImage(form.Control(ids::kBtnExit)), 2) << move.dpi;
  }
}

}  // namespace
}  // namespace tidemark
