// The profile reader and writer of the Linux build: they must read what the
// Windows profile functions write and leave what they do not own alone.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <string>
#include <utility>

#include "sys/profile.h"
#include "tests/cli/zorva_process.h"

namespace zorva::sys {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Any line end, names in any case, blanks around names and values, comments,
// a line without "=", the first of two sections of one name, and binary junk.
TEST(ProfileFile, ReadsWhatWindowsWrites) {
  const std::string path = TempFilePath("read.ini");
  WriteBytes(path, "[Zorvax]\nGlyx1=no\n[ zorva ]\r\nGlyx1 = x+y \t\r\n;Glyx2=comment\n\nGLYX2=a=b\rbare\r\n"
                   "glyx2=later\n[Next]\nGlyx3=no\n[ZORVA]\nGlyx3=no");
  const ProfileSection keys = LoadProfileSection(path, "Zorva");
  ASSERT_EQ(keys.Keys().size(), 5u) << "four keys and the comment";
  EXPECT_EQ(*keys.Find("glyx1"), "x+y");
  EXPECT_EQ(*keys.Find("Glyx2"), "a=b");
  EXPECT_EQ(*keys.Find("bare"), "");
  EXPECT_EQ(keys.Find("Glyx3"), nullptr);
  EXPECT_TRUE(LoadProfileSection(path, "Missing").Keys().empty());
  EXPECT_TRUE(LoadProfileSection(TempFilePath("no such file.ini"), "Zorva").Keys().empty());
  // Bytes that are no text at all read as something, and never crash.
  std::string junk = "[Zorva]\nGlyx1=";
  for (int i = 0; i < 100000; i++) junk += static_cast<char>((i * 7919) % 256);
  WriteBytes(path, junk);
  const ProfileSection junkKeys = LoadProfileSection(path, "Zorva");
  ASSERT_NE(junkKeys.Find("Glyx1"), nullptr);
  EXPECT_FALSE(junkKeys.Find("Glyx1")->empty());
  std::remove(path.c_str());
}

// The section's keys are replaced; every other line keeps its bytes and line end.
TEST(ProfileFile, WritesTheSectionAndNothingElse) {
  const std::string path = TempFilePath("write.ini");
  WriteBytes(path, "; top\n[Other]\nA=1\r[zorva]\r\nold=1\r\n\n[Last]\nB=2");
  ProfileSection keys;
  keys.Append("Glyx0", "x");
  keys.Append("Glyx1", "");
  ASSERT_TRUE(StoreProfileSection(path, "Zorva", keys));
  EXPECT_EQ(ReadFileBytes(path), "; top\n[Other]\nA=1\r[zorva]\r\nGlyx0=x\r\nGlyx1=\r\n[Last]\nB=2");

  ASSERT_TRUE(StoreProfileSection(path, "New", keys));
  EXPECT_EQ(ReadFileBytes(path), "; top\n[Other]\nA=1\r[zorva]\r\nGlyx0=x\r\nGlyx1=\r\n[Last]\nB=2\r\n[New]\r\nGlyx0=x\r\nGlyx1=\r\n");

  const std::string fresh = TempFilePath("fresh.ini");
  ASSERT_TRUE(StoreProfileSection(fresh, "Zorva", keys));
  EXPECT_EQ(ReadFileBytes(fresh), "[Zorva]\r\nGlyx0=x\r\nGlyx1=\r\n");
  EXPECT_FALSE(StoreProfileSection(TempFilePath("no such folder/x.ini"), "Zorva", keys));
  std::remove(path.c_str());
  std::remove(fresh.c_str());
}

// A save rewrites only the lines whose values change: a comment, a name
// without "=" and a hand-spaced line stay as they were.
TEST(ProfileFile, KeepsTheLinesWhoseValuesStay) {
  const std::string path = TempFilePath("keep.ini");
  WriteBytes(path, "[Zorva]\r\n; my glyxes\nGlyx1 = x+y \r\nbare\r\nGlyx2=old\r\n[Next]\r\n");
  ProfileSection keys = LoadProfileSection(path, "Zorva");
  keys.Set("glyx1", "x+y");
  keys.Set("Bare", "");
  keys.Set("Glyx2", "new");
  keys.Set("Glyx3", "");
  ASSERT_TRUE(StoreProfileSection(path, "Zorva", keys));
  EXPECT_EQ(ReadFileBytes(path), "[Zorva]\r\n; my glyxes\r\nGlyx1 = x+y \r\nbare\r\nGlyx2=new\r\nGlyx3=\r\n[Next]\r\n");
  std::remove(path.c_str());
}

TEST(ProfileFile, NumbersReadAsTheProfileFunctionsReadThem) {
  const std::pair<const char*, int> valuesRead[] = {{" -12abc", -12}, {"+7", 7}, {"99999999999", INT_MAX},
                                                    {"-99999999999", INT_MIN}, {"junk", 0}, {"", 3}};
  for (const auto& [value, read] : valuesRead) {
    ProfileSection keys;
    keys.Append("a", value);
    EXPECT_EQ(ProfileInt(keys, "A", 3), read) << value;
  }
  EXPECT_EQ(ProfileInt(ProfileSection(), "missing", 3), 3);
}

}  // namespace
}  // namespace zorva::sys
