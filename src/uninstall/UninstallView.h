// What the removal engine and the inventory need of the uninstaller's main window. The engine
// reaches the window only through this; the window answers each call with a message to the
// control named (so a call from the worker thread waits until the window's thread has done it).
#pragma once

#include <cstddef>

// What a removal run left behind, reported beside the status line that says why: the silent
// mode's exit code, whatever the line's wording.
enum RemovalFailure {
  EntryKept,   // a ticked monitor, processor or printer stayed
  DriverKept,  // a printer went but its driver stayed
};

// Capacity of a list entry's text (a printer, monitor or processor name) in the engine.
const size_t kItemNameSize = 260;

class UninstallView {
 public:
  virtual ~UninstallView() {}

  // ---- Inventory list view (IDC_INVENTORY): list mode with check boxes, one text per entry.
  virtual int ItemCount() = 0;
  // Appends an unticked entry at the end (index = ItemCount()).
  virtual void AppendItem(const char* text) = 0;
  // The entry's text, cut to `capacity`; "" for an index outside the list.
  virtual void GetItemText(int index, char* text, size_t capacity) = 0;
  // True when the entry's state image is the checked one.
  virtual bool IsItemChecked(int index) = 0;
  virtual void DeleteItem(int index) = 0;

  // ---- Status list box (IDC_STATUS_LIST): adds the line at the end and selects it, so that the
  // newest line is in view.
  virtual void AppendStatus(const char* text) = 0;
  // After the status line of a failure, its kind; the window has nothing more to show.
  virtual void RemovalFailed(RemovalFailure kind) { (void)kind; }

  // ---- Check box IDC_USB_DRIVER "Uninstall USB device driver(not recommended)".
  virtual bool IsUsbRemovalChecked() = 0;

  // ---- Busy while a removal runs: the window takes no input (Uninstall, the list, Select
  // All, Exit and the USB check box). Back from busy the list takes input only while it has
  // entries; the USB check box stays as it is.
  virtual void SetBusy(bool busy) = 0;
  // ---- Whether the USB device driver can be chosen for removal (the check box).
  virtual void SetUsbRemovalAvailable(bool available) = 0;

  // ---- The restart prompt (template IDD_RESTART), shown modally; true when it ended with Yes
  // (IDOK).
  virtual bool AskRestart() = 0;
};
