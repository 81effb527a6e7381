#include "container/file_sink.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "container/errors.h"
#include "system/handles.h"
#include "system/system_error.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

class FileSinkTest : public ::testing::Test {
 protected:
  testing::ScratchFolder folder_;
};

TEST_F(FileSinkTest, CollectsSmallAndLargeWritesInOrder) {
  std::string expected;
  {
    auto sink = CreateFileSink(folder_.Sub("out.bin"));
    for (int i = 0; i < 1000; ++i) {
      const std::string piece(1 + i % 7, static_cast<char>('a' + i % 26));
      sink->Write(piece.data(), piece.size());
      expected += piece;
    }
    const std::string large(3 * 1024 * 1024 + 5, 'L');  // wider than the buffer
    sink->Write(large.data(), large.size());
    expected += large;
    sink->Write("end", 3);
    expected += "end";
    sink->Close();
  }
  EXPECT_EQ(folder_.ReadFile("out.bin"), expected);
}

// Pieces large enough are written as they come, unless smaller ones are
// waiting in the buffer: the order on disk stays the order of the calls.
TEST_F(FileSinkTest, LargePiecesAroundBufferedOnesKeepTheirOrder) {
  std::string expected;
  {
    auto sink = CreateFileSink(folder_.Sub("mixed.bin"));
    int round = 0;
    for (size_t size : {100000, 10, 70000, 65536, 1, 65535, 2000000, 3}) {
      const std::string piece(size, static_cast<char>('A' + round++));
      sink->Write(piece.data(), piece.size());
      expected += piece;
    }
    sink->Close();
  }
  EXPECT_EQ(folder_.ReadFile("mixed.bin"), expected);
}

TEST_F(FileSinkTest, ReplacesAnExistingFileAndHoldsItUnshared) {
  folder_.WriteFile("out.bin", "old content that is longer");
  auto sink = CreateFileSink(folder_.Sub("out.bin"));
  sink->Write("new", 3);
  EXPECT_FALSE(UniqueHandle(CreateFileA(folder_.Sub("out.bin").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr)));
  sink.reset();  // without Close: what was written still reaches the file
  EXPECT_EQ(folder_.ReadFile("out.bin"), "new");
}

TEST_F(FileSinkTest, NamesThePathAndTheSystemsReason) {
  const std::string path = folder_.Sub("missing\\out.bin");
  try {
    CreateFileSink(path);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              CannotCreateFileMessage(path, SystemErrorText(ERROR_PATH_NOT_FOUND)));
    EXPECT_NE(SystemErrorText(ERROR_PATH_NOT_FOUND), "");
  }
}

}  // namespace
}  // namespace tidemark
