// The arguments of a program's command line and the switches of the silent runs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Splits a command line at blanks; double quotes group blanks into an argument and are
// dropped ("/log=C:\My Logs\a.txt" in quotes is one argument).
std::vector<std::string> SplitCommandLine(const char* commandLine);

// True when `argument` is the switch `name` ("S", "log", ...), written "/name" or "-name"
// without regard to case. A switch that takes a value is written "/name=value": `value`
// then points at the text after '=', and is null for a switch written without one.
bool IsSwitch(const std::string& argument, const char* name, const char** value);

// True when the command line holds the switch (setup's and uninstall's "/S" and "/?").
bool HasSwitch(const char* commandLine, const char* name);
