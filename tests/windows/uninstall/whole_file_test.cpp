#include "app/whole_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "container/errors.h"
#include "system/handles.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

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
  try {
    ReadWholeFile(missing);
    FAIL() << "a missing file was read";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"" + missing + "\". ", 0), 0u)
        << error.what();
  }

  // A file that another program is writing is not read half-way.
  folder.WriteFile("busy.ilg", "x");
  const UniqueHandle writer(CreateFileA(folder.Sub("busy.ilg").c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
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
  try {
    WriteNewFile(unreachable, "x");
    FAIL() << "a file was created in a missing folder";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + unreachable + "\". ", 0),
              0u)
        << error.what();
  }
}

}  // namespace
}  // namespace tidemark
