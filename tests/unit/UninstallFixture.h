// A machine with the uninstaller's medium and spooler objects, and a stand-in for its window.
#pragma once

#include "uninstall/UninstallState.h"
#include "uninstall/UninstallView.h"
#include "winsim/FileControl.h"
#include "winsim/SpoolerControl.h"
#include "winsim/winsim.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

// Records what the engine does to the window; safe to call from the worker thread.
class FakeView : public UninstallView {
 public:
  struct Item {
    std::string text;
    bool checked;
  };
  int ItemCount() override {
    return Locked([&] { return static_cast<int>(items.size()); });
  }
  void AppendItem(const char* text) override {
    Locked([&] { items.push_back(Item{text, false}); });
  }
  void GetItemText(int index, char* text, size_t capacity) override {
    Locked([&] {
      std::string value =
          index >= 0 && index < static_cast<int>(items.size()) ? items[index].text : "";
      snprintf(text, capacity, "%s", value.c_str());
    });
  }
  bool IsItemChecked(int index) override {
    return Locked([&] { return items.at(index).checked; });
  }
  void DeleteItem(int index) override {
    Locked([&] { items.erase(items.begin() + index); });
  }
  void AppendStatus(const char* text) override {
    Locked([&] { status.push_back(text); });
  }
  void RemovalFailed(RemovalFailure kind) override {
    Locked([&] { failures.push_back(kind); });
  }
  bool IsUsbRemovalChecked() override { return usbChecked; }
  void SetBusy(bool busy) override {
    Locked([&] { states.push_back(busy ? "busy" : "idle"); });
  }
  void SetUsbRemovalAvailable(bool available) override {
    Locked([&] { states.push_back(available ? "usb available" : "usb unavailable"); });
  }
  bool AskRestart() override {
    return Locked([&] {
      ++restartPrompts;
      return restartAnswer;
    });
  }
  // Waits (in real time) until `state` is the last one the engine asked of the window.
  bool WaitForState(const std::string& state) {
    std::unique_lock<std::mutex> guard(lock);
    return changed.wait_for(guard, std::chrono::seconds(10),
                            [&] { return !states.empty() && states.back() == state; });
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const Item& item : items) texts.push_back(item.text);
    return texts;
  }
  void Tick(const std::string& text) {
    for (Item& item : items)
      if (item.text == text) item.checked = true;
  }

  std::vector<Item> items;
  std::vector<std::string> status;
  std::vector<RemovalFailure> failures;
  std::vector<std::string> states;  // "busy", "idle", "usb available", "usb unavailable"
  bool usbChecked = false;
  bool restartAnswer = false;
  int restartPrompts = 0;

 private:
  template <typename F>
  auto Locked(F f) -> decltype(f()) {
    std::lock_guard<std::mutex> guard(lock);
    struct Notify {
      std::condition_variable& c;
      ~Notify() { c.notify_all(); }
    } notify{changed};
    return f();
  }
  std::mutex lock;
  std::condition_variable changed;
};

class UninstallTest : public ::testing::Test {
 protected:
  static constexpr const char* kMedium = "C:\\MEDIUM";
  static constexpr const char* kIni =
      "[AQPRINTER]\nPRINTERNUM=1\nPRINTERNAME1=QM-\n"
      "[AQMONITOR]\nMonitorNUM=2\nMONITORNAME1=AQ USB\nMONITORNAME2=AQ COM\n"
      "[AQPROC]\nPROCNUM=1\nPROCNAME1=AQ Print\n"
      "[AQUSBMonitor.2K]\nMonitorPDLLName=aqusbmon.dll\nMonitorPUIDLLName=aqusbui.dll\n"
      "[AQCOMMonitor.2K]\nMonitorPDLLName=aqcommon.dll\nMonitorPUIDLLName=\n"
      "[AQ Print Processor.2K]\nProcessorDllName=aqproc.dll\n";

  void SetUp() override {
    winsim::Reset();
    winsim::MakeDirectory(kMedium);
    winsim::SetCurrentDirectory(kMedium);
    settings = UninstallSettings();
    settings.osCode = WinXp;
    UseIni(kIni);
  }
  void TearDown() override {
    UnloadDriverRemovalEntry(settings);
    EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles();
  }

  void UseIni(const std::string& text) {
    std::string path = std::string(kMedium) + "\\DRVCONFIG\\Uninstall.ini";
    winsim::WriteFile(path, text);
    snprintf(settings.iniPath, kUninstallIniPathSize, "%s", path.c_str());
  }
  static std::string System(const char* file) { return winsim::SystemDirectory() + "\\" + file; }
  // What the spooler keeps on this machine: on 64-bit Windows that of "Windows x64".
  static char* Environment() {
    static char x64[] = "Windows x64";
    return winsim::Windows64() ? x64 : nullptr;
  }
  static std::string Processors(const char* file) {
    return winsim::PrintProcessorDirectory(Environment()) + "\\" + file;
  }
  // A driver whose files lie in the driver directory.
  static void PutDriver(const std::string& name) {
    std::string dir = winsim::PrinterDriverDirectory(Environment()) + "\\";
    std::string file = name + ".dll";
    winsim::WriteFile(dir + file, "MZ");
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name.c_str());
    info.pEnvironment = Environment();
    info.pDriverPath = info.pDataFile = info.pConfigFile = const_cast<char*>(file.c_str());
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)));
  }
  static void PutPrinter(const std::string& name, const std::string& driver,
                         const std::string& port = "LPT1:",
                         const std::string& processor = "WinPrint") {
    winsim::SpoolerDriver existing;
    if (!winsim::FindDriver(driver, &existing)) PutDriver(driver);
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(driver.c_str());
    info.pPrintProcessor = const_cast<char*>(processor.c_str());
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(printer, nullptr) << GetLastError();
    ClosePrinter(printer);
  }
  static void PutMonitor(const std::string& name, const char* dll, const std::string& port = "") {
    winsim::MakeMonitorDll(System(dll));
    MONITOR_INFO_2A info{const_cast<char*>(name.c_str()), Environment(), const_cast<char*>(dll)};
    ASSERT_TRUE(AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    if (!port.empty()) winsim::AddMonitorPort(name, port);
  }
  static void PutProcessor(const std::string& name, const char* dll) {
    winsim::MakeProcessorDll(Processors(dll));
    ASSERT_TRUE(AddPrintProcessorA(nullptr, Environment(), const_cast<char*>(dll),
                                   const_cast<char*>(name.c_str())));
  }
  // Which of the names the spooler still knows as printers.
  static bool HasPrinter(const std::string& name) { return winsim::FindPrinter(name, nullptr); }

  UninstallSettings settings;  // the program's own, as the window or the silent run holds it
  FakeView view;
};
