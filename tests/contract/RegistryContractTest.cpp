// The registry functions as Windows answers them.
#include "contract/ContractEnv.h"

#include <cstring>
#include <string>

namespace {

class RegistryContract : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, contract::TestKeyPath(), 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key);
    EXPECT_EQ(contract::OpenHandles(), 0);
    ContractTest::TearDown();
  }
  std::string Sub(const char* name) { return std::string(contract::TestKeyPath()) + "\\" + name; }
  HKEY key = nullptr;
};

TEST_F(RegistryContract, MissingKeyAndValueGiveFileNotFound) {
  HKEY missing = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("nothing").c_str(), 0, KEY_READ, &missing),
            ERROR_FILE_NOT_FOUND);
  DWORD size = 4;
  DWORD value = 0;
  EXPECT_EQ(RegQueryValueExA(key, "nothing", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryContract, QueryIntoSmallBufferGivesMoreDataAndTheNeededSize) {
  const char twelve[12] = "eleven char";
  ASSERT_EQ(RegSetValueExA(key, "v", 0, REG_BINARY, reinterpret_cast<const BYTE*>(twelve), 12),
            ERROR_SUCCESS);
  DWORD value = 0;
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 12u);
  DWORD type = 0;
  size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 12u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
}

TEST_F(RegistryContract, ValuesKeepTypeAndBytesAndNamesIgnoreCase) {
  DWORD number = 0x12345678;
  ASSERT_EQ(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 4),
            ERROR_SUCCESS);
  DWORD type = 0, size = 4, read = 0;
  EXPECT_EQ(RegQueryValueExA(key, "NUMBER", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(read, number);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  char text[16] = {};
  size = sizeof text;
  EXPECT_EQ(RegQueryValueExA(key, "text", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "abc");
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  // Writing again under another spelling replaces the value instead of adding one.
  ASSERT_EQ(RegSetValueExA(key, "TEXT", 0, REG_SZ, reinterpret_cast<const BYTE*>("xy"), 3),
            ERROR_SUCCESS);
  char name[32];
  DWORD nameLength = sizeof name;
  EXPECT_EQ(RegEnumValueA(key, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "Text");
  nameLength = sizeof name;
  EXPECT_EQ(RegEnumValueA(key, 2, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryContract, EnumValueReportsNameLengthAndTooSmallNameBuffer) {
  DWORD zero = 0;
  ASSERT_EQ(RegSetValueExA(key, "LongerName", 0, REG_DWORD, reinterpret_cast<BYTE*>(&zero), 4),
            ERROR_SUCCESS);
  char name[32];
  DWORD nameLength = sizeof name;
  DWORD type = 0;
  ASSERT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "LongerName");
  EXPECT_EQ(nameLength, 10u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  nameLength = 5;
  EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
}

TEST_F(RegistryContract, CreateMakesIntermediateKeysAndReportsDisposition) {
  HKEY created;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Sub("a\\b\\c\\").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &created, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(created);
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Sub("A\\B\\C").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &created, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  RegCloseKey(created);
  // A trailing backslash opens the same key.
  HKEY opened;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("a\\b\\").c_str(), 0, KEY_ALL_ACCESS, &opened),
            ERROR_SUCCESS);
  char name[260];
  EXPECT_EQ(RegEnumKeyA(opened, 0, name, sizeof name), ERROR_SUCCESS);
  EXPECT_STREQ(name, "c");
  EXPECT_EQ(RegEnumKeyA(opened, 1, name, sizeof name), ERROR_NO_MORE_ITEMS);
  RegCloseKey(opened);
}

TEST_F(RegistryContract, DeletingAKeyWithSubkeysIsDeniedAndLeafByLeafWorks) {
  HKEY created;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Sub("p\\q").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &created, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(created);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Sub("p").c_str()), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Sub("p\\q").c_str()), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Sub("p").c_str()), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Sub("p").c_str()), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryContract, SubkeysEnumerateInAlphabeticalOrder) {
  for (const char* name : {"zeta", "Alpha", "mid"}) {
    HKEY created;
    ASSERT_EQ(RegCreateKeyExA(key, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
  }
  char name[260];
  std::string order;
  for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i) order += std::string(name) + ",";
  EXPECT_EQ(order, "Alpha,mid,zeta,");
  EXPECT_EQ(RegEnumKeyA(key, 0, name, 3), ERROR_MORE_DATA);
}

TEST_F(RegistryContract, AHandleGivesOnlyTheRightsItWasOpenedWith) {
  const BYTE one[] = "1";
  ASSERT_EQ(RegSetValueExA(key, "v", 0, REG_SZ, one, 2), ERROR_SUCCESS);
  HKEY reader;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, contract::TestKeyPath(), 0, KEY_READ, &reader),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(reader, "v", 0, REG_SZ, one, 2), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(reader, "v"), ERROR_ACCESS_DENIED);
  char text[8];
  DWORD size = sizeof text;
  EXPECT_EQ(RegQueryValueExA(reader, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  RegCloseKey(reader);
  HKEY writer;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, contract::TestKeyPath(), 0, KEY_SET_VALUE, &writer),
            ERROR_SUCCESS);
  size = sizeof text;
  EXPECT_EQ(RegQueryValueExA(writer, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            ERROR_ACCESS_DENIED);
  char name[32];
  EXPECT_EQ(RegEnumKeyA(writer, 0, name, sizeof name), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegSetValueExA(writer, "v", 0, REG_SZ, one, 2), ERROR_SUCCESS);
  RegCloseKey(writer);
}

TEST_F(RegistryContract, AKeyThatGrantsOnlyReadingRefusesEverythingElse) {
  contract::ProtectKey(Sub("guarded"), KEY_READ);
  HKEY opened = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("guarded").c_str(), 0, KEY_ALL_ACCESS, &opened),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("guarded").c_str(), 0, KEY_SET_VALUE, &opened),
            ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("guarded").c_str(), 0, KEY_READ, &opened),
            ERROR_SUCCESS);
  RegCloseKey(opened);
}

TEST_F(RegistryContract, AKeyThatGrantsOnlyReadingGetsNoSubkeyAndIsNotDeleted) {
  SKIP_ON_WINE("Wine creates subkeys under and deletes a key whose security refuses both");
  contract::ProtectKey(Sub("guarded"), KEY_READ);
  HKEY created = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Sub("guarded\\child").c_str(), 0, nullptr, 0,
                            KEY_READ, nullptr, &created, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Sub("guarded").c_str()), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryContract, DeleteValueRemovesItOnceAndThenFindsNothing) {
  const BYTE one[] = "1";
  ASSERT_EQ(RegSetValueExA(key, "Gone", 0, REG_SZ, one, 2), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "GONE"), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Gone", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key, "Gone"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryContract, ClosingAnInvalidHandleFails) {
  HKEY created;
  ASSERT_EQ(RegCreateKeyExA(key, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(created), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(created), ERROR_INVALID_HANDLE);
}

}  // namespace
