// The one worker thread of a run, started with CreateThread (the programs are built with the
// win32 thread model, which has no std::thread).
#pragma once

#include <windows.h>

namespace ui {

class WorkerThread {
 public:
  typedef DWORD(WINAPI* Routine)(void* argument);
  WorkerThread() = default;
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Starts `routine` on a new thread; false when the thread could not be created.
  bool Start(Routine routine, void* argument);
  // Waits for the thread to end (at most `milliseconds`); true when it has ended.
  bool Wait(DWORD milliseconds = INFINITE);
  bool Running() const { return thread_ != nullptr; }

 private:
  HANDLE thread_ = nullptr;
};

}  // namespace ui
