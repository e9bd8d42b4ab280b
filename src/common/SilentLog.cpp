#include "common/SilentLog.h"

#include "common/AppMessage.h"
#include "common/BoundedText.h"

#include <cstring>

SilentLog::SilentLog() : file_(INVALID_HANDLE_VALUE) {}

SilentLog::~SilentLog() {
  if (IsOpen()) CloseHandle(file_);
}

bool SilentLog::Open(const char* path) {
  if (IsOpen()) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  if (!path || !*path) return false;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  if (SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    CloseHandle(file);
    return false;
  }
  file_ = file;
  return true;
}

void SilentLog::Line(const char* kind, const char* text) {
  if (!IsOpen()) return;
  SYSTEMTIME now;
  memset(&now, 0, sizeof now);
  GetLocalTime(&now);
  char line[1024];
  FormatText(line, sizeof line, "%04u-%02u-%02u %02u:%02u:%02u %s", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond, kind ? kind : "");
  // One line per entry, however many lines the box had; a cut entry still ends its line.
  size_t length = strlen(line);
  for (const char* p = text ? text : ""; *p && length + 3 < sizeof line - 2; ++p) {
    if (*p == '\r') continue;
    if (*p == '\n') {
      memcpy(line + length, " / ", 3);
      length += 3;
    } else {
      line[length++] = *p;
    }
  }
  line[length++] = '\r';
  line[length++] = '\n';
  DWORD written = 0;
  WriteFile(file_, line, static_cast<DWORD>(length), &written, nullptr);
}

SilentSession::SilentSession(SilentLog& log) : log_(log) { SetMessageSink(Sink, this); }

SilentSession::~SilentSession() { SetMessageSink(nullptr, nullptr); }

void SilentSession::Answer(const char* question, bool yes) {
  answers_.push_back(std::make_pair(std::string(question), yes));
}

int SilentSession::Sink(void* context, const char* text, UINT type) {
  SilentSession& session = *static_cast<SilentSession*>(context);
  UINT buttons = type & MB_TYPEMASK;
  if (buttons != MB_YESNO) {
    session.log_.Line("message: ", text);
    return IDOK;
  }
  bool yes = false;
  for (size_t i = 0; i < session.answers_.size(); ++i)
    if (session.answers_[i].first == text) yes = session.answers_[i].second;
  std::string entry = text;
  entry += yes ? " -> Yes" : " -> No";
  session.log_.Line("question: ", entry.c_str());
  return yes ? IDYES : IDNO;
}
