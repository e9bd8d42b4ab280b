// Answers the message boxes the product code shows during a Windows test, so that a test
// under a display does not wait for a user, and keeps their texts for the test to check.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class MessageBoxWatcher {
 public:
  // Watches for boxes captioned `caption` (the application name) until destroyed.
  explicit MessageBoxWatcher(const char* caption) : caption_(caption) {
    thread_ = std::thread([this] { Run(); });
  }
  ~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
  }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // Texts of the boxes answered so far; call after the product call returned.
  std::vector<std::string> Texts() const { return texts_; }

  // True when windows can be created here (false under Wine without a display, where
  // MessageBoxA returns at once without showing anything).
  static bool HaveDisplay() {
    HWND probe =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe) return false;
    DestroyWindow(probe);
    return true;
  }

 private:
  void Run() {
    while (!stop_) {
      // A program's own dialog window may carry the caption too (titles match without regard
      // to case): a message box is the one with the text control.
      HWND box = FindWindowExA(nullptr, nullptr, "#32770", caption_.c_str());
      while (box && !GetDlgItem(box, 0xFFFF))
        box = FindWindowExA(nullptr, box, "#32770", caption_.c_str());
      if (box) {
        if (IsWindowVisible(box)) {
          char text[512] = {};
          GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
          texts_.push_back(text);
          SendMessageA(box, WM_COMMAND, IDOK, 0);
        }
      }
      Sleep(20);
    }
  }

  std::string caption_;
  std::vector<std::string> texts_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
