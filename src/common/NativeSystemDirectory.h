// WOW64 shows a 32-bit program SysWOW64 where it names system32. The port monitors and the
// USB device driver belong in the native system32, where the 64-bit spooler and the system
// look for them, so the calls that copy, read or delete them see it through this.
#pragma once

// While it lives, the calling thread's file calls see the native system32. Where there is no
// redirection (every 32-bit Windows, and systems without the functions) it does nothing.
class NativeSystemDirectory {
 public:
  explicit NativeSystemDirectory(bool wanted = true);
  ~NativeSystemDirectory();
  NativeSystemDirectory(const NativeSystemDirectory&) = delete;
  NativeSystemDirectory& operator=(const NativeSystemDirectory&) = delete;

 private:
  void* oldValue_ = nullptr;
  bool disabled_ = false;
};
