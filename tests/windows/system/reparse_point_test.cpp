#include "system/reparse_point.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/system/folder_link.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

// Inside `folder`: base\plain\file.txt, base\linked -> elsewhere (holding
// inner\kept.txt), and linked-base -> base. Every link points inside the
// scratch folder, whose removal at the end may follow them.
void MakeLinkedTree(const testing::ScratchFolder& folder) {
  for (const char* name : {"base", "base\\plain", "elsewhere", "elsewhere\\inner"}) {
    ASSERT_TRUE(CreateDirectoryA(folder.Sub(name).c_str(), nullptr)) << name;
  }
  folder.WriteFile("base\\plain\\file.txt", "plain");
  folder.WriteFile("elsewhere\\inner\\kept.txt", "kept");
  ASSERT_TRUE(testing::MakeFolderLink(folder.Sub("base\\linked"), folder.Sub("elsewhere")));
  ASSERT_TRUE(testing::MakeFolderLink(folder.Sub("linked-base"), folder.Sub("base")));
}

TEST(ReparsePoint, NamesTheFirstLinkOnTheWayFromTheBase) {
  testing::ScratchFolder folder;
  MakeLinkedTree(folder);
  EXPECT_TRUE(IsReparsePoint(folder.Sub("base\\linked")));
  EXPECT_FALSE(IsReparsePoint(folder.Sub("base")));
  EXPECT_FALSE(IsReparsePoint(folder.Sub("base\\plain\\file.txt")));
  EXPECT_FALSE(IsReparsePoint(folder.Sub("missing")));

  const struct {
    const char* base;
    const char* relative;
    const char* link;  // below the scratch folder; null for none
  } cases[] = {
      {"base", "plain\\file.txt", nullptr},
      {"base", "plain\\missing\\deeper.txt", nullptr},
      {"base", "", nullptr},
      {"base", "linked", "base\\linked"},
      {"base", "linked\\inner\\kept.txt", "base\\linked"},
      {"base", "linked\\missing.txt", "base\\linked"},
      {"base", "linked/inner/kept.txt", "base\\linked"},
      {"linked-base", "plain\\file.txt", nullptr},  // the base is the caller's
      {"missing", "linked\\inner", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> link =
        FirstReparsePointOnTheWay(folder.Sub(c.base), c.relative);
    if (c.link == nullptr) {
      EXPECT_FALSE(link.has_value()) << c.base << " " << c.relative << ": " << link.value_or("");
    } else {
      EXPECT_EQ(link.value_or("(none)"), folder.Sub(c.link)) << c.base << " " << c.relative;
    }
  }
}

TEST(ReparsePoint, RemovesTheEntryItselfNeverWhatALinkPointsTo) {
  testing::ScratchFolder folder;
  MakeLinkedTree(folder);
  folder.WriteFile("read-only.txt", "x");
  SetFileAttributesA(folder.Sub("read-only.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(CreateDirectoryA(folder.Sub("empty").c_str(), nullptr));

  for (const char* name : {"read-only.txt", "empty", "missing"}) {
    EXPECT_TRUE(RemoveEntryItself(folder.Sub(name))) << name;
    EXPECT_EQ(GetFileAttributesA(folder.Sub(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
  // A folder's contents are never deleted.
  EXPECT_FALSE(RemoveEntryItself(folder.Sub("base\\plain")));
  EXPECT_EQ(folder.ReadFile("base\\plain\\file.txt"), "plain");

  // Windows removes the link itself. Wine 8 applies the removal to what a
  // Unix link points to, so there it fails on the folder that is not empty
  // and the link stays; what the link points to is kept either way.
  const std::string link = folder.Sub("base\\linked");
  const bool removed = RemoveEntryItself(link);
  EXPECT_EQ(removed, !IsReparsePoint(link));
  EXPECT_EQ(folder.ReadFile("elsewhere\\inner\\kept.txt"), "kept");
}

}  // namespace
}  // namespace tidemark
