// Test control of named mutexes and of the local time.
#pragma once

#include <windows.h>

#include <string>

namespace winsim {

// Another process holds a mutex of this name from now on (CreateMutexA then reports
// ERROR_ALREADY_EXISTS).
void HoldMutexElsewhere(const std::string& name);
// What GetLocalTime answers (after Reset: 2024-03-05 09:07:05.000).
void SetLocalTime(const SYSTEMTIME& time);

}  // namespace winsim
