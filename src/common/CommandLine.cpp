#include "common/CommandLine.h"

#include "common/TextCompare.h"

#include <cstring>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine) {
  std::vector<std::string> arguments;
  const char* p = commandLine ? commandLine : "";
  while (*p) {
    while (IsBlank(*p)) ++p;
    if (!*p) break;
    std::string argument;
    bool quoted = false;
    for (; *p && (quoted || !IsBlank(*p)); ++p) {
      if (*p == '"')
        quoted = !quoted;
      else
        argument += *p;
    }
    arguments.push_back(argument);
  }
  return arguments;
}

bool IsSwitch(const std::string& argument, const char* name, const char** value) {
  *value = nullptr;
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return false;
  size_t length = strlen(name);
  if (argument.size() < length + 1) return false;
  for (size_t i = 0; i < length; ++i)
    if (LowerAscii(argument[i + 1]) != LowerAscii(name[i])) return false;
  char next = argument.c_str()[length + 1];
  if (next == '\0') return true;
  if (next != '=') return false;
  *value = argument.c_str() + length + 2;
  return true;
}

bool HasSwitch(const char* commandLine, const char* name) {
  const char* value;
  for (const std::string& argument : SplitCommandLine(commandLine))
    if (IsSwitch(argument, name, &value) && !value) return true;
  return false;
}
