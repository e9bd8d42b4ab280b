// Answers the modal dialogs of one caption that the code under test opens (the About box, the
// restart prompt), keeping the texts of their controls for the test to check.
#pragma once

#include "windows/support/WindowTestSupport.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DialogWatcher {
 public:
  // With a `screenshot` name the first dialog is saved as that screenshot before its answer.
  DialogWatcher(const char* caption, int answer, const char* screenshot = nullptr)
      : caption_(caption), answer_(answer), screenshot_(screenshot ? screenshot : "") {
    thread_ = std::thread([this] { Run(); });
  }
  ~DialogWatcher() {
    stop_ = true;
    thread_.join();
  }
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  int Answered() const { return answered_; }
  // The control texts of the dialogs answered so far, in their order.
  std::vector<std::string> Texts() {
    std::lock_guard<std::mutex> guard(lock_);
    return texts_;
  }

 private:
  static BOOL CALLBACK Collect(HWND control, LPARAM self) {
    char text[512] = {};
    GetWindowTextA(control, text, sizeof text);
    reinterpret_cast<DialogWatcher*>(self)->texts_.push_back(text);
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      HWND box = FindWindowA("#32770", caption_.c_str());
      if (box && IsWindowVisible(box)) {
        if (!screenshot_.empty() && answered_ == 0) {
          Sleep(300);
          wintest::SaveScreenshot(box, screenshot_.c_str());
        }
        {
          std::lock_guard<std::mutex> guard(lock_);
          EnumChildWindows(box, Collect, reinterpret_cast<LPARAM>(this));
        }
        // Counted before the answer: the answer lets the code under test go on at once, and
        // the test may read the count before this thread runs again.
        ++answered_;
        SendMessageA(box, WM_COMMAND, answer_, 0);
      }
      Sleep(20);
    }
  }

  std::string caption_;
  int answer_;
  std::string screenshot_;
  std::mutex lock_;
  std::vector<std::string> texts_;
  std::atomic<int> answered_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
