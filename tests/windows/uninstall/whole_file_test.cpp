#include "app/steps/whole_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "container/errors.h"
#include "system/handles.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

// The message of the Error that `action` raises.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  ADD_FAILURE() << "no error was raised";
  return std::string();
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

TEST(WholeFile, ReadsEveryByteAsStored) {
  testing::ScratchFolder folder;
  const std::string bytes("one\r\ntwo\nthree\r\0after\xff", 23);
  folder.WriteFile("App.ilg", bytes);
  EXPECT_EQ(ReadWholeFile(folder.Sub("App.ilg")), bytes);

  std::string large(200 * 1024, 'x');  // longer than one read block
  large.back() = 'y';
  folder.WriteFile("large", large);
  EXPECT_EQ(ReadWholeFile(folder.Sub("large")), large);

  folder.WriteFile("empty", "");
  EXPECT_EQ(ReadWholeFile(folder.Sub("empty")), "");
}

TEST(WholeFile, ReadingRefusalsNameThePath) {
  testing::ScratchFolder folder;
  const std::string missing = folder.Sub("missing.ilg");
  const std::string refusal = ErrorOf([&] { ReadWholeFile(missing); });
  EXPECT_TRUE(StartsWith(refusal, "Cannot open file \"" + missing + "\". ")) << refusal;

  // A file that another program is writing is not read half-way.
  folder.WriteFile("busy.ilg", "x");
  const UniqueHandle writer(CreateFileA(folder.Sub("busy.ilg").c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
  ASSERT_TRUE(writer.valid());
  EXPECT_THROW(ReadWholeFile(folder.Sub("busy.ilg")), Error);

  // Others reading it meanwhile are fine.
  folder.WriteFile("shared.ilg", "y");
  const UniqueHandle reader(CreateFileA(folder.Sub("shared.ilg").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(reader.valid());
  EXPECT_EQ(ReadWholeFile(folder.Sub("shared.ilg")), "y");
}

TEST(WholeFile, WritingReplacesAnEarlierFileEntirely) {
  testing::ScratchFolder folder;
  folder.WriteFile("batch.bat", "a much longer earlier text\r\n");
  WriteNewFile(folder.Sub("batch.bat"), "new\r\n");
  EXPECT_EQ(folder.ReadFile("batch.bat"), "new\r\n");

  const std::string unreachable = folder.Sub("no such folder\\batch.bat");
  const std::string refusal = ErrorOf([&] { WriteNewFile(unreachable, "x"); });
  EXPECT_TRUE(StartsWith(refusal, "Cannot create file \"" + unreachable + "\". ")) << refusal;
}

}  // namespace
}  // namespace tidemark
