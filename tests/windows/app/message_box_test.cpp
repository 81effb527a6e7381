#include "app/controls/message_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/windows/app/box_probe.h"
#include "tests/windows/app/test_window.h"

namespace tidemark {
namespace {

using testing::BoxProbe;
using testing::ClickButton;
using testing::PressKey;

TEST(FullStop, IsAddedWhenTheLastByteSortsAfterAFullStop) {
  EXPECT_EQ(WithFullStop("Error"), "Error.");
  EXPECT_EQ(WithFullStop("'' is not a valid integer value"), "'' is not a valid integer value.");
  EXPECT_EQ(WithFullStop("Cannot open file \"C:\\a\\b\". Access denied"),
            "Cannot open file \"C:\\a\\b\". Access denied.");
  EXPECT_EQ(WithFullStop("Version 2"), "Version 2.");  // '2' sorts after '.'
  EXPECT_EQ(WithFullStop("C:\\"), "C:\\.");
  // Bytes from 0x80 up count as above, not as negative characters.
  EXPECT_EQ(WithFullStop("caf\xE9"), "caf\xE9.");
}

TEST(FullStop, IsNotAddedAfterAFullStopOrAnEarlierCharacter) {
  EXPECT_EQ(WithFullStop("Done."), "Done.");
  EXPECT_EQ(WithFullStop("Really?!"), "Really?!");  // '!' sorts before '.'
  EXPECT_EQ(WithFullStop("a-"), "a-");
  EXPECT_EQ(WithFullStop("(x)"), "(x)");
  EXPECT_EQ(WithFullStop("trailing "), "trailing ");
  EXPECT_EQ(WithFullStop(""), "");
}

BoxRequest ExitQuestion() {
  return BoxRequest{BoxTitle(BoxKind::kConfirmation),
                    BoxKind::kConfirmation,
                    "Exit Installer ?",
                    {BoxButton::kYes, BoxButton::kNo}};
}

TEST(InstallerBox, QuestionShowsYesAsDefaultAndNoWithTheirCaptions) {
  BoxProbe probe;
  const BoxButton answer = probe.Show(ExitQuestion(), [](HWND box) { ClickButton(box, "&No"); });
  EXPECT_EQ(answer, BoxButton::kNo);
  EXPECT_EQ(probe.seen().title, "Confirm");
  EXPECT_EQ(probe.seen().text, "Exit Installer ?");
  EXPECT_EQ(probe.seen().buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(probe.seen().default_button, "&Yes");
  EXPECT_TRUE(probe.seen().has_icon);
}

TEST(InstallerBox, EnterAnswersTheDefaultEscapeAndClosingAnswerNoButton) {
  BoxProbe enter;
  EXPECT_EQ(enter.Show(ExitQuestion(), [](HWND box) { PressKey(box, VK_RETURN); }),
            BoxButton::kYes);
  BoxProbe escape;
  EXPECT_EQ(escape.Show(ExitQuestion(), [](HWND box) { PressKey(box, VK_ESCAPE); }),
            BoxButton::kClosed);
  BoxProbe close;
  EXPECT_EQ(close.Show(ExitQuestion(), [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }),
            BoxButton::kClosed);
}

TEST(InstallerBox, DamagedInstallerBoxHasTheSingleAbortButton) {
  BoxProbe probe;
  const BoxRequest request{BoxTitle(BoxKind::kError),
                           BoxKind::kError,
                           "Checksum error (damaged installer?)",
                           {BoxButton::kAbort}};
  EXPECT_EQ(probe.Show(request, [](HWND box) { ClickButton(box, "&Abort"); }), BoxButton::kAbort);
  EXPECT_EQ(probe.seen().title, "Error");
  EXPECT_EQ(probe.seen().buttons, std::vector<std::string>{"&Abort"});
}

TEST(InstallerBox, BoxWithoutKindTakesTheApplicationTitleAndNoIcon) {
  BoxProbe probe;
  const BoxRequest request{BoxTitle(BoxKind::kNone), BoxKind::kNone, "Plain", {BoxButton::kOk}};
  EXPECT_EQ(probe.Show(request, [](HWND box) { ClickButton(box, "OK"); }), BoxButton::kOk);
  EXPECT_EQ(probe.seen().title, "Installer");
  EXPECT_FALSE(probe.seen().has_icon);
}

TEST(InstallerBox, DefaultErrorReportShowsTheMessageWithAFullStop) {
  BoxProbe probe;
  probe.Run([] { ShowErrorReport(nullptr, "Failed to Load Stream"); },
            [](HWND box) { ClickButton(box, "OK"); });
  EXPECT_EQ(probe.seen().title, "Installer");
  EXPECT_EQ(probe.seen().text, "Failed to Load Stream.");
  EXPECT_EQ(probe.seen().buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(probe.seen().has_icon);
}

TEST(InstallerBox, TitlesFollowTheKind) {
  EXPECT_STREQ(BoxTitle(BoxKind::kWarning), "Warning");
  EXPECT_STREQ(BoxTitle(BoxKind::kError), "Error");
  EXPECT_STREQ(BoxTitle(BoxKind::kInformation), "Information");
  EXPECT_STREQ(BoxTitle(BoxKind::kConfirmation), "Confirm");
}

TEST(InstallerBox, IsCentredOnTheScreensWorkArea) {
  BoxProbe probe;
  probe.Show(ExitQuestion(), [](HWND box) { ClickButton(box, "&Yes"); });
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const RECT& frame = probe.seen().frame;
  EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

}  // namespace
}  // namespace tidemark
