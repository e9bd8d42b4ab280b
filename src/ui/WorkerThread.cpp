#include "ui/WorkerThread.h"

namespace ui {

WorkerThread::~WorkerThread() {
  // The owner outlives the run it waits for; a thread still running is left to finish.
  if (thread_) CloseHandle(thread_);
}

bool WorkerThread::Start(Routine routine, void* argument) {
  if (thread_) return false;
  DWORD id = 0;
  thread_ = CreateThread(nullptr, 0, routine, argument, 0, &id);
  return thread_ != nullptr;
}

bool WorkerThread::Wait(DWORD milliseconds) {
  if (!thread_) return true;
  if (WaitForSingleObject(thread_, milliseconds) != WAIT_OBJECT_0) return false;
  CloseHandle(thread_);
  thread_ = nullptr;
  return true;
}

}  // namespace ui
