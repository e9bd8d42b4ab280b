#include "ports/SerialRegistration.h"

#include "winsim/MessageLog.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kClassKey = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";
const char* const kNtPorts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

SerialSettings Settings(int baud, char parity, int dataBits, double stopBits, char flow) {
  return SerialSettings{baud, dataBits, stopBits, parity, flow};
}

std::string Text(const SerialSettings& serial) {
  char text[64];
  FormatSerialSettings(serial, text, sizeof text);
  return text;
}

std::string ProfilePort(const char* port) {
  char text[64];
  GetPrivateProfileStringA("Ports", port, "<none>", text, sizeof text, "win.ini");
  return text;
}

class SerialRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override { winsim::Reset(); }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
  // Class keys 0000..0003 with these PortSubClass bytes (-1: no key).
  static void ClassKeys(std::initializer_list<int> subClasses) {
    int i = 0;
    for (int subClass : subClasses) {
      if (subClass >= 0)
        winsim::SetValue(HKEY_LOCAL_MACHINE, kClassKey + std::to_string(i), "PortSubClass",
                         REG_BINARY, std::string(1, static_cast<char>(subClass)));
      ++i;
    }
  }
  static bool Dcb(int index, std::string* bytes) {
    DWORD type = 0;
    bool found = winsim::GetValue(HKEY_LOCAL_MACHINE, kClassKey + std::to_string(index), "DCB",
                                  &type, bytes);
    if (found) {
      EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
    }
    return found;
  }
};

TEST(SerialSettingsText, StopBitsOneAndAHalfKeepTheirDecimal) {
  EXPECT_EQ(Text(Settings(9600, 'n', 8, 1.0, 'x')), "9600,n,8,1,x");
  EXPECT_EQ(Text(Settings(9600, 'n', 8, 1.5, 'p')), "9600,n,8,1.5,p");
  EXPECT_EQ(Text(Settings(19200, 'e', 7, 2.0, ' ')), "19200,e,7,2, ");
}

// The block as Windows 98 reads it: 28 bytes, little-endian, bit fields in the flag word.
std::string ExpectedDcb(DWORD baud, DWORD flags, BYTE byteSize, BYTE parity, BYTE stopBits,
                        BYTE xon, BYTE xoff) {
  std::string bytes(28, '\0');
  auto put32 = [&bytes](size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put32(0, 28);
  put32(4, baud);
  put32(8, flags);
  bytes[18] = static_cast<char>(byteSize);
  bytes[19] = static_cast<char>(parity);
  bytes[20] = static_cast<char>(stopBits);
  bytes[21] = static_cast<char>(xon);
  bytes[22] = static_cast<char>(xoff);
  return bytes;
}

const DWORD fBinary = 1u << 0, fParity = 1u << 1, fOutxCtsFlow = 1u << 2, fOutX = 1u << 8,
            fInX = 1u << 9, fErrorChar = 1u << 10, rtsEnable = 1u << 12;

TEST_F(SerialRegistrationTest, TheDeviceControlBlockIsLaidOutByteForByte) {
  ClassKeys({1});
  RegisterSerialPortWin98(1, "COM1:", Settings(9600, 'n', 8, 1.0, 'x'));
  std::string bytes;
  ASSERT_TRUE(Dcb(0, &bytes));
  EXPECT_EQ(bytes, ExpectedDcb(9600, fBinary | fOutX | fInX, 8, 0, 0, 0x11, 0x13));

  RegisterSerialPortWin98(1, "COM1:", Settings(19200, 'e', 7, 1.5, 'p'));
  ASSERT_TRUE(Dcb(0, &bytes));
  EXPECT_EQ(bytes, ExpectedDcb(19200, fBinary | fOutxCtsFlow | rtsEnable | fParity | fErrorChar, 7,
                               2, 1, 0, 0));

  RegisterSerialPortWin98(1, "COM1:", Settings(4800, 's', 8, 2.0, ' '));
  ASSERT_TRUE(Dcb(0, &bytes));
  EXPECT_EQ(bytes, ExpectedDcb(4800, fBinary | fParity | fErrorChar, 8, 4, 2, 0, 0));
}

TEST(SerialDcb, EachParityLetterHasItsCode) {
  struct Case {
    char letter;
    BYTE parity;
    bool checked;
  } cases[] = {{'e', EVENPARITY, true},  {'o', ODDPARITY, true}, {'m', MARKPARITY, true},
               {'s', SPACEPARITY, true}, {'n', NOPARITY, false}, {'q', NOPARITY, false}};
  for (const Case& c : cases) {
    DCB dcb;
    BuildSerialDcb(Settings(9600, c.letter, 8, 1.0, ' '), &dcb);
    EXPECT_EQ(dcb.Parity, c.parity) << c.letter;
    EXPECT_EQ(dcb.fParity, c.checked ? 1u : 0u) << c.letter;
    EXPECT_EQ(dcb.fErrorChar, c.checked ? 1u : 0u) << c.letter;
  }
}

TEST_F(SerialRegistrationTest, PortsOneAndTwoTakeTheFirstAndSecondSerialClassKeys) {
  ClassKeys({0, -1, 1, 1});  // a parallel port key, a missing key, then two COM keys
  std::string bytes;
  RegisterSerialPortWin98(1, "COM1:", Settings(9600, 'n', 8, 1.0, 'x'));
  EXPECT_TRUE(Dcb(2, &bytes));
  EXPECT_FALSE(Dcb(3, &bytes));
  RegisterSerialPortWin98(2, "COM2:", Settings(9600, 'n', 8, 1.0, 'x'));
  EXPECT_TRUE(Dcb(3, &bytes));
  EXPECT_FALSE(Dcb(0, &bytes));
}

TEST_F(SerialRegistrationTest, PortThreeGetsOnlyTheProfileEntry) {
  ClassKeys({1, 1, 1, 1});
  RegisterSerialPortWin98(3, "COM3:", Settings(9600, 'n', 8, 1.0, 'x'));
  std::string bytes;
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(Dcb(i, &bytes)) << i;
  EXPECT_EQ(ProfilePort("COM3:"), "9600,n,8,1,x");
}

TEST_F(SerialRegistrationTest, Windows98WritesTheProfileNotifiesAndFlushes) {
  winsim::SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);  // NT would refuse the notification
  RegisterSerialPortWin98(2, "COM2:", Settings(9600, 'n', 8, 1.5, 'p'));
  EXPECT_EQ(ProfilePort("COM2:"), "9600,n,8,1.5,p");
  auto sent = winsim::Broadcasts();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].function, "SendNotifyMessageA");
  EXPECT_EQ(sent[0].message, static_cast<UINT>(WM_WININICHANGE));
  EXPECT_EQ(sent[0].text, "Ports");
  EXPECT_EQ(winsim::CallCount("WriteProfileStringA"), 2);
}

TEST_F(SerialRegistrationTest, NtWritesIntoAnExistingPortsKeyOnly) {
  RegisterSerialPortNt("COM2:", Settings(9600, 'n', 8, 1.0, 'x'));
  EXPECT_FALSE(winsim::KeyExists(HKEY_LOCAL_MACHINE, kNtPorts));

  winsim::SetValue(HKEY_LOCAL_MACHINE, kNtPorts, "COM1:", REG_SZ, std::string("9600,n,8,1", 11));
  RegisterSerialPortNt("COM2:", Settings(115200, 'o', 8, 2.0, 'p'));
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(winsim::GetValue(HKEY_LOCAL_MACHINE, kNtPorts, "COM2:", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(data.c_str()), "115200,o,8,2,p");
  EXPECT_TRUE(winsim::Broadcasts().empty());
}

}  // namespace
