#include "uninstall/SilentUninstall.h"

#include "common/AppMessage.h"
#include "common/BoundedText.h"
#include "common/CommandLine.h"
#include "common/SilentExitCodes.h"
#include "common/SilentLog.h"
#include "common/SilentRun.h"
#include "common/SystemProbes.h"
#include "common/TextCompare.h"
#include "uninstall/RemovalEngine.h"
#include "uninstall/UninstallInventory.h"
#include "uninstall/UninstallStartup.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"

#include <cstring>

const char kUninstallUsage[] =
    "uninstall.exe /S /all | /printer=NAME /monitor=NAME /processor=NAME (each repeatable)\n"
    "Removes without the window.\n\n"
    "/usb\talso remove the USB device driver\n"
    "/norestart\tdo not restart after the removal\n"
    "/log=FILE\tappend the run's status lines to FILE\n\n"
    "Exit codes: 0 success, 3010 restart needed, 2 bad command line; see the documentation.";

namespace {

// The window's list and status box, kept in memory; the status lines go to the log.
class SilentView : public UninstallView {
 public:
  SilentView(SilentLog& log, bool usb, bool restart)
      : restartAsked(false),
        entryKept(false),
        driverKept(false),
        log_(log),
        usb_(usb),
        restart_(restart) {}

  int ItemCount() override { return static_cast<int>(items.size()); }
  void AppendItem(const char* text) override { items.push_back(Item{text, false}); }
  void GetItemText(int index, char* text, size_t capacity) override {
    CopyText(text, capacity, index >= 0 && index < ItemCount() ? items[index].text.c_str() : "");
  }
  bool IsItemChecked(int index) override {
    return index >= 0 && index < ItemCount() && items[index].checked;
  }
  void DeleteItem(int index) override {
    if (index >= 0 && index < ItemCount()) items.erase(items.begin() + index);
  }
  void AppendStatus(const char* text) override { log_.Line("status: ", text); }
  void RemovalFailed(RemovalFailure kind) override {
    (kind == DriverKept ? driverKept : entryKept) = true;
  }
  bool IsUsbRemovalChecked() override { return usb_; }
  void SetBusy(bool) override {}
  void SetUsbRemovalAvailable(bool) override {}
  bool AskRestart() override {
    restartAsked = true;
    log_.Line("question: ",
              restart_ ? "restart the computer -> Yes" : "restart the computer -> No");
    return restart_;
  }

  struct Item {
    std::string text;
    bool checked;
  };
  std::vector<Item> items;
  bool restartAsked;
  bool entryKept;   // a ticked entry stayed
  bool driverKept;  // a printer went but its driver stayed

 private:
  SilentLog& log_;
  bool usb_;
  bool restart_;
};

// Ticks the entry of this kind named `name`; false when the inventory has none.
bool Tick(const UninstallSettings& settings, SilentView& view, const std::string& name, int kind) {
  for (SilentView::Item& item : view.items) {
    const char* text = item.text.c_str();
    int itemKind = IsListedMonitor(settings, text) ? 1 : IsListedProcessor(settings, text) ? 2 : 0;
    if (itemKind == kind && EqualNoCase(text, name.c_str())) {
      item.checked = true;
      return true;
    }
  }
  return false;
}

int SilentRemove(const SilentUninstallOptions& options, SilentLog& log) {
  if (const char* refusal = UninstallOtherProgramRefusal())
    return SilentRefuse(log, SilentOtherProgramOpen, refusal);
  UninstallSettings settings;
  OsClassification os = ClassifySystemAtStartup(settings);
  settings.iniPath[0] = '\0';
  if (options.usb && os.usbRemovalUnavailable)
    return SilentRefuse(log, SilentUsbRemovalUnavailable,
                        "no USB device driver to remove on this system");
  if (const char* refusal = UninstallAdministratorRefusal(os))
    return SilentRefuse(log, SilentNotAdministrator, refusal);
  if (!LocateUninstallIni(settings, nullptr))
    return SilentInventoryMissing;  // its message is logged

  SilentView view(log, options.usb, !options.noRestart);
  FillInventory(settings, view);
  for (const SilentView::Item& item : view.items) log.Line("inventory: ", item.text.c_str());
  if (options.all)
    for (SilentView::Item& item : view.items) item.checked = true;
  const std::vector<std::string>* lists[3] = {&options.printers, &options.monitors,
                                              &options.processors};
  const char* const switches[3] = {"/printer=", "/monitor=", "/processor="};
  for (int kind = 0; kind < 3; ++kind)
    for (const std::string& name : *lists[kind])
      if (!Tick(settings, view, name, kind))
        return SilentRefuse(log, SilentNameNotInInventory,
                            "not in the inventory: ", (switches[kind] + name).c_str());

  if (!LoadDriverRemovalEntry(settings, nullptr))
    log.Line("", "drivers are removed without DeletePrinterDriverExA");
  int code = SilentSuccess;
  if (!LocalPrintersAreIdle(view)) {
    code = SilentJobsQueued;
  } else {
    RemovalWorker(settings, view);
    code = view.entryKept      ? SilentEntryNotRemoved
           : view.driverKept   ? SilentDriverNotRemoved
           : view.restartAsked ? SilentRestartNeeded
                               : SilentSuccess;
  }
  UnloadDriverRemovalEntry(settings);
  return code;
}

}  // namespace

bool ParseSilentUninstall(const char* commandLine, SilentUninstallOptions& options) {
  options = SilentUninstallOptions();
  bool silentSeen = false;
  bool good = true;
  for (const std::string& argument : SplitCommandLine(commandLine)) {
    const char* value;
    bool taken = true;
    if (IsSwitch(argument, "S", &value))
      taken = !value && !silentSeen && (silentSeen = true);
    else if (IsSwitch(argument, "all", &value))
      taken = !value && !options.all && (options.all = true);
    else if (IsSwitch(argument, "usb", &value))
      taken = !value && !options.usb && (options.usb = true);
    else if (IsSwitch(argument, "norestart", &value))
      taken = !value && !options.noRestart && (options.noRestart = true);
    else if (IsSwitch(argument, "log", &value)) {
      taken = value && *value && !options.hasLog && strlen(value) < MAX_PATH;
      if (taken) {
        options.hasLog = true;
        options.logPath = value;
      }
    } else {
      std::vector<std::string>* list = IsSwitch(argument, "printer", &value)   ? &options.printers
                                       : IsSwitch(argument, "monitor", &value) ? &options.monitors
                                       : IsSwitch(argument, "processor", &value)
                                           ? &options.processors
                                           : nullptr;
      taken = list && value && *value && strlen(value) < kItemNameSize;
      if (taken) list->push_back(value);
    }
    if (!taken && good) {
      options.badArgument = argument;
      good = false;
    }
  }
  if (!good) return false;
  bool named =
      !options.printers.empty() || !options.monitors.empty() || !options.processors.empty();
  const char* wrong = !silentSeen              ? "missing /S"
                      : options.all && named   ? "/all together with names"
                      : !options.all && !named ? "missing /all, /printer=, /monitor= or /processor="
                                               : nullptr;
  if (wrong) {
    options.badArgument = wrong;
    return false;
  }
  return true;
}

int RunSilentUninstall(const char* commandLine) {
  SilentUninstallOptions options;
  bool parsed = ParseSilentUninstall(commandLine, options);
  return RunSilently(
      "uninstall: ", commandLine, parsed, options, "another uninstall is running",
      [&options](SilentSession&, SilentLog& log) { return SilentRemove(options, log); });
}
