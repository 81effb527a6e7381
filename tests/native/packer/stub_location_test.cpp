// Where `tidemark build` finds its stub when the command line names none.
#include "packer/cli/stub_location.h"

#include <gtest/gtest.h>

#include "container/errors.h"
#include "tests/native/container/test_support.h"

namespace tidemark::test {
namespace {

TEST(StubLocationTest, LooksInItsOrderAndNamesWhatItUsed) {
  TempFolder root;
  const std::filesystem::path bin = root.path() / "build" / "native" / "bin";
  const std::filesystem::path installed = root.path() / "build" / "native" / "share" / "tidemark";
  const std::filesystem::path tree = root.path() / "build" / "win" / "bin";
  for (const auto& folder : {bin, installed, tree}) std::filesystem::create_directories(folder);
  const Bytes stub = ToBytes("MZ");
  // Each place in turn, from the last to the first, so that every later
  // one is present when an earlier one wins.
  WriteFile(tree / "tidemark-stub.exe", stub);
  EXPECT_EQ(FindStub("", "", bin).source, "in the packer's build tree");
  WriteFile(installed / "tidemark-stub.exe", stub);
  EXPECT_EQ(FindStub("", "", bin).path, installed / "tidemark-stub.exe");
  WriteFile(bin / "tidemark-stub.exe", stub);
  EXPECT_EQ(FindStub("", "", bin).source, "beside the packer");
  const std::string named = (tree / "tidemark-stub.exe").string();
  EXPECT_EQ(FindStub("", named, bin).path, named);
  EXPECT_EQ(FindStub("given.exe", named, bin).path, "given.exe");

  // A named stub that is missing is an error, not a reason to look on.
  EXPECT_THROW(FindStub("", (root.path() / "gone.exe").string(), bin), Error);
  try {
    FindStub("", "", root.path() / "elsewhere" / "bin");
    FAIL() << "no stub anywhere was accepted";
  } catch (const Error& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("give --stub STUB or set TIDEMARK_STUB"), std::string::npos);
    EXPECT_NE(message.find("share/tidemark/tidemark-stub.exe"), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace tidemark::test
