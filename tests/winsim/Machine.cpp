#include "winsim/Machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <exception>
#include <map>
#include <sstream>

namespace winsim {
namespace {

struct Fault {
  std::string function;
  DWORD error;
  int nth;        // 0 = always
  int seen;       // matching calls since the fault was set
  bool hasArgument;
  std::string argument;
};

struct Core {
  std::vector<Fault> faults;
  std::map<std::string, int> calls;
  int allCalls = 0;
  int cutAt = 0;  // the call the power goes at; 0 for none
  std::string cutCall;
  std::string cutArgument;
  std::map<uintptr_t, HandleKind> handles;
  uintptr_t nextHandle = 0x1000;
};

Core& C() {
  static Core core;
  return core;
}

const char* KindName(HandleKind kind) {
  switch (kind) {
    case HandleKind::Key: return "key";
    case HandleKind::Find: return "find";
    case HandleKind::Printer: return "printer";
    case HandleKind::Service: return "service";
    case HandleKind::Module: return "module";
    case HandleKind::Heap: return "heap";
    case HandleKind::Token: return "token";
    case HandleKind::Sid: return "sid";
    case HandleKind::File: return "file";
    case HandleKind::Other: return "other";
  }
  return "?";
}

// A test that ends with handles open fails, and the next test starts with none: a leak is
// charged to the test that made it, not to the next Reset.
struct HandlesClosedAtTestEnd : ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    WINSIM_LOCK;
    if (C().handles.empty()) return;
    ADD_FAILURE() << "test ended with open winsim handles: " << DescribeOpenHandles();
    C().handles.clear();
  }
};
const bool handleCheckInstalled =
    (::testing::UnitTest::GetInstance()->listeners().Append(new HandlesClosedAtTestEnd), true);

}  // namespace

std::recursive_mutex& MachineLock() {
  static std::recursive_mutex lock;
  return lock;
}

void Reset() {
  WINSIM_LOCK;
  // A reset midway through a test would otherwise wipe the evidence of a leak before it.
  if (!C().handles.empty())
    ADD_FAILURE() << "winsim::Reset with open handles: " << DescribeOpenHandles();
  C() = Core();
  ResetClock();
  ResetRegistry();
  ResetFiles();
  ResetSystem();
  ResetModules();
  ResetTokens();
  ResetUsb();
  ResetMessageBoxes();
  ResetServices();
  ResetSpooler();
  ResetMessages();
  ResetMemory();
  ResetShell();
  ResetThreads();
  ResetSync();
}

void CutPowerAtCall(int k) {
  WINSIM_LOCK;
  C().cutAt = k > 0 ? C().allCalls + k : 0;
  C().cutCall.clear();
  C().cutArgument.clear();
}

bool PowerIsOff() {
  WINSIM_LOCK;
  return C().cutAt && C().allCalls >= C().cutAt;
}

std::string CutCall(std::string* argument) {
  WINSIM_LOCK;
  if (argument) *argument = C().cutArgument;
  return C().cutCall;
}

int AllCalls() {
  WINSIM_LOCK;
  return C().allCalls;
}

bool RunUntilPowerCut(const std::function<void()>& run) {
  try {
    run();
    return true;
  } catch (const PowerCut&) {
    return false;
  }
}

void Reboot() {
  WaitForThreadsToEnd();
  WINSIM_LOCK;
  int calls = C().allCalls;
  uintptr_t nextHandle = C().nextHandle;
  C() = Core();
  C().allCalls = calls;
  C().nextHandle = nextHandle;  // a stale handle of the last boot names nothing now
  RebootRegistry();
  RebootFiles();
  RebootModules();
  RebootSpooler();
  RebootTokens();
  RebootUsb();
  ResetMessageBoxes();
  ResetServices();
  ResetMessages();
  ResetMemory();
  ResetShell();
  ResetThreads();
  ResetSync();
}

void FailCall(const char* function, DWORD error, int nth, const char* argument) {
  WINSIM_LOCK;
  C().faults.push_back(
      Fault{function, error, nth, 0, argument != nullptr, argument ? argument : ""});
}

int CallCount(const char* function) {
  WINSIM_LOCK;
  auto it = C().calls.find(function);
  return it == C().calls.end() ? 0 : it->second;
}

DWORD TakeFault(const char* function, const char* argument) {
  WINSIM_LOCK;
  ++C().calls[function];
  if (++C().allCalls == C().cutAt) {
    C().cutCall = function;
    C().cutArgument = argument ? argument : "";
  }
  if (C().cutAt && C().allCalls >= C().cutAt) {
    // A call that only lets a handle go may come from a destructor, which must not throw, and
    // it changes nothing that outlasts the process: it fails instead. So does every call of a
    // thread already unwinding, as a second exception would end the program.
    bool releases = strstr(function, "Close") || strcmp(function, "FreeLibrary") == 0;
    if (releases || std::uncaught_exceptions() > 0) return ERROR_NOT_READY;
    throw PowerCut();
  }
  for (Fault& fault : C().faults) {
    if (fault.function != function) continue;
    if (fault.hasArgument && !EqualNoCase(fault.argument, argument ? argument : "")) continue;
    ++fault.seen;
    if (fault.nth == 0 || fault.nth == fault.seen) return fault.error;
  }
  return 0;
}

bool FailsNow(const char* function, const char* argument) {
  DWORD fault = TakeFault(function, argument);
  if (fault) SetLastError(fault);
  return fault != 0;
}

uintptr_t NewHandle(HandleKind kind) {
  WINSIM_LOCK;
  uintptr_t value = C().nextHandle;
  C().nextHandle += 4;
  C().handles[value] = kind;
  return value;
}

bool IsHandle(HandleKind kind, uintptr_t value) {
  WINSIM_LOCK;
  auto it = C().handles.find(value);
  return it != C().handles.end() && it->second == kind;
}

bool ReleaseHandle(HandleKind kind, uintptr_t value) {
  WINSIM_LOCK;
  if (!IsHandle(kind, value)) return false;
  C().handles.erase(value);
  return true;
}

int OpenHandles() {
  WINSIM_LOCK;
  return static_cast<int>(C().handles.size());
}

int OpenHandles(HandleKind kind) {
  WINSIM_LOCK;
  return static_cast<int>(std::count_if(C().handles.begin(), C().handles.end(),
                                        [kind](const auto& h) { return h.second == kind; }));
}

std::string DescribeOpenHandles() {
  WINSIM_LOCK;
  std::ostringstream out;
  for (const auto& h : C().handles) out << KindName(h.second) << "@0x" << std::hex << h.first << ' ';
  return out.str();
}

std::string Upper(const std::string& text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

bool EqualNoCase(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

}  // namespace winsim
