#include "common/FileVersion.h"

#include "winsim/VersionControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

namespace {

class FileVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\medium\\setup.exe");
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
};

TEST_F(FileVersionTest, TextOfTheFirstTranslationsFileVersion) {
  winsim::VersionResource resource;
  resource.language = 0x0804;
  resource.codePage = 0x03a8;
  resource.strings = {{"FileVersion", "2.1.0.7"}, {"ProductVersion", "9.9.9.9"}};
  winsim::PutVersionedFile("C:\\a.dll", resource);
  EXPECT_EQ(GetFileVersionText("C:\\a.dll"), "2.1.0.7");
}

TEST_F(FileVersionTest, OfSeveralTranslationsOnlyTheFirstCounts) {
  winsim::VersionResource resource;
  resource.strings = {{"FileVersion", "1.0.0.1"}};
  resource.laterTables = {{0x0407, 0x04e4, {{"FileVersion", "2.0.0.2"}}}};
  winsim::PutVersionedFile("C:\\two.dll", resource);
  EXPECT_EQ(GetFileVersionText("C:\\two.dll"), "1.0.0.1");
  resource.strings.clear();  // the first table without a version: the later one is not asked
  winsim::PutVersionedFile("C:\\first-empty.dll", resource);
  EXPECT_EQ(GetFileVersionText("C:\\first-empty.dll"), "0.0.0.0");
}

TEST_F(FileVersionTest, EveryMissingPieceGivesZeroVersion) {
  winsim::WriteFile("C:\\plain.dll", "MZ no resource");
  EXPECT_EQ(GetFileVersionText("C:\\plain.dll"), "0.0.0.0");
  EXPECT_EQ(GetFileVersionText("C:\\missing.dll"), "0.0.0.0");
  EXPECT_EQ(GetFileVersionText(nullptr), "0.0.0.0");

  winsim::VersionResource noTable;
  noTable.hasTranslation = false;
  noTable.strings = {{"FileVersion", "1.0.0.5"}};
  winsim::PutVersionedFile("C:\\notable.dll", noTable);
  EXPECT_EQ(GetFileVersionText("C:\\notable.dll"), "0.0.0.0");

  winsim::VersionResource noText;
  noText.strings = {{"ProductVersion", "1.0.0.5"}};
  winsim::PutVersionedFile("C:\\notext.dll", noText);
  EXPECT_EQ(GetFileVersionText("C:\\notext.dll"), "0.0.0.0");

  winsim::PutFileWithVersion("C:\\empty.dll", "");
  EXPECT_EQ(GetFileVersionText("C:\\empty.dll"), "0.0.0.0");
}

TEST_F(FileVersionTest, FailedReadOfTheResourceGivesZeroVersion) {
  winsim::PutFileWithVersion("C:\\a.dll", "1.0.0.5");
  winsim::FailCall("GetFileVersionInfoA", ERROR_ACCESS_DENIED, 1);
  EXPECT_EQ(GetFileVersionText("C:\\a.dll"), "0.0.0.0");
  EXPECT_EQ(GetFileVersionText("C:\\a.dll"), "1.0.0.5");
}

TEST_F(FileVersionTest, VersionNumberReadsEveryOtherCharacter) {
  EXPECT_EQ(VersionNumber("1.0.0.5"), 1005);
  EXPECT_EQ(VersionNumber("0.0.0.0"), 0);
  EXPECT_EQ(VersionNumber("1.0.0.5a"), 1005);
  EXPECT_EQ(VersionNumber("3.2"), 32);
  EXPECT_EQ(VersionNumber(""), 0);
}

}  // namespace
