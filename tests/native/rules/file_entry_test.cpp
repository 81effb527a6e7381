#include "rules/file_entry.h"

#include <gtest/gtest.h>

#include "container/errors.h"

namespace tidemark {
namespace {

void ExpectSplit(std::string_view line, const std::string& name, const std::string& size_text) {
  const FileEntry entry = SplitFileEntry(line);
  EXPECT_EQ(entry.name, name) << line;
  EXPECT_EQ(entry.size_text, size_text) << line;
}

TEST(FileEntryTest, SplitsAWellFormedLine) {
  ExpectSplit("<a\\b.txt><12>", "a\\b.txt", "12");
  ExpectSplit("<app.exe><0>", "app.exe", "0");
  ExpectSplit("<x><2147483647>", "x", "2147483647");
  EXPECT_EQ(SplitFileEntry("<a\\b.txt><12>").Size(), 12);
}

TEST(FileEntryTest, GoesByPositionNotByTheBrackets) {
  ExpectSplit("Xname><34Y", "name", "34");
  ExpectSplit("<name><34>>", "name", "34>");
  ExpectSplit("<a><b><5>", "a", "b><5");
  ExpectSplit("<><7>", "", "7");
  ExpectSplit("<a b.txt>< 5 >", "a b.txt", " 5 ");
}

TEST(FileEntryTest, MalformedLinesGiveEmptyParts) {
  ExpectSplit("", "", "");
  ExpectSplit("<", "", "");
  ExpectSplit("<name", "", "");
  ExpectSplit("<name>", "name", "");
  ExpectSplit("<name><", "name", "");
  ExpectSplit("<name><>", "name", "");
  ExpectSplit("<name><1", "name", "");
  ExpectSplit(">><12>", "", "12");
}

TEST(FileEntryTest, SizeRaisesTheIntegerErrorWithTheText) {
  const auto message_for = [](std::string_view line) {
    try {
      SplitFileEntry(line).Size();
    } catch (const Error& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message_for(""), "'' is not a valid integer value");
  EXPECT_EQ(message_for("<a><12 >"), "'12 ' is not a valid integer value");
  EXPECT_EQ(message_for("<a><0x10>"), "'0x10' is not a valid integer value");
  EXPECT_EQ(message_for("<a><2147483648>"), "'2147483648' is not a valid integer value");
  EXPECT_EQ(SplitFileEntry("<a><-1>").Size(), -1) << "a sign is part of an integer";
}

TEST(FileEntryTest, KeysAreNumberedInDecimal) {
  EXPECT_EQ(FileEntryKey(1), "f1");
  EXPECT_EQ(FileEntryKey(10), "f10");
  EXPECT_EQ(FileEntryKey(123456), "f123456");
}

}  // namespace
}  // namespace tidemark
