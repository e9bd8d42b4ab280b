#include "engine/InstallRecord.h"

#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(InstallRecordTest, PortKindIsTestedUsbThenComThenLpt) {
  EXPECT_EQ(PortKindOf("USB_QM-B220_1"), UsbPort);
  EXPECT_EQ(PortKindOf("USB_COM1"), UsbPort) << "USB_ is tested first";
  EXPECT_EQ(PortKindOf("COM2:"), SerialPort);
  EXPECT_EQ(PortKindOf("AQCOM3:"), SerialPort);
  EXPECT_EQ(PortKindOf("LPT1:"), ParallelPort);
  EXPECT_EQ(PortKindOf("FILE:"), -1);
  EXPECT_EQ(PortKindOf(""), -1);
  EXPECT_EQ(PortKindOf(nullptr), -1);
}

TEST(InstallRecordTest, ClearedSelectionStartsWithParityN) {
  SetupSelection selection;
  memset(&selection, 0x5a, sizeof selection);
  ClearSelection(&selection);
  EXPECT_EQ(selection.serial.parity, 'n');
  EXPECT_EQ(selection.installFlags, 0);
  EXPECT_STREQ(selection.modelName, "");
  EXPECT_EQ(sizeof selection.modelName, 200u);
  EXPECT_EQ(sizeof selection.portName, 100u);
  EXPECT_EQ(sizeof selection.usbPortName, 100u);
  EXPECT_EQ(sizeof selection.setupIniPath, 200u);
}

TEST(InstallRecordTest, WorkingDataClearKeepsTheConfigurationReader) {
  winsim::Reset();
  winsim::SetModuleFileName("D:\\setup.exe");
  winsim::WriteFile("D:\\DRVCONFIG\\setup.ini", "[DEVICENAME]\r\nDEVICENUMBER=3\r\n");
  InstallWorkingData work;
  memset(&work.files, 'x', sizeof work.files);
  work.printer.Attributes = 5;
  work.Clear();
  EXPECT_STREQ(work.files.driverPath, "");
  EXPECT_EQ(work.printer.Attributes, 0u);
  EXPECT_EQ(work.printer.pPrinterName, nullptr);
  EXPECT_EQ(work.config.GetDeviceCount(), 3);
}


}  // namespace
