#include "container/layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

TEST(LayoutTest, MarkersAreJoinedFromTheirPieces) {
  EXPECT_EQ(StartMarker(), "d>a>t>a>s>t>a>r>t");
  EXPECT_EQ(ScrambledStartMarker(), "d>a>t>a>c>r>y>p>t");
  EXPECT_EQ(EndMarker(), "d>a>t>a>e>n>d");
  EXPECT_EQ(StartMarker().size(), kStartMarkerLength);
  EXPECT_EQ(ScrambledStartMarker().size(), kStartMarkerLength);
  EXPECT_EQ(EndMarker().size(), kEndMarkerLength);
  EXPECT_EQ(std::string(ScrambleKey).size(), kScrambleKeyLength);
}

// An executable that contained a whole marker would find itself instead of
// its container; the library linked into the stub must hold none.
TEST(LayoutTest, NoWholeMarkerStandsInTheLibrary) {
  const test::Bytes library = test::ReadWholeFile(CONTAINER_LIBRARY_FILE);
  ASSERT_GT(library.size(), 1000u);
  for (const std::string& marker : {StartMarker(), ScrambledStartMarker(), EndMarker()}) {
    EXPECT_EQ(std::search(library.begin(), library.end(), marker.begin(), marker.end()),
              library.end())
        << marker;
  }
}

}  // namespace
}  // namespace tidemark
