#include "system/exe_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "container/errors.h"
#include "system/handles.h"
#include "system/system_error.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

TEST(ExeFile, ReadsTheRunningFileWhileOthersMayWriteIt) {
  const std::string path = RunningExecutablePath();
  const std::string name = RunningExecutableName();
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(path.substr(path.size() - name.size()), name);
  EXPECT_EQ(path[path.size() - name.size() - 1], '\\');
  EXPECT_EQ(name.find('\\'), std::string::npos);

  ExeFile file;
  file.Open(path);
  EXPECT_TRUE(
      UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr)));

  auto first = file.ReadImage();
  auto second = file.ReadImage();  // from the first byte again
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(first->size(), data.nFileSizeLow);
  ASSERT_EQ(second->size(), first->size());
  EXPECT_EQ(std::memcmp(first->data(), "MZ", 2), 0);
  EXPECT_EQ(std::memcmp(first->data(), second->data(), first->size()), 0);

  file.Close();
  EXPECT_FALSE(file.is_open());
  EXPECT_THROW(file.ReadImage(), Error);
}

TEST(ExeFile, AnEmptyFileGivesAnEmptyImage) {
  testing::ScratchFolder folder;
  folder.WriteFile("empty.bin", "");
  ExeFile file;
  file.Open(folder.Sub("empty.bin"));
  EXPECT_EQ(file.ReadImage()->size(), 0u);
}

TEST(ExeFile, ReadsAtOffsetsTheFileAsItIsNow) {
  testing::ScratchFolder folder;
  folder.WriteFile("image.bin", "MZ stored bytes");
  ExeFile file;
  file.Open(folder.Sub("image.bin"));
  char bytes[8] = {};
  EXPECT_EQ(file.ReadAt(3, bytes, 6), 6u);
  EXPECT_EQ(std::string(bytes, 6), "stored");
  EXPECT_EQ(file.ReadAt(15, bytes, 8), 0u);
  // Cut short by another opener while it is held open.
  HANDLE other =
      CreateFileA(folder.Sub("image.bin").c_str(), GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  SetFilePointer(other, 5, nullptr, FILE_BEGIN);
  EXPECT_TRUE(SetEndOfFile(other));
  CloseHandle(other);
  EXPECT_EQ(file.Size(), 5);
  EXPECT_EQ(file.ReadAt(3, bytes, 6), 2u);
  EXPECT_EQ(file.ReadAt(9, bytes, 6), 0u);
  file.Close();
  EXPECT_THROW(file.ReadAt(0, bytes, 1), Error);
}

TEST(ExeFile, OpenFailureNamesThePathAndTheReason) {
  testing::ScratchFolder folder;
  const std::string path = folder.Sub("missing.exe");
  ExeFile file;
  try {
    file.Open(path);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              CannotOpenFileMessage(path, SystemErrorText(ERROR_FILE_NOT_FOUND)));
  }
  EXPECT_FALSE(file.is_open());
}

TEST(SystemErrorText, IsTrimmedAndFallsBackForUnknownOleCodes) {
  const std::string text = SystemErrorText(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), ' ');
  EXPECT_EQ(OleErrorText(static_cast<HRESULT>(0xA0F01234)), "OLE error a0f01234");
  EXPECT_EQ(OleErrorText(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)), text);
}

}  // namespace
}  // namespace tidemark
