#include "wizard/PortPageModel.h"

#include "winsim/MessageBoxControl.h"
#include "winsim/VersionControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

const Names kNtNames = {"AQCOM1:", "AQCOM2:", "AQCOM3:", "AQCOM4:", "AQCOM5:", "AQCOM6:",
                        "AQCOM7:", "AQCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};

class PortPageModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\QM\\setup.exe");
    winsim::PutFileWithVersion(winsim::WindowsDirectory() + "\\system32\\drivers\\bulkusb.sys",
                               "1.0.0.5");
  }
  static void RemoveUsbDriver() {
    winsim::RemovePath(winsim::WindowsDirectory() + "\\system32\\drivers\\bulkusb.sys");
  }
  void TearDown() override {
    EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles();
    EXPECT_TRUE(winsim::MessageBoxTexts().empty()) << "the model shows no box itself";
  }
  // The port section of `model` in the Ticket module's INI file.
  static void PortSection(const std::string& model, int usb, int lpt) {
    winsim::WriteFile("D:\\QM\\DRVCONFIG\\setup_Ticket.ini",
                      "[" + model + ".PORT]\r\nUSBSUPPORTED=" + std::to_string(usb) +
                          "\r\nLPTDEFAULT=" + std::to_string(lpt) + "\r\n");
  }
  // What GetUsbPrinterId answers for the compositions that follow.
  void Device(int number) { device = number; }
  static Names EntriesOf(const PortView& view) {
    return Names(view.entries, view.entries + view.entryCount);
  }
  static std::string Selected(const PortView& view) {
    return view.selection >= 0 ? view.entries[view.selection] : "";
  }
  // Serial boxes, 1052 enabled, 1052 shown, 1065 shown, driver mode; "-" for a kept state.
  static std::string States(const PortView& view) {
    std::string text;
    for (int state : {view.serialBoxesEnabled, view.driverModeBoxEnabled, view.driverModeBoxShown,
                      view.usbHintShown, static_cast<int>(view.driverMode)})
      text += state == kKeep ? "-" : std::to_string(state);
    return text;
  }
  static Names With(Names names, const Names& more) {
    names.insert(names.end(), more.begin(), more.end());
    return names;
  }
  PortView Fill(const char* model, TargetOs os, bool advanced = false) {
    port.setupType = advanced ? 0 : 1;
    return advanced ? port.FillPortListMultiUsb(model, os, TicketModule, device)
                    : port.FillPortList(model, os, TicketModule, device);
  }
  PortPageModel port;
  int device = kNoUsbDevice;
};

TEST_F(PortPageModelTest, XpWithoutUsbSelectsTheFirstSerialPortOrWithLptDefaultLpt1) {
  PortSection("QM-B220", 0, 0);
  PortView view = Fill("QM-B220", WinXp);
  ASSERT_TRUE(view.listComposed);
  EXPECT_EQ(EntriesOf(view), kNtNames);
  EXPECT_EQ(view.selection, 0);
  EXPECT_STREQ(port.portText, "AQCOM1:");
  EXPECT_EQ(States(view), "10000");
  EXPECT_EQ(port.driverMode, StdMode);

  PortSection("QM-B221", 0, 1);
  view = Fill("QM-B221", WinXp);
  EXPECT_STREQ(port.portText, "LPT1:");
  EXPECT_EQ(States(view), "01001");
}

TEST_F(PortPageModelTest, Windows98OffersTwoComPortsAndLpt1AndSkipsTheDriverCheck) {
  PortSection("QM-B220", 0, 0);
  EXPECT_EQ(EntriesOf(Fill("QM-B220", Win98Me)), (Names{"COM1:", "COM2:", "LPT1:"}));
  EXPECT_STREQ(port.portText, "COM1:");

  RemoveUsbDriver();
  PortSection("QM-T95", 1, 0);
  Device(0);
  PortView view = Fill("QM-T95", Win98Me);
  EXPECT_EQ(EntriesOf(view), (Names{"COM1:", "COM2:", "LPT1:", "USB_QM-T95_1"}));
  EXPECT_EQ(Selected(view), "USB_QM-T95_1");
  EXPECT_EQ(States(view), "010-1") << "no USB device driver check on Windows 98/Me";
}

TEST_F(PortPageModelTest, Nt4OffersNoUsbPortAndADeviceFallsBackToTheUsualPreselection) {
  PortSection("QM-T95", 1, 0);
  EXPECT_EQ(EntriesOf(Fill("QM-T95", WinNt4)), kNtNames);
  EXPECT_STREQ(port.portText, "AQCOM1:");

  // With a device answering there is no USB entry to select: the page preselects as it does
  // without a device, and the serial port's boxes are enabled again.
  Device(3);
  PortSection("QM-T96", 1, 1);
  EXPECT_EQ(Selected(Fill("QM-T96", WinNt4)), "LPT1:");
  EXPECT_EQ(Selected(Fill("QM-T96", WinNt4, true)), "LPT1:");
  PortSection("QM-T97", 1, 0);
  PortView view = Fill("QM-T97", WinNt4, true);
  EXPECT_STREQ(port.portText, "AQCOM1:");
  EXPECT_EQ(States(view), "10100");
}

TEST_F(PortPageModelTest, AdvancedSelectsThePortOfTheDeviceNumberOrKeepsEntryZeroBeyondFour) {
  PortSection("QM-A210", 1, 1);
  Device(9);  // 9 % 8 + 1 = 2
  PortView view = Fill("QM-A210", WinXp, true);
  EXPECT_EQ(EntriesOf(view),
            With(kNtNames, {"USB_QM-A210_1", "USB_QM-A210_2", "USB_QM-A210_3", "USB_QM-A210_4"}));
  EXPECT_STREQ(port.portText, "USB_QM-A210_2");
  EXPECT_EQ(States(view), "01101") << "the USB device driver is installed";

  Device(6);  // port 7
  port = PortPageModel();
  view = Fill("QM-A210", WinXp, true);
  EXPECT_EQ(view.selection, 0) << "LPTDEFAULT does not apply once a device answered";
  EXPECT_STREQ(port.portText, "AQCOM1:");
  EXPECT_EQ(States(view), "10100");
}

TEST_F(PortPageModelTest, TypicalSelectsTheSingleUsbPortWhateverTheDeviceNumber) {
  PortSection("QM-A210", 1, 0);
  for (WORD number : {0, 6, 9, 4095}) {
    Device(number);
    port = PortPageModel();
    PortView view = Fill("QM-A210", WinVista);
    EXPECT_EQ(EntriesOf(view), With(kNtNames, {"USB_QM-A210_1"}));
    EXPECT_EQ(Selected(view), "USB_QM-A210_1") << number;
    EXPECT_EQ(States(view), "01001");
  }
}

TEST_F(PortPageModelTest, TwoPrintersCountAsADeviceInTypicalAndMatchNoPortInAdvanced) {
  PortSection("QM-A210", 1, 0);
  Device(-2);  // GetUsbPrinterId's answer for two printers
  EXPECT_EQ(Selected(Fill("QM-A210", WinXp)), "USB_QM-A210_1");
  PortView view = Fill("QM-A210", WinXp, true);
  EXPECT_EQ(Selected(view), "AQCOM1:");
  EXPECT_EQ(States(view), "10100");
}

TEST_F(PortPageModelTest, MissingUsbDeviceDriverShowsTheHint) {
  RemoveUsbDriver();
  PortSection("QM-A210", 1, 0);
  Device(0);
  PortView view = Fill("QM-A210", Win2000);
  EXPECT_EQ(States(view), "01011");
  ASSERT_NE(view.usbHintText, nullptr);
  EXPECT_EQ(std::string(view.usbHintText).substr(0, 26), "1:Please connect USB cable");
}

TEST_F(PortPageModelTest, ListIsComposedAgainOnlyForANewModelOrSetupType) {
  EXPECT_FALSE(Fill("PRINTER", WinXp).listComposed) << "the initial last model";
  EXPECT_STREQ(port.portText, "");
  PortSection("QM-B220", 0, 1);
  Fill("QM-B220", WinXp);
  port.OnPortSelected("AQCOM3:");
  PortView same = Fill("QM-B220", Win98Me);
  EXPECT_FALSE(same.listComposed) << "another TargetOs alone keeps the list";
  EXPECT_EQ(States(same), "----0");
  EXPECT_STREQ(port.portText, "AQCOM3:");
  EXPECT_TRUE(Fill("QM-B220", WinXp, true).listComposed);
  EXPECT_STREQ(port.portText, "LPT1:");
  EXPECT_TRUE(Fill("QM-b220", WinXp, true).listComposed) << "models compare case-sensitively";
  // No module INI file: no USB support, entry 0, whatever device answers.
  Device(1);
  PortView view = port.FillPortList("QM-B220", WinXp, EmbeddedModule, device);
  EXPECT_EQ(EntriesOf(view), kNtNames);
  EXPECT_EQ(view.selection, 0);
}

TEST_F(PortPageModelTest, UsbPortNamesThatDoNotFitThePortTextAreNotOffered) {
  std::string fits(45, 'F');  // "USB_" + 45 + "_1" = 51 characters
  PortSection(fits, 1, 0);
  Device(0);
  PortView view = Fill(fits.c_str(), WinXp, true);
  ASSERT_EQ(view.entryCount, 15);
  EXPECT_EQ(std::string(view.entries[14]), "USB_" + fits + "_4");
  EXPECT_EQ(strlen(port.portText), 51u);

  std::string tooLong(46, 'L');
  PortSection(tooLong, 1, 1);
  EXPECT_EQ(EntriesOf(Fill(tooLong.c_str(), WinXp, true)), kNtNames);
  EXPECT_STREQ(port.portText, "LPT1:");

  std::string longest(199, 'M');
  PortSection(longest, 1, 0);
  EXPECT_EQ(EntriesOf(Fill(longest.c_str(), WinXp)), kNtNames);
  EXPECT_EQ(std::string(port.LastModel()), longest);
  port.OnPortSelected(("USB_" + longest + "_1").c_str());
  EXPECT_EQ(std::string(port.portText), ("USB_" + longest).substr(0, 51));
}

TEST_F(PortPageModelTest, SelectingAPortSetsTheBoxesByItsKind) {
  PortSection("QM-A210", 1, 0);
  Fill("QM-A210", WinXp, true);
  PortView view = port.OnPortSelected("LPT2:");
  EXPECT_FALSE(view.listComposed);
  EXPECT_EQ(States(view), "01-01");
  EXPECT_EQ(States(port.OnPortSelected("AQCOM5:")), "10-00");
  EXPECT_STREQ(port.portText, "AQCOM5:");
  RemoveUsbDriver();
  EXPECT_EQ(States(port.OnPortSelected("USB_QM-A210_3")), "01-11");
  EXPECT_EQ(States(port.OnPortSelected("USB_QM-COM5_1")), "01-11")
      << "a USB port is USB whatever its model is called";
  Fill("QM-A211", WinNt4);
  EXPECT_EQ(States(port.OnPortSelected("USB_QM-A211_1")), "01--1") << "no check on NT 4.0";
}

TEST_F(PortPageModelTest, SerialBoxesStoreTheirValues) {
  EXPECT_EQ(port.serial.dataBits, 8);
  EXPECT_EQ(port.serial.stopBits, 1.0);
  EXPECT_EQ(port.serial.parity, 'n') << "lower case until the user picks a parity";
  EXPECT_EQ(port.serial.flowControl, 'p');
  std::string flow;
  for (const char* text : {"Xon/Xoff", "None", "Hardware", "xon/xoff"}) {
    port.OnProtocolSelected(text);
    flow += port.serial.flowControl;
  }
  EXPECT_EQ(flow, "x pp") << "exact comparisons; None is a blank";
  std::string parities;
  for (const char* text : {"Even", "Mark", "None", "Odd", "Space"}) {
    port.OnParitySelected(text);
    parities += port.serial.parity;
  }
  EXPECT_EQ(parities, "EMNOS");
  port.OnStopBitsSelected("1.5");
  EXPECT_DOUBLE_EQ(port.serial.stopBits, 1.5);
  port.OnStopBitsSelected("2");
  EXPECT_DOUBLE_EQ(port.serial.stopBits, 2.0);
  port.OnByteSizeSelected("5");
  EXPECT_EQ(port.serial.dataBits, 5);
  port.OnBaudRateSelected("115200");
  EXPECT_EQ(port.serial.baudRate, 115200);
}

TEST_F(PortPageModelTest, BaudRateIndexFollowsTheListAndDefaultsTo38400) {
  const int rates[] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(BaudRateIndex(rates[i]), i) << rates[i];
  for (int other : {0, -1, 14400, 38401, 230400}) EXPECT_EQ(BaudRateIndex(other), 7) << other;
  EXPECT_EQ(port.SetConfiguredBaudRate(14400), 7);
  EXPECT_EQ(port.serial.baudRate, 14400) << "the configured rate is kept though unlisted";
}

}  // namespace
