// Start-up of the window on a program that carries no container (this test
// program itself): the steps before the container run, then the damaged
// installer message, and the window is never shown.
#include <gtest/gtest.h>

#include "app/controls/flat_button.h"
#include "app/window/install.h"
#include "tests/windows/app/box_probe.h"

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

}  // namespace
}  // namespace tidemark
