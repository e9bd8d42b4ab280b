// GetUsbPrinterId and SetUsbPrinterId on the real API against the test double of the maker's
// library, which the product loads from the program's own directory.
#include "ports/UsbPrinterId.h"

#include "engine/SetupText.h"
#include "windows/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class UsbPrinterIdWine : public ::testing::Test {
 protected:
  void SetUp() override {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    root = module;
    root.erase(root.rfind('\\') + 1);
    DeleteFileA((root + "usbprinters.txt").c_str());
    DeleteFileA((root + "usbwrites.txt").c_str());
    ASSERT_NE(GetFileAttributesA((root + "AqUsbInt.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the library double is built beside the tests";
  }
  void TearDown() override {
    DeleteFileA((root + "usbprinters.txt").c_str());
    DeleteFileA((root + "usbwrites.txt").c_str());
    // Each call must unload the library again.
    EXPECT_EQ(GetModuleHandleA("AqUsbInt.dll"), nullptr);
  }
  void Attach(const std::string& lines) {
    std::ofstream((root + "usbprinters.txt").c_str()) << lines;
  }
  std::string Writes() {
    std::ifstream in((root + "usbwrites.txt").c_str());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string root;
};

TEST_F(UsbPrinterIdWine, OnePrinterWithDeviceRelease9Gives9) {
  Attach("9\n");
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 9);
  // A second call finds the device again: the first one closed it.
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 9);
}

TEST_F(UsbPrinterIdWine, TwoPrintersGiveMinusTwo) {
  Attach("9\n3\n");
  bool display = MessageBoxWatcher::HaveDisplay();
  std::vector<std::string> texts;
  {
    MessageBoxWatcher watcher("windows_tests");
    EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -2);
    texts = watcher.Texts();
  }
  if (display) {
    EXPECT_EQ(texts, std::vector<std::string>{"Connect just one USB printer to host"});
  }
  // Both devices were released: with one printer left the next call reads it.
  Attach("9\n");
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 9);
}

TEST_F(UsbPrinterIdWine, NoPrinterGivesMinusOneSilently) {
  MessageBoxWatcher watcher("windows_tests");
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -1);
  EXPECT_TRUE(watcher.Texts().empty());
}

TEST_F(UsbPrinterIdWine, SetIdentity3WritesCommandEndingInByte2) {
  Attach("0\n");
  EXPECT_TRUE(SetUsbPrinterId(3));
  EXPECT_EQ(Writes(), "1b 71 4c 48 a3 8e 1d 49 20 02\n");
}

TEST_F(UsbPrinterIdWine, FailedWriteReleasesTheDeviceForTheNextCall) {
  Attach("0 nowrite\n");
  {
    MessageBoxWatcher watcher("windows_tests");
    EXPECT_FALSE(SetUsbPrinterId(2));
  }
  Attach("0\n");
  EXPECT_TRUE(SetUsbPrinterId(2));
  EXPECT_EQ(Writes(), "1b 71 4c 48 a3 8e 1d 49 20 01\n1b 71 4c 48 a3 8e 1d 49 20 01\n");
}

}  // namespace
