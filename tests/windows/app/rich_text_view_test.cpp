#include "app/controls/rich_text_view.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "container/errors.h"
#include "tests/windows/app/test_window.h"

namespace tidemark {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A stream-in that accepts or rejects by format and records every call.
struct FakeView {
  bool accepts_rtf;
  bool accepts_text;
  std::vector<std::pair<std::vector<uint8_t>, bool>> calls;
  StreamInFn Fn() {
    return [this](const std::vector<uint8_t>& text, bool rtf) {
      calls.emplace_back(text, rtf);
      return rtf ? accepts_rtf : accepts_text;
    };
  }
};

TEST(RichTextLoading, TriesRtfFirstAndStopsWhenAccepted) {
  FakeView view{true, true, {}};
  LoadRichText(Bytes("{\\rtf1 x}"), view.Fn());
  ASSERT_EQ(view.calls.size(), 1u);
  EXPECT_TRUE(view.calls[0].second);
}

TEST(RichTextLoading, FallsBackToPlainTextFromTheSameStart) {
  FakeView view{false, true, {}};
  LoadRichText(Bytes("plain"), view.Fn());
  ASSERT_EQ(view.calls.size(), 2u);
  EXPECT_FALSE(view.calls[1].second);
  EXPECT_EQ(view.calls[1].first, Bytes("plain"));
}

TEST(RichTextLoading, FailsWhenBothFormatsAreRejected) {
  FakeView view{false, false, {}};
  try {
    LoadRichText(Bytes("x"), view.Fn());
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Failed to Load Stream");
  }
}

class RichTextView : public ::testing::Test {
 protected:
  RichTextView() {
    view_ = CreateRichTextView(window_.handle(), 1, RECT{0, 0, 300, 100}, RichTextOptions{});
  }
  std::string Shown() const { return testing::TextOf(view_); }

  testing::TestWindow window_;
  HWND view_ = nullptr;
};

TEST_F(RichTextView, ShowsRtfAsFormattedText) {
  ASSERT_NE(view_, nullptr) << "no rich edit control";
  LoadRichText(view_, Bytes("{\\rtf1\\ansi Hello {\\b bold} world}"));
  EXPECT_EQ(Shown(), "Hello bold world");
}

TEST_F(RichTextView, ShowsTextThatIsNotRtfAsItStands) {
  ASSERT_NE(view_, nullptr);
  LoadRichText(view_, Bytes("Not RTF {\\b at all}"));
  EXPECT_EQ(Shown(), "Not RTF {\\b at all}");
}

TEST_F(RichTextView, NewTextReplacesTheOld) {
  ASSERT_NE(view_, nullptr);
  LoadRichText(view_, Bytes("first"));
  LoadRichText(view_, Bytes("{\\rtf1 second}"));
  EXPECT_EQ(Shown(), "second");
}

TEST_F(RichTextView, HoldsTextsLongerThanTheControlsDefaultLimit) {
  ASSERT_NE(view_, nullptr);
  std::string long_text;
  while (long_text.size() < 40000) long_text += std::string(78, 'x') + "\r\n";
  long_text += "END";
  LoadRichText(view_, Bytes(long_text));
  const std::string shown = Shown();
  EXPECT_GT(shown.size(), 40000u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "END");
}

TEST(RichTextViewMissing, ANonWindowRejectsBothFormats) {
  EXPECT_THROW(LoadRichText(static_cast<HWND>(nullptr), Bytes("x")), Error);
}

}  // namespace
}  // namespace tidemark
