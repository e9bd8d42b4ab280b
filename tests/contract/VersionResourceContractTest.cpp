// Version resources as GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA give
// them, and GetFileVersionText over them.
#include "contract/ContractEnv.h"

#include "common/FileVersion.h"

#include <cstring>
#include <string>
#include <vector>

#ifdef WINSIM
#include "winsim/VersionControl.h"
#endif

namespace {

class VersionResourceContract : public ContractTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(contract::OpenHandles(), 0);
    ContractTest::TearDown();
  }
  // A DLL as the fixtures build it: "versioned" (FileVersion "1.0.0.5", translation
  // 0409/04b0), "notable" (the same without the translation table) or "plain" (no resource).
  std::string Fixture(const std::string& name) {
#ifdef WINSIM
    std::string path = dir + name + ".dll";
    if (name == "plain") {
      contract::PutFile(path, "MZ");
      return path;
    }
    winsim::VersionResource resource;
    resource.hasTranslation = name == "versioned";
    resource.strings["FileVersion"] = "1.0.0.5";
    if (name == "versioned") resource.strings["ProductVersion"] = "9.9.9.9";
    winsim::PutVersionedFile(path, resource);
    return path;
#else
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string path(module);
    return path.substr(0, path.rfind('\\') + 1) + "version-files\\" + name + ".dll";
#endif
  }
  // Reads the whole version block of a file; empty when there is none.
  static std::vector<char> Block(const std::string& path) {
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
    return block;
  }
};

TEST_F(VersionResourceContract, FileVersionTextIsFoundThroughTheTranslationTable) {
  std::string path = Fixture("versioned");
  std::vector<char> block = Block(path);
  ASSERT_FALSE(block.empty());

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  WORD pair[2];
  memcpy(pair, value, sizeof pair);
  EXPECT_EQ(pair[0], 0x0409);
  EXPECT_EQ(pair[1], 0x04b0);
  // The path may go without its leading backslash, as the product asks.
  EXPECT_TRUE(VerQueryValueA(block.data(), "VarFileInfo\\Translation", &value, &length));

  ASSERT_TRUE(
      VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion", &value, &length));
  EXPECT_STREQ(static_cast<const char*>(value), "1.0.0.5");
  EXPECT_EQ(length, 8u) << "characters with the terminator";
  // Block and value names are compared without regard to case.
  EXPECT_TRUE(
      VerQueryValueA(block.data(), "\\stringfileinfo\\040904B0\\fileversion", &value, &length));
  EXPECT_STREQ(static_cast<const char*>(value), "1.0.0.5");

  EXPECT_EQ(GetFileVersionText(path.c_str()), "1.0.0.5");
}

TEST_F(VersionResourceContract, OtherLanguageBlockOrValueIsNotFound) {
  std::vector<char> block = Block(Fixture("versioned"));
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT length = 0;
  SetLastError(0xdead);
  EXPECT_FALSE(
      VerQueryValueA(block.data(), "\\StringFileInfo\\04070000\\FileVersion", &value, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_FALSE(
      VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\Comments", &value, &length));
}

TEST_F(VersionResourceContract, ResourceWithoutTranslationTableGivesZeroVersion) {
  std::string path = Fixture("notable");
  std::vector<char> block = Block(path);
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT length = 0;
  SetLastError(0xdead);
  EXPECT_FALSE(VerQueryValueA(block.data(), "VarFileInfo\\Translation", &value, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(GetFileVersionText(path.c_str()), "0.0.0.0");
}

TEST_F(VersionResourceContract, FileWithoutResourceAndMissingFileHaveNoVersionInfo) {
  DWORD handle = 1;
  SetLastError(0xdead);
  EXPECT_EQ(GetFileVersionInfoSizeA(Fixture("plain").c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(GetFileVersionText(Fixture("plain").c_str()), "0.0.0.0");

  std::string missing = dir + "missing.dll";
  SetLastError(0xdead);
  EXPECT_EQ(GetFileVersionInfoSizeA(missing.c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileVersionText(missing.c_str()), "0.0.0.0");
}

}  // namespace
