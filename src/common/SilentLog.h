// The log of a silent run, and what the run answers in place of the user.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Appends one line per call to the file named by /log=, each with the local time. Without an
// open file it writes nothing.
class SilentLog {
 public:
  SilentLog();
  ~SilentLog();
  // Opens `path` for appending (created when missing); false when it cannot be written.
  bool Open(const char* path);
  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  // "YYYY-MM-DD hh:mm:ss " + kind + text, line breaks of the text joined with " / ".
  void Line(const char* kind, const char* text);

 private:
  SilentLog(const SilentLog&);
  SilentLog& operator=(const SilentLog&);
  HANDLE file_;
};

// While it lives, every message box of the program goes to the log instead of the screen:
// messages are answered OK, questions with the answer given for their text (No for any
// other).
class SilentSession {
 public:
  explicit SilentSession(SilentLog& log);
  ~SilentSession();
  void Answer(const char* question, bool yes);

 private:
  SilentSession(const SilentSession&);
  SilentSession& operator=(const SilentSession&);
  static int Sink(void* context, const char* text, UINT type);

  SilentLog& log_;
  std::vector<std::pair<std::string, bool> > answers_;
};
