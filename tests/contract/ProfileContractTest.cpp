// The profile (INI) reads and writes as Windows answers them.
#include "contract/ContractEnv.h"

#include <string>

namespace {

class ProfileContract : public ContractTest {
 protected:
  std::string Ini(const std::string& text) {
    std::string path = dir + "test.ini";
    contract::PutFile(path, text);
    return path;
  }
  std::string Read(const std::string& path, const char* section, const char* key,
                   const char* fallback = "dflt", DWORD size = 64, DWORD* length = nullptr) {
    char buffer[256];
    DWORD got = GetPrivateProfileStringA(section, key, fallback, buffer, size, path.c_str());
    if (length) *length = got;
    return buffer;
  }
};

TEST_F(ProfileContract, ValuesAreTrimmedAndOnePairOfQuotesIsStripped) {
  std::string ini = Ini(
      "[Sec]\r\n  Padded  =   value with blanks   \r\nQuoted=\"in quotes\"\r\n"
      "Single='single'\r\nTwice=\"\"x\"\"\r\nUneven=\"open\r\nEmpty=\r\n");
  EXPECT_EQ(Read(ini, "Sec", "Padded"), "value with blanks");
  EXPECT_EQ(Read(ini, "Sec", "Quoted"), "in quotes");
  EXPECT_EQ(Read(ini, "Sec", "Single"), "single");
  EXPECT_EQ(Read(ini, "Sec", "Twice"), "\"x\"");
  EXPECT_EQ(Read(ini, "Sec", "Uneven"), "\"open");
  EXPECT_EQ(Read(ini, "Sec", "Empty"), "") << "an empty value is not the default";
}

TEST_F(ProfileContract, NamesIgnoreCaseAndTheFirstOfDuplicatesWins) {
  std::string ini = Ini("[Section]\r\nKey=first\r\nKEY=second\r\n[section]\r\nOther=hidden\r\n");
  EXPECT_EQ(Read(ini, "SECTION", "key"), "first");
  EXPECT_EQ(Read(ini, "section", "Other"), "dflt") << "keys of a repeated section are invisible";
}

TEST_F(ProfileContract, LongValueIsCutToTheBufferAndTheLengthSaysSo) {
  std::string ini = Ini("[S]\r\nLong=0123456789abcdef\r\n");
  DWORD length = 0;
  EXPECT_EQ(Read(ini, "S", "Long", "", 8, &length), "0123456");
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(Read(ini, "S", "Long", "", 17, &length), "0123456789abcdef");
  EXPECT_EQ(length, 16u);
}

TEST_F(ProfileContract, MissingFileSectionOrKeyGiveTheDefaultWithoutTrailingBlanks) {
  std::string ini = Ini("[S]\r\nK=v\r\n");
  EXPECT_EQ(Read(dir + "absent.ini", "S", "K", "0"), "0");
  EXPECT_EQ(Read(ini, "Other", "K", "fallback  "), "fallback");
  EXPECT_EQ(Read(ini, "S", "Missing", "  lead"), "  lead");
  DWORD length = 99;
  EXPECT_EQ(Read(ini, "S", "Missing", "abcdefgh", 4, &length), "abc");
  EXPECT_EQ(length, 3u);
}

TEST_F(ProfileContract, NullSectionOrKeyListsTheNames) {
  std::string ini = Ini("[One]\r\na=1\r\nb=2\r\n[Two]\r\nc=3\r\n");
  char buffer[64];
  DWORD length = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, ini.c_str());
  EXPECT_EQ(std::string(buffer, length), std::string("One\0Two\0", 8));
  length = GetPrivateProfileStringA("One", nullptr, "", buffer, sizeof buffer, ini.c_str());
  EXPECT_EQ(std::string(buffer, length), std::string("a\0b\0", 4));
}

TEST_F(ProfileContract, IntegerReadsLeadingDigitsHexAndSign) {
  std::string ini = Ini("[N]\r\nMixed=12abc\r\nHex=0x10\r\nNeg=-7\r\nText=abc\r\nEmpty=\r\nSpaced=  42  \r\n");
  EXPECT_EQ(GetPrivateProfileIntA("N", "Mixed", 5, ini.c_str()), 12u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "Hex", 5, ini.c_str()), 16u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "Neg", 5, ini.c_str()), static_cast<UINT>(-7));
  EXPECT_EQ(GetPrivateProfileIntA("N", "Text", 5, ini.c_str()), 0u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "Spaced", 5, ini.c_str()), 42u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "Missing", 5, ini.c_str()), 5u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "Empty", 5, ini.c_str()), 5u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "Hex", 5, (dir + "absent.ini").c_str()), 5u);
}

TEST_F(ProfileContract, BareFileNameLivesInTheWindowsDirectory) {
  char windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
  std::string path = std::string(windows) + "\\contract-bare.ini";
  contract::PutFile(path, "[B]\r\nWhere=windows\r\n");
  char buffer[32];
  GetPrivateProfileStringA("B", "Where", "nowhere", buffer, sizeof buffer, "contract-bare.ini");
  DeleteFileA(path.c_str());
  EXPECT_STREQ(buffer, "windows");
}

TEST_F(ProfileContract, AWriteKeepsTheCommentsAndBlankLinesOfTheFile) {
  std::string ini = Ini("; written by hand\r\n[S]\r\n; the rate\r\nA=1\r\n\r\n[T]\r\nB=2\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "A", "9", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("T", "B", nullptr, ini.c_str()));
  std::string text = contract::FileText(ini);
  EXPECT_EQ(text.find("; written by hand\r\n"), 0u) << text;
  EXPECT_NE(text.find("; the rate\r\nA=9\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("B="), std::string::npos) << text;
  EXPECT_EQ(Read(ini, "S", "A"), "9");
  EXPECT_EQ(Read(ini, "S", nullptr, ""), "A") << "comments are no keys";
}

TEST_F(ProfileContract, AWriteKeepsTheBlankLineBetweenSections) {
  SKIP_ON_WINE("Wine writes its own blank lines between sections instead of the file's");
  std::string ini = Ini("[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "A", "9", ini.c_str()));
  EXPECT_EQ(contract::FileText(ini), "[S]\r\nA=9\r\n\r\n[T]\r\nB=2\r\n");
}

TEST_F(ProfileContract, AReadOnlyFileIsNotWritten) {
  SKIP_ON_WINE("Wine's WritePrivateProfileStringA reports success for a read-only file");
  std::string ini = Ini("[S]\r\nA=1\r\n");
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(WritePrivateProfileStringA("S", "A", "2", ini.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Read(ini, "S", "A"), "1");
}

TEST_F(ProfileContract, FileNamesIgnoreCase) {
  contract::PutFile(dir + "Setup_Ticket.ini", "[S]\r\nK=found\r\n");
  EXPECT_EQ(Read(dir + "SETUP_ticket.INI", "S", "K"), "found");
}

TEST_F(ProfileContract, WritesReplaceAddAndDeleteEntries) {
  std::string ini = Ini("[Ports]\r\nCOM1:=9600,n,8,1\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("Ports", "COM1:", "19200,n,8,1,x", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Ports", "COM2:", "4800,e,7,2", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("New", "Key", "v", ini.c_str()));
  EXPECT_EQ(Read(ini, "Ports", "COM1:"), "19200,n,8,1,x");
  EXPECT_EQ(Read(ini, "Ports", "COM2:"), "4800,e,7,2");
  EXPECT_EQ(Read(ini, "New", "Key"), "v");
  ASSERT_TRUE(WritePrivateProfileStringA("Ports", "COM1:", nullptr, ini.c_str()));
  EXPECT_EQ(Read(ini, "Ports", "COM1:"), "dflt");
  EXPECT_EQ(Read(ini, "Ports", "COM2:"), "4800,e,7,2");
  ASSERT_TRUE(WritePrivateProfileStringA("New", nullptr, nullptr, ini.c_str()));
  EXPECT_EQ(Read(ini, "New", "Key"), "dflt");
  std::string fresh = dir + "fresh.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "created", fresh.c_str()));
  EXPECT_EQ(Read(fresh, "S", "K"), "created");
}

}  // namespace
