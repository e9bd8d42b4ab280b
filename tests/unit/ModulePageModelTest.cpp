#include "wizard/ModulePageModel.h"

#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class ModulePageModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\QM\\setup.exe");
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
  // A setup.ini whose device list holds `devices` (full DEVICENAME texts).
  static void Devices(const Names& devices, const std::string& defaultName,
                      const std::string& count = "") {
    std::string text =
        "[DEVICENAME]\r\nDEVICENUMBER=" + (count.empty() ? std::to_string(devices.size()) : count) +
        "\r\nDEFAULTNAME=" + defaultName + "\r\n";
    for (size_t i = 0; i < devices.size(); ++i)
      text += "DEVICENAME" + std::to_string(i + 1) + "=" + devices[i] + "\r\n";
    winsim::WriteFile("D:\\QM\\DRVCONFIG\\setup.ini", text);
  }
  void Fill() {
    ModuleConfig config;
    page.Fill(config);
  }
  ModulePageModel page;
};

TEST_F(ModulePageModelTest, SampleMediumFillsTheListsAndChecksTheDefaultModule) {
  ASSERT_GT(winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", "D:\\QM"), 0);
  const char* ini = "D:\\QM\\DRVCONFIG\\setup.ini";
  WritePrivateProfileStringA("DEVICENAME", "DEVICENUMBER", "8", ini);
  WritePrivateProfileStringA("DEVICENAME", "DEVICENAME8", "QM-X00-Printer", ini);
  Fill();
  EXPECT_EQ(page.models[ReceiptModule], (Names{"QM-A210", "QM-R80"}));
  EXPECT_EQ(page.models[TicketModule], (Names{"QM-B220", "QM-T95"}));
  EXPECT_EQ(page.models[LabelModule], (Names{"QM-C3", "QM-C3W"}));
  EXPECT_EQ(page.models[EmbeddedModule], (Names{"QM-E50"})) << "QM-X00 names no module";
  EXPECT_EQ(page.hasModels, 1);
  EXPECT_EQ(page.moduleIndex, ReceiptModule);
  EXPECT_EQ(page.checkedModule, ReceiptModule);
  EXPECT_STREQ(page.modelName, "QM-A210");
  for (int m = 0; m < 4; ++m) {
    EXPECT_TRUE(page.radioEnabled[m]) << m;
    EXPECT_EQ(page.listEnabled[m], m == ReceiptModule) << m;
    EXPECT_EQ(page.selection[m], 0) << m;
  }
  EXPECT_EQ(page.setAsDefault, 0);
}

TEST_F(ModulePageModelTest, DefaultInTheLabelModuleEnablesOnlyItsList) {
  Devices(
      {"QM-A210-ReceiptPrinter", "QM-C3W-LabelPrinter", "QM-C3-LabelPrinter", "QM-C4-LabelPrinter"},
      "3");
  Fill();
  EXPECT_EQ(page.checkedModule, LabelModule);
  EXPECT_EQ(page.moduleIndex, LabelModule);
  EXPECT_EQ(page.selection[LabelModule], 1) << "the entry equal to the default name";
  EXPECT_STREQ(page.modelName, "QM-C3");
  EXPECT_TRUE(page.listEnabled[LabelModule]);
  EXPECT_FALSE(page.listEnabled[ReceiptModule]);
  EXPECT_TRUE(page.radioEnabled[ReceiptModule]);
  EXPECT_FALSE(page.radioEnabled[TicketModule]) << "an empty module cannot be chosen";
  EXPECT_FALSE(page.radioEnabled[EmbeddedModule]);
  EXPECT_EQ(page.selection[TicketModule], -1);
}

TEST_F(ModulePageModelTest, PrefixSearchStartsAfterEntryZeroAndWrapsAround) {
  Names list = {"QM-A1", "qm-a10", "QM-B", "QM-A100"};
  EXPECT_EQ(FindEntryByPrefix(list, "qm-a1"), 1);
  EXPECT_EQ(FindEntryByPrefix(list, "QM-A10"), 1);
  EXPECT_EQ(FindEntryByPrefix(list, "QM-A100"), 3);
  EXPECT_EQ(FindEntryByPrefix({"QM-A1", "QM-B"}, "QM-A"), 0) << "entry 0 is searched last";
  EXPECT_EQ(FindEntryByPrefix(list, "QM-C"), -1);
  EXPECT_EQ(FindEntryByPrefix({}, "QM"), -1);
  EXPECT_EQ(FindEntryByPrefix(list, ""), 1) << "an empty name begins every entry";
  EXPECT_EQ(FindDefaultModel(list, "QM-A1"), 0);
  EXPECT_EQ(FindDefaultModel(list, "qm-a"), 1);
}

TEST_F(ModulePageModelTest, DefaultNameMatchingNoEntryLeavesTheListWithoutSelection) {
  Devices({"QM-A210-ReceiptPrinter", "QM-R80-ReceiptPrinter"}, "3");
  // DEFAULTNAME 3 reads the missing DEVICENAME3 as "0", which names no module.
  Fill();
  EXPECT_EQ(page.moduleIndex, -1);
  EXPECT_EQ(page.checkedModule, -1);
  EXPECT_EQ(std::string(page.modelName, sizeof page.modelName), std::string(200, '\0'));
  for (int m = 0; m < 4; ++m) EXPECT_FALSE(page.listEnabled[m]) << m;

  Devices({"QM-A210-ReceiptPrinter", "QM-R80-ReceiptPrinter", "QM-Z9-ReceiptPrinter"}, "3", "2");
  page = ModulePageModel();
  Fill();
  EXPECT_EQ(page.moduleIndex, ReceiptModule);
  EXPECT_EQ(page.selection[ReceiptModule], -1) << "QM-Z9 is beyond DEVICENUMBER";
  EXPECT_STREQ(page.modelName, "");
}

TEST_F(ModulePageModelTest, EmbeddedListIsSortedAndTheOthersKeepTheDeviceOrder) {
  Devices({"QM-Z1-EmbeddedPrinter", "qm-b2-EmbeddedPrinter", "QM-A3-EmbeddedPrinter",
           "QM-Z1-ReceiptPrinter", "QM-A3-ReceiptPrinter", "QM-B2-EmbeddedPrinter"},
          "1");
  Fill();
  EXPECT_EQ(page.models[EmbeddedModule], (Names{"QM-A3", "qm-b2", "QM-B2", "QM-Z1"}));
  EXPECT_EQ(page.models[ReceiptModule], (Names{"QM-Z1", "QM-A3"}));
  EXPECT_EQ(page.checkedModule, EmbeddedModule);
  EXPECT_STREQ(page.modelName, "QM-Z1");
  EXPECT_EQ(page.selection[EmbeddedModule], 3);
}

TEST_F(ModulePageModelTest, TheOrderTheListShowsDecidesWhatAnIndexAndTheDefaultSearchMean) {
  // A list sorting by the system's collation puts "X-E50" before "X-E5-2" (the default).
  Devices({"X-E5B-EmbeddedPrinter", "X-E5-2-EmbeddedPrinter", "X-E50-EmbeddedPrinter",
           "QM-A1-ReceiptPrinter"},
          "2");
  Fill();
  ASSERT_EQ(page.models[EmbeddedModule], (Names{"X-E5-2", "X-E50", "X-E5B"}));
  page.TakeShownOrder(EmbeddedModule, {"X-E50", "X-E5-2", "X-E5B"});
  EXPECT_EQ(page.selection[EmbeddedModule], 1);
  EXPECT_STREQ(page.modelName, "X-E5-2");
  page.SelectModel(EmbeddedModule, 0);
  EXPECT_STREQ(page.modelName, "X-E50");
  page.TakeShownOrder(EmbeddedModule, {"X-E50", "X-E5B"});  // not the same entries
  EXPECT_EQ(page.models[EmbeddedModule], (Names{"X-E50", "X-E5-2", "X-E5B"}));
}

TEST_F(ModulePageModelTest, ChoosingAModuleMovesTheEnabledListAndTakesItsSelection) {
  ASSERT_GT(winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", "D:\\QM"), 0);
  Fill();
  page.SelectModel(ReceiptModule, 1);
  EXPECT_STREQ(page.modelName, "QM-R80");
  page.ChooseModule(TicketModule);
  EXPECT_EQ(page.moduleIndex, TicketModule);
  EXPECT_STREQ(page.modelName, "QM-B220");
  EXPECT_TRUE(page.listEnabled[TicketModule]);
  EXPECT_FALSE(page.listEnabled[ReceiptModule]);
  page.ChooseModule(ReceiptModule);
  EXPECT_STREQ(page.modelName, "QM-R80") << "each list keeps its selection";
  page.SelectModel(ReceiptModule, -1);
  EXPECT_EQ(std::string(page.modelName, sizeof page.modelName), std::string(200, '\0'));
  page.SelectModel(ReceiptModule, 7);
  EXPECT_EQ(page.selection[ReceiptModule], -1) << "an index beyond the list selects nothing";
  page.SelectModelText(ReceiptModule, "QM-R80");
  EXPECT_EQ(page.selection[ReceiptModule], 1);
  EXPECT_STREQ(page.modelName, "QM-R80");
  page.SelectModelText(ReceiptModule, "QM-X");
  EXPECT_STREQ(page.modelName, "") << "a text the list does not hold selects nothing";
  page.ChooseModule(static_cast<PrinterModule>(9));
  EXPECT_EQ(page.moduleIndex, ReceiptModule);
}

TEST_F(ModulePageModelTest, NoDevicesLeaveNothingToChoose) {
  for (bool withIni : {false, true}) {
    if (withIni) Devices({}, "1");
    page = ModulePageModel();
    Fill();
    EXPECT_EQ(page.hasModels, 0) << withIni;
    EXPECT_EQ(page.moduleIndex, -1);
    EXPECT_EQ(page.checkedModule, -1);
    for (int m = 0; m < 4; ++m) {
      EXPECT_TRUE(page.models[m].empty());
      EXPECT_FALSE(page.radioEnabled[m]);
      EXPECT_FALSE(page.listEnabled[m]);
    }
  }
}

TEST_F(ModulePageModelTest, OddDeviceEntriesAreListedWithinTheirField) {
  std::string longest(184, 'M');  // with "-TicketPrinter", 198 characters
  std::string cut(199, 'C');      // the module suffix falls beyond the 200-character read
  Devices({"-ReceiptPrinter", longest + "-TicketPrinter", cut + "-LabelPrinter"}, "1");
  Fill();
  EXPECT_EQ(page.models[ReceiptModule], Names{""}) << "the suffix was the whole text";
  EXPECT_EQ(page.models[TicketModule], Names{longest});
  EXPECT_TRUE(page.models[LabelModule].empty());
  EXPECT_EQ(page.moduleIndex, ReceiptModule);
  EXPECT_STREQ(page.modelName, "");
  page.ChooseModule(TicketModule);
  EXPECT_EQ(std::string(page.modelName), longest);
}

TEST_F(ModulePageModelTest, HugeDeviceNumberIsReadOnlyUpToTheLimit) {
  Devices({"QM-A210-ReceiptPrinter"}, "1", "2147483647");
  Fill();
  EXPECT_EQ(page.models[ReceiptModule], Names{"QM-A210"});
  EXPECT_LE(winsim::CallCount("GetPrivateProfileStringA"), kMaxDevices + 10);
}

}  // namespace
