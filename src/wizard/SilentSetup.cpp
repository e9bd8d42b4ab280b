#include "wizard/SilentSetup.h"

#include "common/AppMessage.h"
#include "common/BoundedText.h"
#include "common/CommandLine.h"
#include "common/SilentExitCodes.h"
#include "common/SilentLog.h"
#include "common/SilentRun.h"
#include "common/SystemProbes.h"
#include "common/TextCompare.h"
#include "engine/InstallCommand.h"
#include "engine/SetupText.h"
#include "wizard/SetupStartup.h"
#include "wizard/WizardFlow.h"
#include "wizard/WizardTexts.h"

#include <cstring>
#include <memory>

const char kSetupUsage[] =
    "setup.exe /S /model=NAME /port=PORT [options]\n"
    "Installs the printer without the wizard.\n\n"
    "/advanced\tAdvanced setup (multi-printer USB ports)\n"
    "/default\tmake it the default printer\n"
    "/baud= /databits= /parity= /stopbits= /flow=\tserial settings\n"
    "/setid\trewrite the USB printer's identity to match its port\n"
    "/norestart\tnever restart Windows 98/Me\n"
    "/log=FILE\tappend the run's messages to FILE\n\n"
    "Exit codes: 0 success, 3010 restart needed, 2 bad command line; see the documentation.";

namespace {

// The entry of `list` (a port page box) that `value` names, in the list's own spelling.
bool Canonical(const char* value, const char* const* list, std::string& entry) {
  for (; *list; ++list)
    if (EqualNoCase(value, *list)) {
      entry = *list;
      return true;
    }
  return false;
}

// The entries of the port page's serial boxes (setup.rc), which the options must name.
const char* const kBaudRates[] = {"110",   "300",   "1200",  "2400",   "4800", "9600",
                                  "19200", "38400", "57600", "115200", nullptr};
const char* const kDataBits[] = {"5", "6", "7", "8", nullptr};
const char* const kParities[] = {"Even", "Mark", "None", "Odd", "Space", nullptr};
const char* const kStopBits[] = {"1", "1.5", "2", nullptr};
const char* const kFlows[] = {"None", "Xon/Xoff", "Hardware", nullptr};

struct ValueSwitch {
  const char* name;
  std::string SilentSetupOptions::*field;
  const char* const* list;  // null: any text up to `capacity`
  size_t capacity;
};
const ValueSwitch kValueSwitches[] = {
    {"model", &SilentSetupOptions::model, nullptr, sizeof(SetupSelection::modelName)},
    {"port", &SilentSetupOptions::port, nullptr, kPortTextCapacity},
    {"baud", &SilentSetupOptions::baud, kBaudRates, 0},
    {"databits", &SilentSetupOptions::dataBits, kDataBits, 0},
    {"parity", &SilentSetupOptions::parity, kParities, 0},
    {"stopbits", &SilentSetupOptions::stopBits, kStopBits, 0},
    {"flow", &SilentSetupOptions::flow, kFlows, 0},
    {"log", &SilentSetupOptions::logPath, nullptr, MAX_PATH},
};
struct FlagSwitch {
  const char* name;
  bool SilentSetupOptions::*field;
};
const FlagSwitch kFlagSwitches[] = {{"advanced", &SilentSetupOptions::advanced},
                                    {"default", &SilentSetupOptions::setDefault},
                                    {"setid", &SilentSetupOptions::setId},
                                    {"norestart", &SilentSetupOptions::noRestart}};

// Takes one argument; false when it is bad.
bool TakeArgument(const std::string& argument, SilentSetupOptions& options, bool& silentSeen,
                  std::vector<std::string>& seen) {
  const char* value;
  if (IsSwitch(argument, "S", &value)) {
    if (value || silentSeen) return false;
    silentSeen = true;
    return true;
  }
  for (const FlagSwitch& flag : kFlagSwitches) {
    if (!IsSwitch(argument, flag.name, &value)) continue;
    if (value || options.*flag.field) return false;
    options.*flag.field = true;
    return true;
  }
  for (const ValueSwitch& item : kValueSwitches) {
    if (!IsSwitch(argument, item.name, &value)) continue;
    if (!value || !*value) return false;
    for (const std::string& name : seen)
      if (name == item.name) return false;
    seen.push_back(item.name);
    std::string& field = options.*item.field;
    if (item.list) return Canonical(value, item.list, field);
    if (strlen(value) >= item.capacity) return false;
    field = value;
    if (item.field == &SilentSetupOptions::logPath) options.hasLog = true;
    return true;
  }
  return false;
}

// The wizard's windows as the Install command sees them in a silent run: there are none.
class SilentInstallHost : public InstallCommandHost {
 public:
  explicit SilentInstallHost(PortPageModel& port)
      : refusal(NotRefused), result(-1), failure(NoFailure), port_(port) {}
  HWND Window() override { return nullptr; }
  void RefreshPages() override {}
  void ReadPortPage(PortPageValues& values) override {
    CopyText(values.portName, port_.portText);
    values.driverMode = port_.driverMode;
    values.serial = port_.serial;
  }
  void MinimizeTopMost() override {}
  // The command itself waits for the worker's end.
  void RunProgress(InstallCompletion&) override {}
  void Refused(InstallRefusal why) override { refusal = why; }
  void RunEnded(int ended, InstallFailure failed) override {
    result = ended;
    failure = failed;
  }
  void EndWizard() override {}
  InstallRefusal refusal;
  int result;
  InstallFailure failure;

 private:
  PortPageModel& port_;
};

// The wizard's pages without windows: the models the pages keep.
struct SilentWizard {
  ModuleConfig config;
  ModulePageModel module;
  SetupTypeModel setupType;
  OsPageModel os;
  PortPageModel port;
  SetupSelection selection;
  InstallWorkingData work;
};

// The module whose list holds `name`, and the entry's text: an entry spelt exactly so wins over
// one that differs only in case, as the user would click the one they read. NoModule for none.
PrinterModule FindOfferedModel(const ModulePageModel& module, const char* name,
                               std::string& entry) {
  for (bool exact : {true, false})
    for (PrinterModule m : kPrinterModules)
      for (const std::string& offered : module.models[m])
        if (exact ? offered == name : EqualNoCase(offered.c_str(), name)) {
          entry = offered;
          return m;
        }
  return NoModule;
}

bool SerialPortEntry(const char* entry) { return PortKindOf(entry) == SerialPort; }

// What a step of the walk answers when it refuses nothing.
const int kWalkOn = -1;

// The wizard's models as the frame opens them; a system the OS page does not offer is refused.
int OpenWizard(SilentWizard& w, SilentLog& log) {
  ClearSelection(&w.selection);
  w.module.Fill(w.config);
  w.os.Init();
  if (w.os.view.messageId)
    return SilentRefuse(log, SilentSystemUnsupported, SetupText(IDS_UNSUPPORTED_SYSTEM));
  return kWalkOn;
}

// From the licence to the port page with the model, its default mark and the setup type the
// options choose; `step` is the arrival at the port page.
int WalkToPortPage(const SilentSetupOptions& options, SilentWizard& w, ButtonStep& step,
                   SilentLog& log) {
  std::string chosenModel;
  PrinterModule chosenModule = FindOfferedModel(w.module, options.model.c_str(), chosenModel);
  if (chosenModule == NoModule)
    return SilentRefuse(log, SilentModelNotOffered, "the medium offers no model ",
                        options.model.c_str());

  WizardModels models = {&w.module, &w.setupType, &w.os, &w.port, &AskUsbPrinterId};
  WizardFlow flow(kWizardPages, models, &w.selection);
  flow.SetActivePage(LicensePage, true);
  flow.OnNext(true);  // the licence is accepted by asking for the silent run
  w.module.ChooseModule(chosenModule);
  w.module.SelectModelText(chosenModule, chosenModel.c_str());
  w.module.setAsDefault = options.setDefault ? 1 : 0;
  flow.OnNext(true);
  if (options.advanced) {
    if (!w.setupType.advancedEnabled)
      return SilentRefuse(log, SilentAdvancedNotOffered, "no Advanced setup for ",
                          chosenModel.c_str());
    w.setupType.OnAdvanced();
  }
  flow.OnNext(true);
  step = flow.OnNext(true);
  if (step.page.messageId)
    return SilentRefuse(log, SetupRefusalCode(step.page.refusal), SetupText(step.page.messageId));
  return kWalkOn;
}

// Selects the port the options name among those the page offers, then the serial settings
// they give (for a serial port only).
int ChoosePort(const SilentSetupOptions& options, PortPageModel& port, const ButtonStep& step,
               SilentLog& log) {
  const char* entry = nullptr;
  std::string offered;
  for (int i = 0; i < step.port.entryCount; ++i) {
    if (EqualNoCase(step.port.entries[i], options.port.c_str())) entry = step.port.entries[i];
    offered += i ? ", " : "";
    offered += step.port.entries[i];
  }
  if (!step.portComposed || !entry) {
    std::string detail = options.port + " (offered: " + offered + ")";
    return SilentRefuse(log, SilentPortNotOffered, "port not offered: ", detail.c_str());
  }
  port.OnPortSelected(entry);
  bool serialGiven = !options.baud.empty() || !options.dataBits.empty() ||
                     !options.parity.empty() || !options.stopBits.empty() || !options.flow.empty();
  if (serialGiven && !SerialPortEntry(entry)) {
    log.Line("bad argument: ", "serial settings apply to serial ports only");
    return SilentBadCommandLine;
  }
  if (!options.baud.empty()) port.OnBaudRateSelected(options.baud.c_str());
  if (!options.dataBits.empty()) port.OnByteSizeSelected(options.dataBits.c_str());
  if (!options.parity.empty()) port.OnParitySelected(options.parity.c_str());
  if (!options.stopBits.empty()) port.OnStopBitsSelected(options.stopBits.c_str());
  if (!options.flow.empty()) port.OnProtocolSelected(options.flow.c_str());
  return kWalkOn;
}

// Walks the wizard's pages with the options as the user's choices, then presses Install.
int SilentInstall(const SilentSetupOptions& options, SilentSession& session, SilentLog& log) {
  if (const char* refusal = SetupOtherProgramRefusal())
    return SilentRefuse(log, SilentOtherProgramOpen, refusal);
  if (const char* refusal = SetupAdministratorRefusal())
    return SilentRefuse(log, SilentNotAdministrator, refusal);

  std::unique_ptr<SilentWizard> wizard(new SilentWizard);
  SilentWizard& w = *wizard;
  int code = OpenWizard(w, log);
  ButtonStep step;
  if (code == kWalkOn) code = WalkToPortPage(options, w, step, log);
  if (code == kWalkOn) code = ChoosePort(options, w.port, step, log);
  if (code != kWalkOn) return code;

  session.Answer(SetupText(IDS_CHANGE_PRINTER_NAME_QUESTION), options.setId);
  session.Answer(SetupText(IDS_RESTART_QUESTION), !options.noRestart);
  SilentInstallHost host(w.port);
  if (InstallCommand(w.selection, w.work, host) == InstallAborted)
    return SetupRefusalCode(host.refusal);
  return SetupOutcomeCode(host.result, host.failure, w.selection.targetOs);
}

}  // namespace

bool ParseSilentSetup(const char* commandLine, SilentSetupOptions& options) {
  options = SilentSetupOptions();
  bool silentSeen = false;
  std::vector<std::string> seen;
  bool good = true;
  for (const std::string& argument : SplitCommandLine(commandLine)) {
    if (!TakeArgument(argument, options, silentSeen, seen) && good) {
      options.badArgument = argument;
      good = false;
    }
  }
  if (!good) return false;
  const char* missing = !silentSeen             ? "/S"
                        : options.model.empty() ? "/model="
                        : options.port.empty()  ? "/port="
                                                : nullptr;
  if (missing) {
    options.badArgument = std::string("missing ") + missing;
    return false;
  }
  return true;
}

int SetupRefusalCode(InstallRefusal refusal) {
  switch (refusal) {
    case NoModelChosen:
      return SilentModelNotOffered;
    case ModelNotForThisSystem:
      return SilentModelNotForSystem;
    case ModelNotForWindows7:
      return SilentModelNotForWindows7;
    case ModelNotFor64BitWindows:
      return SilentModelNotFor64BitWindows;
    case PortNotSupported:
      return SilentPortUnsupported;
    case NoUsbPrinter:
      return SilentNoUsbPrinter;
    case SeveralUsbPrinters:
      return SilentSeveralUsbPrinters;
    case IdentityChangeDeclined:
      return SilentIdentityNeedsSetId;
    case IdentityNotSet:
      return SilentIdentityNotSet;
    case UsbNotOnThisSystem:
      return SilentUsbOnNt4;
    case NotRefused:
      break;
  }
  return SilentSystemFailed;
}

int SetupOutcomeCode(int result, InstallFailure failure, TargetOs targetOs) {
  if (result == InstallSucceeded)
    return IsWindows98Me(targetOs) ? SilentRestartNeeded : SilentSuccess;
  switch (failure) {
    case MonitorFailure:
      return SilentMonitorFailed;
    case ProcessorFailure:
      return SilentProcessorFailed;
    case DriverFilesFailure:
      return SilentDriverFilesFailed;
    case DriverFailure:
      return SilentDriverFailed;
    case PrinterFailure:
      return SilentPrinterFailed;
    case NoFailure:
    case SystemFailure:
      break;
  }
  return SilentSystemFailed;
}

int RunSilentSetup(const char* commandLine) {
  SilentSetupOptions options;
  bool parsed = ParseSilentSetup(commandLine, options);
  return RunSilently("setup: ", commandLine, parsed, options, "another setup is running",
                     [&options](SilentSession& session, SilentLog& log) {
                       return SilentInstall(options, session, log);
                     });
}
