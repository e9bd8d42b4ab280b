#include "ports/UsbPrinterId.h"

#include "engine/SetupText.h"
#include "winsim/MessageBoxControl.h"
#include "winsim/UsbControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const char kPackageLibrary[] = "D:\\medium\\AqUsbInt.dll";

class UsbPrinterIdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\medium\\setup.exe");
    winsim::SetCurrentDirectory("C:\\");
    winsim::InstallUsbLibrary(kPackageLibrary);
  }
  void TearDown() override {
    EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles();
    EXPECT_EQ(winsim::OpenUsbDevices(), 0);
  }
  static winsim::UsbPrinter Printer(WORD bcd) {
    winsim::UsbPrinter printer;
    printer.bcdDevice = bcd;
    return printer;
  }
};

TEST_F(UsbPrinterIdTest, OnePrinterGivesItsDeviceReleaseNumber) {
  winsim::AttachUsbPrinters({Printer(9)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 9);
  winsim::AttachUsbPrinters({Printer(0xBEEF)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 0xBEEF);
  EXPECT_TRUE(winsim::MessageBoxes().empty());
  EXPECT_EQ(winsim::LoadedModulePaths(), Texts(2, kPackageLibrary));
}

TEST_F(UsbPrinterIdTest, TwoPrintersGiveMinusTwoWithTheOneMessage) {
  winsim::AttachUsbPrinters({Printer(1), Printer(2)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -2);
  auto boxes = winsim::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Connect just one USB printer to host");
  EXPECT_EQ(boxes[0].text, SetupText(IDS_CONNECT_ONE_USB_PRINTER));
  EXPECT_EQ(boxes[0].caption, "setup");
  EXPECT_EQ(boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
  EXPECT_EQ(boxes[0].type & MB_MODEMASK, static_cast<UINT>(MB_TASKMODAL));
  EXPECT_EQ(winsim::CallCount("GetDescriptor"), 0);
}

TEST_F(UsbPrinterIdTest, CountClosesTheResultOfEveryIndex) {
  winsim::AttachUsbPrinters({Printer(4)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 4);
  EXPECT_EQ(winsim::CallCount("OpenDeviceX"), 8 + 1);
  EXPECT_EQ(winsim::CallCount("CloseDevice"), 8 + 1);
}

TEST_F(UsbPrinterIdTest, NoPrinterIsMinusOneWithoutMessage) {
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -1);
  EXPECT_TRUE(winsim::MessageBoxes().empty());
}

TEST_F(UsbPrinterIdTest, UnreadableDescriptorIsMinusOneWithMessage) {
  winsim::UsbPrinter printer = Printer(9);
  printer.descriptorFails = true;
  winsim::AttachUsbPrinters({printer});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -1);
  EXPECT_EQ(winsim::MessageBoxTexts(), Texts{"Get Device ID error"});
}

TEST_F(UsbPrinterIdTest, MissingLibraryOrFunctionIsReported) {
  winsim::RemovePath(kPackageLibrary);
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -1);
  EXPECT_FALSE(SetUsbPrinterId(1));  // silent when the library is missing
  EXPECT_EQ(winsim::MessageBoxTexts(), Texts{"Can not load AqUsbInt.dll"});

  for (const char* missing : {"OpenDeviceX", "GetDescriptor", "CloseDevice"}) {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\medium\\setup.exe");
    winsim::InstallUsbLibrary(kPackageLibrary, {missing});
    winsim::AttachUsbPrinters({Printer(9)});
    EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -1) << missing;
    EXPECT_EQ(winsim::MessageBoxTexts(), Texts{"open function error"}) << missing;
    EXPECT_EQ(winsim::OpenHandles(), 0) << missing << ": " << winsim::DescribeOpenHandles();
  }
  for (const char* missing : {"OpenDeviceX", "uWrite", "CloseDevice"}) {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\medium\\setup.exe");
    winsim::InstallUsbLibrary(kPackageLibrary, {missing});
    winsim::AttachUsbPrinters({Printer(9)});
    EXPECT_FALSE(SetUsbPrinterId(2)) << missing;
    EXPECT_EQ(winsim::MessageBoxTexts(), Texts{"open function error"}) << missing;
    EXPECT_EQ(winsim::OpenHandles(), 0) << missing << ": " << winsim::DescribeOpenHandles();
  }
}

TEST_F(UsbPrinterIdTest, LibraryIsLoadedByFullPathFromPackageThenSystemDirectory) {
  winsim::RemovePath(kPackageLibrary);
  winsim::InstallUsbLibrary("C:\\WINDOWS\\system32\\AqUsbInt.dll");
  winsim::AttachUsbPrinters({Printer(5)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 5);
  EXPECT_EQ(winsim::LoadedModulePaths(), Texts{"C:\\WINDOWS\\system32\\AqUsbInt.dll"});
  // A copy beside the program wins over the system's.
  winsim::InstallUsbLibrary(kPackageLibrary);
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 5);
  EXPECT_EQ(winsim::LoadedModulePaths().back(), kPackageLibrary);
}

TEST_F(UsbPrinterIdTest, CopyInWorkingDirectoryAloneIsNotLoaded) {
  winsim::RemovePath(kPackageLibrary);
  winsim::SetCurrentDirectory("E:\\downloads");
  winsim::InstallUsbLibrary("E:\\downloads\\AqUsbInt.dll");
  winsim::InstallUsbLibrary("C:\\WINDOWS\\AqUsbInt.dll");  // Windows directory: not searched either
  winsim::AttachUsbPrinters({Printer(5)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -1);
  EXPECT_FALSE(SetUsbPrinterId(1));
  EXPECT_TRUE(winsim::LoadedModulePaths().empty());
  EXPECT_TRUE(winsim::UsbWrites().empty());
}

TEST_F(UsbPrinterIdTest, SetWritesTheIdentityCommandOnce) {
  winsim::AttachUsbPrinters({Printer(0)});
  EXPECT_TRUE(SetUsbPrinterId(3));
  const std::string expected("\x1B\x71\x4C\x48\xA3\x8E\x1D\x49\x20\x02", 10);
  EXPECT_EQ(winsim::UsbWrites(), Texts{expected});
  EXPECT_TRUE(SetUsbPrinterId(1));
  EXPECT_TRUE(SetUsbPrinterId(8));
  auto writes = winsim::UsbWrites();
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[1].back(), '\0');
  EXPECT_EQ(writes[2].back(), '\x07');
  EXPECT_TRUE(winsim::MessageBoxes().empty());
}

TEST_F(UsbPrinterIdTest, IdentityOutsideOneToEightIsRefusedSilently) {
  winsim::AttachUsbPrinters({Printer(0)});
  for (int identity : {0, 9, -1, 256}) EXPECT_FALSE(SetUsbPrinterId(identity)) << identity;
  EXPECT_TRUE(winsim::UsbWrites().empty());
  EXPECT_TRUE(winsim::MessageBoxes().empty());
  EXPECT_EQ(winsim::CallCount("LoadLibraryA"), 0);
}

TEST_F(UsbPrinterIdTest, SetWithoutPrinterOrWithFailingWriteSaysSo) {
  EXPECT_FALSE(SetUsbPrinterId(2));
  EXPECT_EQ(winsim::MessageBoxTexts(), Texts{"Can not find USB device."});

  winsim::UsbPrinter printer = Printer(0);
  printer.writeFails = true;
  winsim::AttachUsbPrinters({printer});
  EXPECT_FALSE(SetUsbPrinterId(2));
  EXPECT_EQ(winsim::MessageBoxTexts(), (Texts{"Can not find USB device.", "write ID error"}));
}

TEST_F(UsbPrinterIdTest, FailurePathsReleaseTheDeviceSoTheNextCallOpensIt) {
  winsim::UsbPrinter printer = Printer(6);
  printer.descriptorFails = true;
  printer.writeFails = true;
  winsim::AttachUsbPrinters({printer, Printer(7)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -2);
  EXPECT_EQ(winsim::OpenUsbDevices(), 0);
  winsim::AttachUsbPrinters({printer});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), -1);
  EXPECT_FALSE(SetUsbPrinterId(4));
  EXPECT_EQ(winsim::OpenUsbDevices(), 0);
  EXPECT_EQ(winsim::OpenHandles(winsim::HandleKind::Module), 0);
  // The same printer, now healthy, is found by the next calls.
  winsim::AttachUsbPrinters({Printer(6)});
  EXPECT_EQ(GetUsbPrinterId(SetupText(144)), 6);
  EXPECT_TRUE(SetUsbPrinterId(4));
}

}  // namespace
