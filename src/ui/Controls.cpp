#include "ui/Controls.h"

#include "common/BoundedText.h"

#include <vector>

namespace ui {

void Control::GetText(char* text, int capacity) const {
  if (capacity <= 0) return;
  text[0] = '\0';
  GetWindowTextA(hwnd_, text, capacity);
}

int ComboBox::AddString(const char* text) const {
  return static_cast<int>(SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void ComboBox::GetItemText(int index, char* text, size_t capacity) const {
  if (capacity == 0) return;
  text[0] = '\0';
  LRESULT length = SendMessageA(hwnd_, CB_GETLBTEXTLEN, index, 0);
  if (index < 0 || length == CB_ERR) return;
  // CB_GETLBTEXT knows no buffer size: read the whole entry, then cut it to the field.
  std::vector<char> entry(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
  CopyText(text, capacity, entry.data());
}

}  // namespace ui
