#include "common/RegKey.h"

#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* kPath = "SOFTWARE\\VORTELL\\TEST";

class RegKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    ASSERT_TRUE(RegKey::CreateKey(HKEY_LOCAL_MACHINE, kPath));
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
};

TEST_F(RegKeyTest, SecondOpenClosesTheFirstKey) {
  ASSERT_TRUE(RegKey::CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other"));
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  ASSERT_TRUE(key.IsOpen());
  ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other"));
  EXPECT_EQ(winsim::OpenHandles(winsim::HandleKind::Key), 1);
  EXPECT_TRUE(key.SetDword("here", 7));
  DWORD value = 0;
  EXPECT_TRUE(winsim::GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", "here", &value));
  EXPECT_EQ(value, 7u);
}

TEST_F(RegKeyTest, FailedOpenKeepsTheErrorAndEveryOperationThenDoesNothing) {
  RegKey key;
  EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing"));
  EXPECT_EQ(key.LastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(key.IsOpen());
  DWORD error = 12345;
  DWORD value = 0;
  EXPECT_FALSE(key.SetDword("v", 1, &error));
  EXPECT_FALSE(key.SetString("v", "x", &error));
  EXPECT_FALSE(key.QueryDword("v", &value, &error));
  char text[8] = "keep";
  EXPECT_FALSE(key.QueryString("v", text, sizeof text, &error));
  EXPECT_STREQ(text, "keep");
  EXPECT_EQ(error, 12345u) << "the error address is only written when a key was open";
  EXPECT_FALSE(key.Close());
  EXPECT_EQ(winsim::CallCount("RegSetValueExA"), 0);
}

TEST_F(RegKeyTest, EnumValueOnAClosedKeyEndsALoopAtOnce) {
  RegKey key;
  char name[16] = "untouched";
  DWORD length = sizeof name;
  DWORD type = 99;
  int rounds = 0;
  for (DWORD i = 0; key.EnumValue(i, name, &length, &type) == ERROR_SUCCESS && rounds < 5; ++i) ++rounds;
  EXPECT_EQ(rounds, 0);
  EXPECT_STREQ(name, "untouched");
  EXPECT_EQ(type, 99u);
}

TEST_F(RegKeyTest, EnumValueListsValuesThenNoMoreItems) {
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  key.SetDword("D1", 0);
  key.SetString("Name", "x");
  char name[16];
  DWORD length = sizeof name;
  DWORD type = 0;
  ASSERT_EQ(key.EnumValue(1, name, &length, &type), ERROR_SUCCESS);
  EXPECT_STREQ(name, "Name");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  length = sizeof name;
  EXPECT_EQ(key.EnumValue(2, name, &length, &type), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegKeyTest, SetStringStoresTheTerminatorAndEmptyTextHasSizeOne) {
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  ASSERT_TRUE(key.SetString("Empty", ""));
  ASSERT_TRUE(key.SetString("Word", "abc"));
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(winsim::GetValue(HKEY_LOCAL_MACHINE, kPath, "Empty", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data, std::string(1, '\0'));
  ASSERT_TRUE(winsim::GetValue(HKEY_LOCAL_MACHINE, kPath, "Word", &type, &data));
  EXPECT_EQ(data, std::string("abc", 4));
}

TEST_F(RegKeyTest, QueryDwordOfALongerValueFailsWithMoreData) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, kPath, "Long", REG_BINARY, std::string(12, 'x'));
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  DWORD value = 0;
  DWORD error = 0;
  EXPECT_FALSE(key.QueryDword("Long", &value, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_MORE_DATA));
  EXPECT_EQ(key.LastError(), static_cast<DWORD>(ERROR_MORE_DATA));
  winsim::SetValue(HKEY_LOCAL_MACHINE, kPath, "Four", REG_DWORD, std::string("\x2a\0\0\0", 4));
  EXPECT_TRUE(key.QueryDword("Four", &value, &error));
  EXPECT_EQ(value, 42u);
  EXPECT_EQ(error, 0u);
}

TEST_F(RegKeyTest, QueryStringClearsTheBufferAndTerminatesAValueStoredWithoutNul) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, kPath, "Raw", REG_SZ, "abcd");  // no terminator stored
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  char text[4];
  memset(text, 'z', sizeof text);
  EXPECT_TRUE(key.QueryString("Raw", text, 4));
  EXPECT_STREQ(text, "abc");
  memset(text, 'z', sizeof text);
  EXPECT_FALSE(key.QueryString("Missing", text, 4));
  EXPECT_STREQ(text, "");
}

TEST_F(RegKeyTest, AnUnterminatedValueEndsAtTheLengthTheQueryReturned) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, kPath, "Raw", REG_SZ, "ab");  // 2 bytes, no terminator
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  char text[16];
  memset(text, 'z', sizeof text);  // what an earlier use left in the buffer
  EXPECT_TRUE(key.QueryString("Raw", text, sizeof text));
  EXPECT_STREQ(text, "ab");
}

std::string Joined(char** list) {
  std::string all;
  int count = 0;
  for (char** item = list; item && *item; ++item, ++count) all += std::string("[") + *item + "]";
  return std::to_string(count) + ":" + all;
}

TEST_F(RegKeyTest, QueryStringListSplitsOnSemicolons) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"a;b;c", "3:[a][b][c]"}, {"a;b;", "2:[a][b]"}, {"a;;b", "3:[a][][b]"},
      {";", "1:[]"},            {"single", "1:[single]"},
  };
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  for (const Case& c : cases) {
    key.SetString("List", c.text);
    char** list = key.QueryStringList("List");
    EXPECT_EQ(Joined(list), c.expected) << c.text;
    RegKey::FreeStringList(list);
  }
  winsim::SetValue(HKEY_LOCAL_MACHINE, kPath, "Bare", REG_SZ, ";");  // stored without its NUL
  char** bare = key.QueryStringList("Bare");
  EXPECT_EQ(Joined(bare), "1:[]");
  RegKey::FreeStringList(bare);
  key.SetString("Empty", "");
  DWORD error = 1;
  EXPECT_EQ(key.QueryStringList("Empty", &error), nullptr);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(key.QueryStringList("Missing", &error), nullptr);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  RegKey::FreeStringList(nullptr);
}

TEST_F(RegKeyTest, QueryStringListCutsAValueLongerThanItsBuffer) {
  std::string text;
  for (int i = 0; i < 600; ++i) text += "abc;";  // 2400 characters
  text += std::string(300, 'z');              // 2700 in all
  winsim::SetValue(HKEY_LOCAL_MACHINE, kPath, "Long", REG_SZ, text + '\0');
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  char** list = key.QueryStringList("Long");
  // Too long for the 2500-character buffer: the query fails, and no list is made.
  EXPECT_EQ(list, nullptr);
  RegKey::FreeStringList(list);
}

TEST_F(RegKeyTest, ListIsClosedByItsSpareNullSlots) {
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  key.SetString("List", "a;b;c");
  char** list = key.QueryStringList("List");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list[3], nullptr);
  EXPECT_EQ(list[4], nullptr);
  EXPECT_EQ(list[5], nullptr);
  RegKey::FreeStringList(list);
}

TEST_F(RegKeyTest, CreateAndDeleteKeyLeaveNoHandleAndDeleteRefusesAParent) {
  EXPECT_TRUE(RegKey::CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME\\"));
  EXPECT_TRUE(winsim::KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME"));
  EXPECT_FALSE(RegKey::DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL"));
  EXPECT_TRUE(RegKey::DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME"));
  EXPECT_FALSE(winsim::KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME"));
  winsim::FailCall("RegCreateKeyExA", ERROR_ACCESS_DENIED);
  EXPECT_FALSE(RegKey::CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\New"));
}

TEST_F(RegKeyTest, SetValueKeepsTheRegistryError) {
  RegKey key(HKEY_LOCAL_MACHINE, kPath);
  winsim::FailCall("RegSetValueExA", ERROR_ACCESS_DENIED, 1);
  DWORD error = 0;
  EXPECT_FALSE(key.SetDword("v", 1, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(key.SetDword("v", 1, &error));
  EXPECT_EQ(error, 0u);
}

}  // namespace
