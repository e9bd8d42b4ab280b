// Both programs' string tables against the texts the programs are known to show, spelt out
// here rather than read from the lists the code uses, so that a slip in a list fails.
#include "engine/SetupText.h"
#include "uninstall/UninstallText.h"

#include <gtest/gtest.h>

namespace {

struct Entry {
  int id;
  const char* text;
};

TEST(StringTablesTest, SetupShowsTheseTextsUnderTheseNumbers) {
  const Entry entries[] = {
      {101, "&About Printer Driver Setup..."},
      {102, "Cannot get system directory"},
      {103, "Maximum count of printers using the same port has been reached"},
      {104, "Printer installer could not allocate sufficient memory"},
      {107, "Cannot get current system directory"},
      {108, "Cannot get printer driver directory"},
      {109, "Cannot get printer processor directory"},
      {110, "Direcory type error"},
      {112, "You must select a printer module first!"},
      {113, "WindowsNT4 and earlier editions do not support USB ports"},
      {114,
       "Restart the computer so that the changes can take effect\n"
       "Click on \"Yes\" to restart the computer immediately\n"
       "Click on \"No\" to restart the computer later"},
      {115,
       "This driver doesn't work on this system.\n"
       "Please click \"Cancel\" button to cancel this program."},
      {116, "Add printer error"},
      {118, "Add printer driver error"},
      {119, "Add monitor error!"},
      {122, "Copy driver files error"},
      {123, "Add printer processor error\nFatal error, try rebooting the system."},
      {125, "Enum ports error"},
      {126, "Cannot get windows directory"},
      {131, "Successfully installed printer driver"},
      {133, "Successfully installed printer driver\nPlease repower the printer"},
      {135, "Install default printer driver"},
      {136, "Support multi-USB printer"},
      {137, "Support driver mode selection"},
      {139, "No USB device attached"},
      {140, "No support installation for this port"},
      {141, "Fatal error, try rebooting the system"},
      {142, "Lost of driver files, can't continue"},
      {143,
       "This application will change printer name\n"
       "the name will be matching with interface name\n"
       "If continue, click on \"Yes\"\n"
       "Otherwise click on \"No\""},
      {144, "Connect just one USB printer to host"},
      {145, "This printer not support WINDOWS SEVER 2003"},
      {146, "Can't load file Left.bmp!"},
      {147, "Can't load file License.txt!"},
      {148,
       "1:Please connect USB cable to printer and power on it\n"
       "2:Please cancel USB device driver pop-up installation\n"
       "3:Please press the \"Install(I)\" button to continue"},
      {149, "This printer not support Windows Vista"},
  };
  for (const Entry& entry : entries) EXPECT_STREQ(SetupText(entry.id), entry.text) << entry.id;
  EXPECT_STREQ(SetupText(-12345), "");
}

TEST(StringTablesTest, UninstallShowsTheseTextsUnderTheseNumbers) {
  const Entry entries[] = {
      {101, "About Uninstall(&A)..."},
      {102, "You must be logged on the computer as an administrator!"},
      {103, "Get system Directory error!"},
      {104, "Invalid File Handle."},
      {105, "Can't find file Uninstall.ini!"},
      {107, "Please select the printers you want to uninstall."},
      {108,
       "Please select the printers to be uninstalled.You can specify multiple printers to "
       "uninstall."},
      {109, "Deleting %s,please wait..."},
      {110, "%s is using,can't be deleted."},
      {111, "Uninstall %s error."},
      {112, "%s has been deleted."},
      {113, "Open %s printer error."},
      {114, "Deleting printer %s,please wait..."},
      {115, "Get printer info error"},
      {116, "Allocate memory error"},
      {117, "%s can't be deleted,please delete jobs in printer first."},
      {118, "Delete printer error."},
      {119, "The driver is using,can't be deleted."},
      {120, "The printer driver has been deleted."},
      {121, "Delete printer driver error."},
      {122, "Deleting %s's driver,please wait..."},
      {123, "Please delete jobs in printer %s first."},
  };
  for (const Entry& entry : entries) EXPECT_STREQ(UninstallText(entry.id), entry.text) << entry.id;
  EXPECT_STREQ(UninstallText(106), "");
}

}  // namespace
