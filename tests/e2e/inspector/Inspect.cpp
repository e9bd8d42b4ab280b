// inspect.exe: prints what the spooler, the registry and the file system hold, one object a
// line, for the end-to-end cases to grep. Texts are in double quotes (\" and \\ inside).
//
//   inspect [WHAT...]      with no argument: version printers drivers monitors processors ports
//   default
//     version              os MAJOR.MINOR platform=N build=N        (what GetVersionExA answers)
//     printers             printer NAME driver= port= processor= datatype= attributes=
//     drivers              driver ENVIRONMENT NAME version= path= data= config= help= dependent=
//     monitors             monitor NAME environment= dll=
//     processors           processor ENVIRONMENT NAME
//     ports                port NAME monitor= description=
//     default              default NAME | default none error=N
//     reg KEY              reg KEY NAME dword N | sz TEXT | type=N, and  reg KEY key SUBKEY
//                          (KEY starts with HKLM\ or HKCU\), or  reg KEY missing
//     file PATH            file PATH size=N image=PE32|PE32+|none version=TEXT | file PATH missing
//   and, to arrange a case's prefix (exit code 1 when the spooler refuses):
//     add-driver ENVIRONMENT NAME FILE      a version-3 driver whose files are all FILE
//     add-processor ENVIRONMENT NAME DLL    a print processor
// A query the spooler refuses prints "<what> error=N" and makes the exit code 1.
#include <windows.h>
#include <winspool.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kEnvironments[] = {"Windows NT x86", "Windows x64", "Windows 4.0"};
bool failed = false;

std::string Q(const char* text) {
  std::string out = "\"";
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == '"' || *p == '\\') out += '\\';
    out += *p;
  }
  return out + "\"";
}

void Refused(const std::string& what) {
  printf("%s error=%lu\n", what.c_str(), GetLastError());
  failed = true;
}

// The two-call pattern of the Enum functions: size query, then the call itself.
template <typename Call>
bool Enumerate(std::vector<BYTE>& buffer, DWORD& count, Call call) {
  DWORD needed = 0;
  count = 0;
  if (call(nullptr, 0, &needed, &count)) return true;
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  buffer.assign(needed, 0);
  return call(buffer.data(), needed, &needed, &count) != 0;
}

void Version() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionExA(&info);
  printf("os %lu.%lu platform=%lu build=%lu\n", info.dwMajorVersion, info.dwMinorVersion,
         info.dwPlatformId, info.dwBuildNumber);
}

void Printers() {
  std::vector<BYTE> buffer;
  DWORD count = 0;
  if (!Enumerate(buffer, count, [](BYTE* b, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, b, size, needed, returned);
      }))
    return Refused("printers");
  auto* printers = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    printf("printer %s driver=%s port=%s processor=%s datatype=%s attributes=%lu\n",
           Q(printers[i].pPrinterName).c_str(), Q(printers[i].pDriverName).c_str(),
           Q(printers[i].pPortName).c_str(), Q(printers[i].pPrintProcessor).c_str(),
           Q(printers[i].pDatatype).c_str(), printers[i].Attributes);
}

std::string Dependents(const char* list) {
  std::string out;
  for (const char* p = list; p && *p; p += strlen(p) + 1) out += (out.empty() ? "" : ",") + Q(p);
  return out;
}

void Drivers() {
  for (const char* environment : kEnvironments) {
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!Enumerate(buffer, count, [&](BYTE* b, DWORD size, DWORD* needed, DWORD* returned) {
          return EnumPrinterDriversA(nullptr, const_cast<char*>(environment), 3, b, size, needed,
                                     returned);
        })) {
      Refused(std::string("drivers ") + Q(environment));
      continue;
    }
    auto* drivers = reinterpret_cast<DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
      printf("driver %s %s version=%lu path=%s data=%s config=%s help=%s dependent=%s\n",
             Q(environment).c_str(), Q(drivers[i].pName).c_str(), drivers[i].cVersion,
             Q(drivers[i].pDriverPath).c_str(), Q(drivers[i].pDataFile).c_str(),
             Q(drivers[i].pConfigFile).c_str(), Q(drivers[i].pHelpFile).c_str(),
             Dependents(drivers[i].pDependentFiles).c_str());
  }
}

void Monitors() {
  std::vector<BYTE> buffer;
  DWORD count = 0;
  if (!Enumerate(buffer, count, [](BYTE* b, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumMonitorsA(nullptr, 2, b, size, needed, returned);
      }))
    return Refused("monitors");
  auto* monitors = reinterpret_cast<MONITOR_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    printf("monitor %s environment=%s dll=%s\n", Q(monitors[i].pName).c_str(),
           Q(monitors[i].pEnvironment).c_str(), Q(monitors[i].pDLLName).c_str());
}

void Processors() {
  for (const char* environment : kEnvironments) {
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!Enumerate(buffer, count, [&](BYTE* b, DWORD size, DWORD* needed, DWORD* returned) {
          return EnumPrintProcessorsA(nullptr, const_cast<char*>(environment), 1, b, size, needed,
                                      returned);
        })) {
      Refused(std::string("processors ") + Q(environment));
      continue;
    }
    auto* processors = reinterpret_cast<PRINTPROCESSOR_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
      printf("processor %s %s\n", Q(environment).c_str(), Q(processors[i].pName).c_str());
  }
}

void Ports() {
  std::vector<BYTE> buffer;
  DWORD count = 0;
  if (!Enumerate(buffer, count, [](BYTE* b, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPortsA(nullptr, 2, b, size, needed, returned);
      }))
    return Refused("ports");
  auto* ports = reinterpret_cast<PORT_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    printf("port %s monitor=%s description=%s\n", Q(ports[i].pPortName).c_str(),
           Q(ports[i].pMonitorName).c_str(), Q(ports[i].pDescription).c_str());
}

void Default() {
  char name[512] = {};
  DWORD size = sizeof name;
  if (GetDefaultPrinterA(name, &size))
    printf("default %s\n", Q(name).c_str());
  else
    printf("default none error=%lu\n", GetLastError());
}

void Registry(const std::string& path) {
  HKEY root = path.compare(0, 5, "HKLM\\") == 0   ? HKEY_LOCAL_MACHINE
              : path.compare(0, 5, "HKCU\\") == 0 ? HKEY_CURRENT_USER
                                                  : nullptr;
  HKEY key = nullptr;
  if (!root || RegOpenKeyExA(root, path.c_str() + 5, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    printf("reg %s missing\n", Q(path.c_str()).c_str());
    return;
  }
  char name[512];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
      break;
    data[dataSize] = 0;
    printf("reg %s %s ", Q(path.c_str()).c_str(), Q(name).c_str());
    if (type == REG_DWORD && dataSize == 4)
      printf("dword %lu\n", *reinterpret_cast<DWORD*>(data));
    else if (type == REG_SZ || type == REG_EXPAND_SZ)
      printf("sz %s\n", Q(reinterpret_cast<char*>(data)).c_str());
    else
      printf("type=%lu size=%lu\n", type, dataSize);
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    printf("reg %s key %s\n", Q(path.c_str()).c_str(), Q(name).c_str());
  }
  RegCloseKey(key);
}

std::string FileVersion(const char* path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  std::vector<BYTE> info(size ? size : 1);
  WORD* translation = nullptr;
  UINT length = 0;
  char* text = nullptr;
  char query[64];
  if (!size || !GetFileVersionInfoA(path, 0, size, info.data()) ||
      !VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 4)
    return "none";
  snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0],
           translation[1]);
  if (!VerQueryValueA(info.data(), query, reinterpret_cast<void**>(&text), &length) || !length)
    return "none";
  return text;
}

// The program format by the optional header's magic: 32-bit or 64-bit (PE32+).
const char* ImageKind(const char* path) {
  BYTE head[1024] = {};
  DWORD got = 0;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "none";
  ReadFile(file, head, sizeof head, &got, nullptr);
  CloseHandle(file);
  DWORD pe = got >= 0x40 ? *reinterpret_cast<DWORD*>(head + 0x3c) : 0;
  if (head[0] != 'M' || head[1] != 'Z' || pe + 26 > got || memcmp(head + pe, "PE\0\0", 4) != 0)
    return "none";
  WORD magic = *reinterpret_cast<WORD*>(head + pe + 24);
  return magic == 0x20b ? "PE32+" : magic == 0x10b ? "PE32" : "none";
}

void File(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    printf("file %s missing\n", Q(path.c_str()).c_str());
    return;
  }
  printf("file %s size=%lu image=%s version=%s\n", Q(path.c_str()).c_str(), data.nFileSizeLow,
         ImageKind(path.c_str()), Q(FileVersion(path.c_str()).c_str()).c_str());
}

void AddDriver(const std::string& environment, const std::string& name, const std::string& file) {
  DRIVER_INFO_3A info{};
  info.cVersion = 3;
  info.pEnvironment = const_cast<char*>(environment.c_str());
  info.pName = const_cast<char*>(name.c_str());
  info.pDriverPath = info.pDataFile = info.pConfigFile = const_cast<char*>(file.c_str());
  if (AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)))
    printf("added driver %s %s\n", Q(environment.c_str()).c_str(), Q(name.c_str()).c_str());
  else
    Refused("add-driver " + Q(name.c_str()));
}

void AddProcessor(const std::string& environment, const std::string& name, const std::string& dll) {
  if (AddPrintProcessorA(nullptr, const_cast<char*>(environment.c_str()),
                         const_cast<char*>(dll.c_str()), const_cast<char*>(name.c_str())))
    printf("added processor %s %s\n", Q(environment.c_str()).c_str(), Q(name.c_str()).c_str());
  else
    Refused("add-processor " + Q(name.c_str()));
}

}  // namespace

int main(int argc, char** argv) {
  // The cases grep whole lines: no carriage returns.
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> what(argv + 1, argv + argc);
  if (what.empty())
    what = {"version", "printers", "drivers", "monitors", "processors", "ports", "default"};
  for (size_t i = 0; i < what.size(); ++i) {
    const std::string& name = what[i];
    if (name == "version")
      Version();
    else if (name == "printers")
      Printers();
    else if (name == "drivers")
      Drivers();
    else if (name == "monitors")
      Monitors();
    else if (name == "processors")
      Processors();
    else if (name == "ports")
      Ports();
    else if (name == "default")
      Default();
    else if ((name == "reg" || name == "file") && i + 1 < what.size())
      name == "reg" ? Registry(what[++i]) : File(what[++i]);
    else if ((name == "add-driver" || name == "add-processor") && i + 3 < what.size()) {
      i += 3;
      (name == "add-driver" ? AddDriver : AddProcessor)(what[i - 2], what[i - 1], what[i]);
    }
    else {
      printf("unknown query %s\n", Q(name.c_str()).c_str());
      return 2;
    }
  }
  return failed ? 1 : 0;
}
