#include "system/registry.h"

#include <gtest/gtest.h>

#include "container/errors.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

using testing::ScratchKey;

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;

std::string StoredBytes(HKEY root, const std::string& path, const char* name, DWORD* type) {
  char data[256];
  DWORD size = sizeof data;
  if (RegGetValueA(root, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, type, data, &size) !=
      ERROR_SUCCESS) {
    return "<missing>";
  }
  return std::string(data, size);
}

class RegistryRead : public ::testing::Test {
 protected:
  ScratchKey key_;
};

TEST_F(RegistryRead, MachineRootWinsAndUserRootFillsItsGaps) {
  key_.SetString(kMachine, "Both", "machine");
  key_.SetString(kUser, "Both", "user");
  key_.SetString(kMachine, "Empty", "");
  key_.SetString(kUser, "Empty", "user");
  key_.Set(kMachine, "NoData", REG_BINARY, "");
  key_.SetString(kUser, "NoData", "user");
  key_.SetString(kUser, "UserOnly", "user");
  for (auto read : {&ReadRegString, &ReadRegStringReadOnly}) {
    EXPECT_EQ(read(key_.path(), "Both"), "machine");
    EXPECT_EQ(read(key_.path(), "Empty"), "user");
    EXPECT_EQ(read(key_.path(), "NoData"), "user");
    EXPECT_EQ(read(key_.path(), "UserOnly"), "user");
    EXPECT_EQ(read(key_.path(), "Nowhere"), "");
    EXPECT_EQ(read(key_.Sub("NoSuchKey"), "Both"), "");
  }
}

TEST_F(RegistryRead, DataIsTakenAsStoredUpToItsFirstZero) {
  key_.Set(kMachine, "Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15));
  key_.Set(kMachine, "Cut", REG_SZ, std::string("ab\0cd\0", 6));
  key_.Set(kMachine, "Unterminated", REG_SZ, "abc");
  const std::string large(100000, 'v');
  key_.SetString(kMachine, "Large", large);
  EXPECT_EQ(ReadRegString(key_.path(), "Expand"), "%SystemRoot%\\x");
  EXPECT_EQ(ReadRegString(key_.path(), "Cut"), "ab");
  EXPECT_EQ(ReadRegString(key_.path(), "Unterminated"), "abc");
  EXPECT_EQ(ReadRegStringReadOnly(key_.path(), "Large"), large);
}

TEST_F(RegistryRead, OtherTypesRaiseOnlyWhenTheyHoldData) {
  key_.Set(kMachine, "Count", REG_DWORD, std::string("\x01\0\0\0", 4));
  key_.SetString(kUser, "Count", "user");  // never reached: the error ends the call
  key_.Set(kMachine, "EmptyDword", REG_DWORD, "");
  for (auto read : {&ReadRegString, &ReadRegStringReadOnly}) {
    try {
      read(key_.path(), "Count");
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), "Invalid data type for 'Count'");
    }
    EXPECT_EQ(read(key_.path(), "EmptyDword"), "");
  }
}

// Full access refused under the machine root: the plain read falls back to
// the user root, the read-only one still reads the machine root at each
// level of its access ladder.
TEST_F(RegistryRead, RefusedFullAccessSeparatesTheTwoReads) {
  key_.SetString(kMachine, "Value", "machine");
  key_.SetString(kUser, "Value", "user");
  for (const char* granted : {"D:P(A;;KR;;;WD)", "D:P(A;;0x20009;;;WD)", "D:P(A;;0x1;;;WD)"}) {
    SCOPED_TRACE(granted);
    key_.RestrictAccess(kMachine, granted);
    EXPECT_EQ(ReadRegString(key_.path(), "Value"), "user");
    EXPECT_EQ(ReadRegStringReadOnly(key_.path(), "Value"), "machine");
  }
  key_.RestrictAccess(kMachine, "D:P");  // nothing granted at all
  EXPECT_EQ(ReadRegStringReadOnly(key_.path(), "Value"), "user");
}

class RegistryWrite : public ::testing::Test {
 protected:
  ScratchKey key_;
};

TEST_F(RegistryWrite, CreatesTheWholePathAndReplacesTheValue) {
  const std::string deep = key_.Sub("a\\b\\c");
  WriteRegString(deep, "DisplayName", "first");
  DWORD type = REG_NONE;
  EXPECT_EQ(StoredBytes(kMachine, deep, "DisplayName", &type), std::string("first\0", 6));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  WriteRegString(deep, "DisplayName", "second");
  EXPECT_EQ(StoredBytes(kMachine, deep, "DisplayName", &type), std::string("second\0", 7));
  EXPECT_FALSE(key_.Exists(kUser, key_.path()));
}

TEST_F(RegistryWrite, RaisesWhenTheKeyCannotBeOpened) {
  key_.SetString(kMachine, "Old", "x");
  key_.RestrictAccess(kMachine, "D:P(A;;KR;;;WD)");
  try {
    WriteRegString(key_.path(), "UninstallString", "y");
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'UninstallString'");
  }
}

TEST(RegistryDelete, RemovesTheWholeTreeAndNothingBeside) {
  ScratchKey key;
  for (const char* path : {"app\\x\\y\\z", "app\\x\\w", "app\\v", "sibling"}) {
    WriteRegString(key.Sub(path), "n", "v");
  }
  DeleteRegKey(key.Sub("app"));
  EXPECT_FALSE(key.Exists(kMachine, key.Sub("app")));
  EXPECT_TRUE(key.Exists(kMachine, key.Sub("sibling")));
  DeleteRegKey(key.Sub("app"));  // already gone: nothing happens
  DeleteRegKey(key.Sub("missing\\deeper"));
  EXPECT_TRUE(key.Exists(kMachine, key.Sub("sibling")));
}

// A path with an empty last component would otherwise be read as its
// parent, and the parent deleted with everything in it.
TEST(RegistryDelete, IgnoresPathsWithEmptyComponents) {
  ScratchKey key;
  WriteRegString(key.Sub("app"), "n", "v");
  for (const std::string& path : {key.path() + "\\", key.path() + "\\\\app", std::string()}) {
    DeleteRegKey(path);
  }
  EXPECT_TRUE(key.Exists(kMachine, key.Sub("app")));
}

}  // namespace
}  // namespace tidemark
