#include "common/AppMessage.h"

#include "common/BoundedText.h"

#include <cstring>

void GetApplicationName(char* name, size_t capacity) {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // XP leaves a cut module name unterminated; only the returned length is trusted.
  if (length >= sizeof path) length = sizeof path - 1;
  path[length] = '\0';
  const char* base = strrchr(path, '\\');
  CopyText(name, capacity, base ? base + 1 : path);
  if (char* dot = strrchr(name, '.')) *dot = '\0';
}

int ShowAppMessage(HWND owner, const char* text, UINT type) {
  char caption[MAX_PATH];
  GetApplicationName(caption, sizeof caption);
  return ShowMessageBox(owner, text, caption, type);
}

namespace {
// Process-wide: a silent run is the whole process, and its boxes arise in every layer.
MessageSink messageSink = nullptr;
void* messageSinkContext = nullptr;
}  // namespace

void SetMessageSink(MessageSink sink, void* context) {
  messageSink = sink;
  messageSinkContext = context;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  if (messageSink) return messageSink(messageSinkContext, text ? text : "", type);
  return MessageBoxA(owner, text, caption, type);
}
