// winsim: the simulated Windows that the native build links instead of the system DLLs.
// Product code calls the Win32 API by its own names; this header is the control panel
// that tests use to set the machine up, inject faults and inspect what was done.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace winsim {

// A fresh machine: empty registry (predefined roots only), a file system with C:\WINDOWS and
// C:\WINDOWS\system32, program C:\setup.exe, working directory C:\, clock at 0, no faults.
void Reset();

// ---- Fault injection -------------------------------------------------------------------
// Makes `function` fail with `error`. nth = 0: every call; nth = k: only the k-th call from
// now on (1-based). `argument`, when given, restricts the fault to calls whose main text
// argument (key path, file name, value name, ...) equals it without regard to case.
void FailCall(const char* function, DWORD error, int nth = 0, const char* argument = nullptr);
// Number of calls made to a simulated function since Reset.
int CallCount(const char* function);

// ---- Power loss -------------------------------------------------------------------------
// The power goes at the k-th simulated call from now (1-based; 0: never): that call and every
// later one, on any thread, does nothing and ends its thread (a call that only lets a handle
// go fails instead, as it may come from a destructor). A thread started by CreateThread just
// ends; the test's own thread runs what may be cut inside RunUntilPowerCut.
void CutPowerAtCall(int k);
bool PowerIsOff();
// The function the power went at ("" before the cut and after the reboot) and its main text
// argument.
std::string CutCall(std::string* argument = nullptr);
// Simulated calls made since Reset (a Reboot keeps counting).
int AllCalls();
// Runs `run`; false when the power went during it.
bool RunUntilPowerCut(const std::function<void()>& run);
// After a power loss: files, registry and the spooler's objects stay; open handles, threads,
// mutexes, windows, message boxes and their script, the spooler service's state, faults and
// the cut go.
void Reboot();

// ---- Handles -----------------------------------------------------------------------------
enum class HandleKind { Key, Find, Printer, Service, Module, Heap, Token, Sid, File, Other };
int OpenHandles();                  // all kinds
int OpenHandles(HandleKind kind);
std::string DescribeOpenHandles();  // for failure messages

// ---- Virtual clock -----------------------------------------------------------------------
DWORD Now();                // milliseconds since Reset; Sleep advances it at once
void Advance(DWORD ms);
std::vector<DWORD> Sleeps();  // every Sleep argument in order

// ---- File system ---------------------------------------------------------------------------
void SetModuleFileName(const std::string& path);
void SetCurrentDirectory(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);  // creates parent directories
void MakeDirectory(const std::string& path);                      // with parents
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string ReadFile(const std::string& path);  // "" when missing
void RemovePath(const std::string& path);       // file or whole directory tree
std::vector<std::string> FilesUnder(const std::string& dir);  // full paths, directories left out
// Copies a directory of this machine into the simulated file system; returns files copied.
int LoadHostDirectory(const std::string& hostDir, const std::string& simDir);

// ---- Registry inspection -----------------------------------------------------------------
bool KeyExists(HKEY root, const std::string& path);
bool GetValue(HKEY root, const std::string& path, const std::string& name, DWORD* type,
              std::string* data);
bool GetDword(HKEY root, const std::string& path, const std::string& name, DWORD* value);
// Every value of the root as PATH\name, and every key without values or subkeys as PATH\.
std::vector<std::string> RegistryListing(HKEY root);
void SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::string& data);  // creates the key
// The key's security grants the user only `allowed` (e.g. KEY_READ: HKLM for a limited user):
// opening it for more, creating a subkey without KEY_CREATE_SUB_KEY or deleting it without
// DELETE fails with ERROR_ACCESS_DENIED. Creates the key.
void ProtectKey(HKEY root, const std::string& path, REGSAM allowed);

// ---- System ----------------------------------------------------------------------------
// Version GetVersionExA reports (default: NT 5.1, Windows XP).
void SetVersion(DWORD platform, DWORD major, DWORD minor);
// 64-bit Windows running this 32-bit process under WOW64 (default false, set after
// SetVersion): IsWow64Process answers TRUE, the system directory redirects to SysWOW64 and the
// spooler's own environment is "Windows x64".
void SetWindows64(bool on);
bool Windows64();
// Windows directory (default C:\WINDOWS); the system directory is its "system32".
void SetWindowsDirectory(const std::string& path);
std::string WindowsDirectory();
std::string SystemDirectory();

// ---- Modules -----------------------------------------------------------------------------
using Exports = std::map<std::string, void*>;  // export name -> function address
// A module loadable by its bare name from anywhere (e.g. "winspool.drv").
void RegisterSystemModule(const std::string& name, const Exports& exports);
// A DLL file at `path` of the file system (created if missing) with these exports;
// LoadLibraryA finds it by full path, or by bare name through Windows' search order.
void RegisterModuleImage(const std::string& path, const Exports& exports);
// Full paths of the module images loaded so far, in order.
std::vector<std::string> LoadedModulePaths();

}  // namespace winsim
