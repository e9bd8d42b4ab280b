#include "wizard/WizardFlow.h"

#include "winsim/MessageBoxControl.h"
#include "winsim/VersionControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// The attached USB printer as the flow asks for it.
int usbQuestions = 0;
int usbAnswer = kNoUsbDevice;
int AskUsbDevice() {
  ++usbQuestions;
  return usbAnswer;
}

class WizardFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\QM\\setup.exe");
    ASSERT_GT(winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", "D:\\QM"), 0);
    winsim::SetCurrentDirectory("D:\\QM");
    winsim::PutFileWithVersion(winsim::WindowsDirectory() + "\\system32\\drivers\\bulkusb.sys",
                               "1.0.0.5");
    ClearSelection(&selection);
    module = ModulePageModel();
    setupType = SetupTypeModel();
    os = OsPageModel();
    port = PortPageModel();
    ModuleConfig config;
    module.Fill(config);
    os.osIndex = WinXp;
    usbQuestions = 0;
    usbAnswer = kNoUsbDevice;
    flow = std::make_unique<WizardFlow>(
        kWizardPages, WizardModels{&module, &setupType, &os, &port, &AskUsbDevice}, &selection);
  }
  void TearDown() override {
    EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles();
    EXPECT_TRUE(winsim::MessageBoxTexts().empty()) << "the flow shows no box itself";
  }
  // From the frame's opening up to `page` with Next.
  void WalkTo(int page) {
    if (flow->currentPage < 0) flow->SetActivePage(LicensePage, true);
    while (flow->currentPage < page) {
      int before = flow->currentPage;
      last = flow->OnNext(true);
      ASSERT_GT(flow->currentPage, before) << "refused at page " << before;
    }
  }
  void ChooseModel(PrinterModule moduleIndex, int entry) {
    module.ChooseModule(moduleIndex);
    module.SelectModel(moduleIndex, entry);
  }

  ModulePageModel module;
  SetupTypeModel setupType;
  OsPageModel os;
  PortPageModel port;
  SetupSelection selection;
  std::unique_ptr<WizardFlow> flow;
  ButtonStep last;
};

TEST_F(WizardFlowTest, FirstPageShownAtOpening) {
  PageSwitch shown = flow->SetActivePage(LicensePage, false);
  EXPECT_NE(shown.switched, 0) << "no page was on show, so nothing is saved";
  EXPECT_EQ(shown.hidePage, -1);
  EXPECT_EQ(shown.showPage, LicensePage);
  EXPECT_EQ(shown.nextEnabled, kKeep);
  EXPECT_EQ(flow->currentPage, LicensePage);
}

TEST_F(WizardFlowTest, NextWalksThePagesWithTheButtonStatesOfEachStep) {
  flow->SetActivePage(LicensePage, true);
  ButtonStep step = flow->OnNext(true);
  EXPECT_EQ(step.page.hidePage, LicensePage);
  EXPECT_EQ(step.page.showPage, ModulePage);
  EXPECT_EQ(step.nextEnabled, 1) << "the module page has models";
  EXPECT_EQ(step.backEnabled, 1);
  EXPECT_TRUE(step.focusNext);
  EXPECT_EQ(step.nextLabel, nullptr);

  step = flow->OnNext(true);
  EXPECT_EQ(step.page.showPage, SetupTypePage);
  EXPECT_EQ(step.nextEnabled, kKeep);
  EXPECT_TRUE(step.page.setupTypeChanged);
  EXPECT_STREQ(flow->portSection, "QM-A210.PORT");
  EXPECT_STREQ(flow->moduleIniFile, "D:\\QM\\DRVCONFIG\\setup_receipt.ini");
  EXPECT_EQ(selection.module, ReceiptModule);

  step = flow->OnNext(true);
  EXPECT_EQ(step.page.showPage, OsPage);
  EXPECT_FALSE(step.portComposed);
  EXPECT_EQ(step.nextEnabled, kKeep);

  module.setAsDefault = 1;
  selection.installFlags = ComMonitorOutdated | ProcessorOutdated;
  step = flow->OnNext(true);
  EXPECT_EQ(step.page.showPage, PortPage);
  EXPECT_EQ(flow->currentPage, PortPage);
  EXPECT_STREQ(step.nextLabel, "Install (&I)");
  EXPECT_EQ(step.backEnabled, 1);
  EXPECT_EQ(selection.installFlags, 0);
  EXPECT_TRUE(step.page.baudRateChanged);
  EXPECT_EQ(step.page.baudRateIndex, 6) << "BaudRate 19200";
  EXPECT_EQ(port.serial.baudRate, 19200);
  // What arrival at the last page copies into the record.
  EXPECT_EQ(selection.module, ReceiptModule);
  EXPECT_STREQ(selection.modelName, "QM-A210");
  EXPECT_EQ(selection.setAsDefault, 1);
  EXPECT_EQ(selection.targetOs, WinXp);
  EXPECT_STREQ(selection.setupIniPath, "D:\\QM\\DRVCONFIG\\setup.ini");
  EXPECT_STREQ(selection.moduleIniPath, "D:\\QM\\DRVCONFIG\\setup_receipt.ini");
  EXPECT_EQ(selection.typicalSetup, 1);
  ASSERT_TRUE(step.portComposed);
  EXPECT_EQ(step.port.entryCount, 12) << "Typical: one USB entry";
  EXPECT_STREQ(port.portText, "AQCOM1:");

  selection.installFlags = UsbMonitorOutdated;
  step = flow->OnNext(true);
  EXPECT_TRUE(step.install);
  EXPECT_EQ(selection.installFlags, 0);
  EXPECT_EQ(step.page.showPage, -1);
  EXPECT_EQ(flow->currentPage, PortPage);
}

TEST_F(WizardFlowTest, BackRelabelsNextAndDisablesItselfOnTheLicencePage) {
  WalkTo(PortPage);
  ButtonStep step = flow->OnBack(true);
  EXPECT_STREQ(step.nextLabel, "Next (&N)>>");
  EXPECT_EQ(step.page.hidePage, PortPage);
  EXPECT_EQ(step.page.showPage, OsPage);
  EXPECT_EQ(step.nextEnabled, 1);
  EXPECT_EQ(step.backEnabled, kKeep);
  EXPECT_FALSE(step.focusNext);
  flow->OnBack(true);
  flow->OnBack(true);
  step = flow->OnBack(true);
  EXPECT_EQ(flow->currentPage, LicensePage);
  EXPECT_EQ(step.backEnabled, 0);
  EXPECT_TRUE(step.focusNext);
  EXPECT_EQ(step.nextEnabled, 1) << "the licence was accepted to get there";
}

TEST_F(WizardFlowTest, RefusedSaveChangesNothingButNextStillEnablesBack) {
  WalkTo(SetupTypePage);
  PageSwitch refused = flow->SetActivePage(OsPage, false);
  EXPECT_EQ(refused.switched, 0);
  EXPECT_EQ(refused.hidePage, -1);
  EXPECT_EQ(refused.showPage, -1);
  EXPECT_EQ(flow->currentPage, SetupTypePage);
  ButtonStep step = flow->OnNext(false);
  EXPECT_EQ(flow->currentPage, SetupTypePage);
  EXPECT_EQ(step.backEnabled, 1);
  EXPECT_TRUE(step.focusNext);
  step = flow->OnBack(false);
  EXPECT_EQ(flow->currentPage, SetupTypePage);
  EXPECT_EQ(flow->reloadBaudRate, 1);
}

TEST_F(WizardFlowTest, PageThatDoesNotExistIsRefusedAndTheCurrentOneStays) {
  WalkTo(ModulePage);
  for (int index : {-1, kWizardPages, 99}) {
    PageSwitch result = flow->SetActivePage(index, true);
    EXPECT_EQ(result.switched, 0) << index;
    EXPECT_EQ(result.hidePage, -1) << index;
    EXPECT_EQ(flow->currentPage, ModulePage);
  }
}

TEST_F(WizardFlowTest, NoDevicesKeepNextDisabledAfterTheLicencePage) {
  winsim::WriteFile("D:\\QM\\DRVCONFIG\\setup.ini", "[DEVICENAME]\r\nDEVICENUMBER=0\r\n");
  module = ModulePageModel();
  ModuleConfig config;
  module.Fill(config);
  flow->SetActivePage(LicensePage, true);
  ButtonStep step = flow->OnNext(true);
  EXPECT_EQ(flow->currentPage, ModulePage);
  EXPECT_EQ(step.nextEnabled, 0);
  // Were Next pressed anyway, the empty choice reads every key as its default.
  flow->OnNext(true);
  EXPECT_EQ(selection.module, -1);
  EXPECT_STREQ(flow->moduleIniFile, "D:\\QM\\");
  EXPECT_STREQ(flow->portSection, ".PORT");
  EXPECT_FALSE(setupType.advancedEnabled);
}

TEST_F(WizardFlowTest, ModelWithoutAdvancedSetupForcesTypical) {
  flow->SetActivePage(LicensePage, true);
  flow->OnNext(true);
  setupType.OnAdvanced();
  ChooseModel(ReceiptModule, 1);  // QM-R80: AdvancedSetup=0
  ButtonStep step = flow->OnNext(true);
  EXPECT_TRUE(step.page.setupTypeChanged);
  EXPECT_FALSE(setupType.advancedEnabled);
  EXPECT_EQ(setupType.typical, 1);
  EXPECT_EQ(setupType.checkedRadio, 1066);
  EXPECT_STREQ(setupType.remark, "Install default printer driver");
  EXPECT_FALSE(setupType.remark2Shown);
  EXPECT_FALSE(setupType.remark3Shown);

  flow->OnBack(true);
  ChooseModel(ReceiptModule, 0);  // QM-A210: AdvancedSetup=1
  flow->OnNext(true);
  EXPECT_TRUE(setupType.advancedEnabled);
  setupType.OnAdvanced();
  flow->OnBack(true);
  flow->OnNext(true);
  EXPECT_EQ(setupType.typical, 0) << "with Advanced allowed the earlier choice stays";
}

TEST_F(WizardFlowTest, AdvancedSetupComposesTheMultiUsbList) {
  WalkTo(SetupTypePage);
  setupType.OnAdvanced();
  WalkTo(PortPage);
  EXPECT_EQ(selection.typicalSetup, 0);
  EXPECT_EQ(port.setupType, 0);
  EXPECT_EQ(last.port.entryCount, 15);
  EXPECT_EQ(last.port.driverModeBoxShown, 1);
}

TEST_F(WizardFlowTest, TheUsbPrinterIsAskedOnlyWhenThePortListIsComposedAfresh) {
  usbAnswer = 9;  // 9 % 8 + 1: port 2
  WalkTo(SetupTypePage);
  setupType.OnAdvanced();
  WalkTo(PortPage);
  EXPECT_EQ(usbQuestions, 1);
  EXPECT_NE(std::string(port.portText).find("_2"), std::string::npos) << port.portText;
  flow->OnBack(true);
  flow->OnNext(true);
  EXPECT_EQ(usbQuestions, 1) << "the same model and setup type keep the list";
}

TEST_F(WizardFlowTest, ASystemTheModelDoesNotSupportKeepsTheOsPage) {
  struct Case {
    int entry;
    TargetOs os;
    int message;
    bool old64Bit;
    InstallRefusal refusal;  // the silent mode's exit code, as the Install command's
  };
  // QM-R80 supports none of them; QM-A210 all. A 64-bit Windows older than 7 has no drivers.
  for (Case c : {Case{1, WinServer2003, 145, false, ModelNotForThisSystem},
                 Case{1, WinVista, 149, false, ModelNotForThisSystem},
                 Case{0, WinVista, 0, false, NotRefused}, Case{1, WinXp, 0, false, NotRefused},
                 Case{1, Win7, 150, false, ModelNotForWindows7},
                 Case{1, Win7x64, 151, false, ModelNotFor64BitWindows},
                 Case{0, Win7, 0, false, NotRefused}, Case{0, Win7x64, 0, false, NotRefused},
                 Case{0, Win98Me, 151, true, ModelNotFor64BitWindows}}) {
    SetUp();
    flow->SetActivePage(LicensePage, true);
    flow->OnNext(true);
    ChooseModel(ReceiptModule, c.entry);
    WalkTo(OsPage);
    os.osIndex = c.os;
    os.view.old64Bit = c.old64Bit;
    ButtonStep step = flow->OnNext(true);
    EXPECT_EQ(step.page.messageId, c.message) << c.entry << " " << c.os;
    EXPECT_EQ(step.page.refusal, c.refusal) << c.entry << " " << c.os;
    if (c.message) {
      EXPECT_EQ(step.page.switched, 0);
      EXPECT_EQ(flow->currentPage, OsPage);
      EXPECT_EQ(step.page.showPage, OsPage);
      EXPECT_EQ(step.page.hidePage, -1);
      EXPECT_FALSE(step.portComposed);
      EXPECT_EQ(step.nextLabel, nullptr);
      EXPECT_EQ(step.backEnabled, 1);
    } else {
      EXPECT_EQ(flow->currentPage, PortPage);
    }
  }
}

TEST_F(WizardFlowTest, BaudRateIsReloadedOnlyAfterGoingBackBeforeTheSetupTypePage) {
  WalkTo(PortPage);
  port.OnBaudRateSelected("2400");
  flow->OnBack(true);
  ButtonStep step = flow->OnNext(true);
  EXPECT_FALSE(step.page.baudRateChanged) << "back to the OS page keeps the user's choice";
  EXPECT_EQ(port.serial.baudRate, 2400);

  flow->OnBack(true);  // OS
  flow->OnBack(true);  // setup type
  EXPECT_EQ(flow->reloadBaudRate, 0);
  flow->OnBack(true);  // module
  EXPECT_EQ(flow->reloadBaudRate, 1);
  WritePrivateProfileStringA("QM-R80.PORT", "BaudRate", nullptr,
                             "D:\\QM\\DRVCONFIG\\setup_receipt.ini");
  ChooseModel(ReceiptModule, 1);  // QM-R80, now without a BaudRate key
  WalkTo(PortPage);
  EXPECT_TRUE(last.page.baudRateChanged);
  EXPECT_EQ(last.page.baudRateIndex, 7);
  EXPECT_EQ(port.serial.baudRate, 0);
  EXPECT_TRUE(last.port.listComposed) << "another model";
  EXPECT_STREQ(port.portText, "LPT1:");
}

TEST_F(WizardFlowTest, LongModelNameFillsThePortSectionWithoutRunningPast) {
  WalkTo(ModulePage);
  memset(module.modelName, 'M', 199);
  module.modelName[199] = '\0';
  WalkTo(PortPage);
  EXPECT_EQ(std::string(flow->portSection), std::string(199, 'M') + ".PORT");
  EXPECT_EQ(strlen(selection.modelName), 199u);
  EXPECT_TRUE(last.port.listComposed);
  EXPECT_LT(strlen(port.portText), static_cast<size_t>(kPortTextCapacity));
}

}  // namespace
