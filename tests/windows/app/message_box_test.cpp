#include "app/message_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/windows/app/test_window.h"

namespace tidemark {
namespace {

using testing::ClassOf;
using testing::TextOf;

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

TEST(EscapeAnswer, IsNoWhenOfferedElseTheLastButton) {
  EXPECT_EQ(EscapeAnswer({BoxButton::kYes, BoxButton::kNo}), BoxButton::kNo);
  EXPECT_EQ(EscapeAnswer({BoxButton::kAbort}), BoxButton::kAbort);
  EXPECT_EQ(EscapeAnswer({BoxButton::kOk}), BoxButton::kOk);
}

// What a probe saw of a box while it was open.
struct SeenBox {
  std::string title;
  std::string text;
  std::vector<std::string> buttons;  // captions, left to right
  std::string default_button;
  bool has_icon = false;
  RECT frame = {};
};

class BoxProbe {
 public:
  // Shows the box; once it is up, records what it shows and then lets
  // `answer` act on it.
  BoxButton Show(const BoxRequest& request, std::function<void(HWND)> answer) {
    BoxButton result = BoxButton::kOk;
    Run([&] { result = ShowBox(nullptr, request); }, std::move(answer));
    return result;
  }
  void Run(const std::function<void()>& show, std::function<void(HWND)> answer) {
    current_ = this;
    answer_ = std::move(answer);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTimer);
    show();
    KillTimer(nullptr, timer);
    current_ = nullptr;
  }
  const SeenBox& seen() const { return seen_; }

 private:
  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    if (ClassOf(window) == "#32770" && IsWindowVisible(window)) {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }

  static BOOL CALLBACK RecordChild(HWND child, LPARAM probe) {
    SeenBox& seen = reinterpret_cast<BoxProbe*>(probe)->seen_;
    const std::string window_class = ClassOf(child);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (window_class == "Button") {
      seen.buttons.push_back(TextOf(child));
      if ((style & 0x0F) == BS_DEFPUSHBUTTON) seen.default_button = TextOf(child);
    } else if (window_class == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
      seen.has_icon = true;
    } else if (window_class == "Static") {
      seen.text = TextOf(child);
    }
    return TRUE;
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    BoxProbe* probe = current_;
    if (probe == nullptr || probe->done_) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return;
    probe->done_ = true;
    probe->seen_.title = TextOf(box);
    GetWindowRect(box, &probe->seen_.frame);
    EnumChildWindows(box, RecordChild, reinterpret_cast<LPARAM>(probe));
    probe->answer_(box);
  }

  static BoxProbe* current_;
  std::function<void(HWND)> answer_;
  bool done_ = false;
  SeenBox seen_;
};
BoxProbe* BoxProbe::current_ = nullptr;

void PressKey(HWND, WPARAM key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

void ClickButton(HWND box, const char* caption) {
  HWND button = FindWindowExA(box, nullptr, "Button", caption);
  ASSERT_NE(button, nullptr) << caption;
  PostMessageA(button, BM_CLICK, 0, 0);
}

BoxRequest ExitQuestion() {
  return BoxRequest{BoxTitle(BoxKind::kConfirmation), BoxKind::kConfirmation, "Exit Installer ?",
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

TEST(InstallerBox, EnterAnswersTheDefaultAndEscapeAnswersNo) {
  BoxProbe enter;
  EXPECT_EQ(enter.Show(ExitQuestion(), [](HWND box) { PressKey(box, VK_RETURN); }),
            BoxButton::kYes);
  BoxProbe escape;
  EXPECT_EQ(escape.Show(ExitQuestion(), [](HWND box) { PressKey(box, VK_ESCAPE); }),
            BoxButton::kNo);
  BoxProbe close;
  EXPECT_EQ(close.Show(ExitQuestion(), [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }),
            BoxButton::kNo);
}

TEST(InstallerBox, DamagedInstallerBoxHasTheSingleAbortButton) {
  BoxProbe probe;
  const BoxRequest request{BoxTitle(BoxKind::kError), BoxKind::kError,
                           "Checksum error (damaged installer?)", {BoxButton::kAbort}};
  EXPECT_EQ(probe.Show(request, [](HWND box) { PressKey(box, VK_ESCAPE); }), BoxButton::kAbort);
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
